#include "store/contacts/contactsdatabasereader.h"

#include <algorithm>

#include "store/contacts/contactnotes.h"
#include "store/contacts/contactprops.h"
#include "store/contacts/failedread.h"
#include "store/contacts/recordchecksum.h"

namespace kontavo {

ContactsDatabaseReader::ContactsDatabaseReader(ObjectDatabase& db, const Locale& locale)
    : m_db(db), m_locale(locale) {}

IndexedContact ContactsDatabaseReader::indexedContactOf(const DbRecord& read,
                                                        const Locale& locale) {
    IndexedContact contact;
    applyContactProps(read, contact.record);
    ParsedNotes notes = parseNotes(contact.record.notesBlob, locale);
    contact.record.extended = std::move(notes.extended);
    contact.record.extended.checksum = rawRecordChecksum(read);
    contact.notesText = std::move(notes.text);
    return contact;
}

std::optional<DbInfo> ContactsDatabaseReader::databaseInfo() {
    return m_db.info();
}

std::optional<QList<Oid>> ContactsDatabaseReader::databaseOids() {
    return m_db.recordOids();
}

bool ContactsDatabaseReader::walk(const std::function<void(const DbRecord&)>& visit) {
    return m_db.readEveryRecord(visit, [this](Oid oid) { logUndecodableRecord(m_db, oid); });
}

bool ContactsDatabaseReader::scanChecksums(const std::function<void(Oid, uint32_t)>& visit) {
    return walk([&visit](const DbRecord& read) { visit(read.oid, rawRecordChecksum(read)); });
}

std::optional<QList<Oid>> ContactsDatabaseReader::changedSince(uint64_t since) {
    const std::optional<QList<DbNotification>> changes = m_db.changesSince(since);
    if (!changes) {
        return std::nullopt;
    }
    QList<Oid> oids;
    oids.reserve(changes->size());
    for (const DbNotification& change : *changes) {
        oids.append(change.oid);
    }
    std::sort(oids.begin(), oids.end());
    oids.erase(std::unique(oids.begin(), oids.end()), oids.end());
    return oids;
}

bool ContactsDatabaseReader::readChecksum(Oid oid, std::optional<uint32_t>& checksum) {
    checksum.reset();
    if (oid == 0 || !m_db.seekOid(oid)) {
        return oid == 0 || m_db.lastError() == DbError::SeekFailed;
    }
    const std::optional<DbRecord> read = m_db.readAll();
    if (read) {
        checksum = rawRecordChecksum(*read);
    }
    return read || m_db.lastError() == DbError::NotFound;
}

bool ContactsDatabaseReader::readForIndex(Oid oid, IndexedContact& out) {
    if (oid == 0 || !m_db.seekOid(oid)) {
        return false;
    }
    const std::optional<DbRecord> read = m_db.readAll();
    if (!read) {
        return false;
    }
    out = indexedContactOf(*read, m_locale);
    return true;
}

bool ContactsDatabaseReader::readAllForIndex(
    const std::function<void(IndexedContact&& contact, int done, int total)>& visit) {
    const std::optional<DbInfo> info = m_db.info();
    if (!info) {
        return false;
    }
    const int total = int(info->recordCount);
    int done = 0;
    return walk(
        [&](const DbRecord& read) { visit(indexedContactOf(read, m_locale), ++done, total); });
}

}  // namespace kontavo
