#include "store/contacts/contactsdatabasereader.h"

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
    for (bool more = m_db.seekFirst(); more; more = m_db.seekNext()) {
        const std::optional<DbRecord> read = m_db.readAll();
        if (read) {
            visit(*read);
        } else if (!passOverFailedRead(m_db)) {
            return false;
        }
    }
    return m_db.lastError() == DbError::NoMoreItems;
}

bool ContactsDatabaseReader::scanChecksums(const std::function<void(Oid, uint32_t)>& visit) {
    return walk([&visit](const DbRecord& read) { visit(read.oid, rawRecordChecksum(read)); });
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
