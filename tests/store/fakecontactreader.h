#pragma once

#include <QString>
#include <functional>
#include <map>

#include "store/contacts/contactreader.h"

namespace kontavo::test {

// An in-memory contacts database for the index: records by Oid, a record
// count and a last-modified time that moves on with every change, a change
// log naming the record and the time of each change (not saved), and a
// checksum that changes with any part of a contact. It can be saved to and
// loaded from a file, so that several processes share one database.
class FakeContactReader final : public ContactReader {
public:
    FakeContactReader();

    // Adds a contact (its Oid is chosen here unless set) and returns its Oid.
    Oid add(ContactRecord record, const QString& notesText = QString());
    void change(Oid oid, const std::function<void(IndexedContact&)>& edit);
    void erase(Oid oid);
    bool contains(Oid oid) const { return m_contacts.count(oid) != 0; }
    // The contact as the index is given it (checksum set).
    IndexedContact indexed(Oid oid) const;
    uint32_t checksumOf(Oid oid) const;
    DbInfo info() const;
    uint64_t time() const { return m_time; }
    const std::map<Oid, IndexedContact>& contacts() const { return m_contacts; }

    // Drops all but the last `keep` entries of the change log (as the object
    // store trims its log).
    void trimLog(size_t keep);
    size_t logSize() const { return m_log.size(); }

    // Atomically (temporary file, then rename).
    bool save(const QString& path) const;
    bool load(const QString& path);

    // After this many more record reads, reads fail (negative: never).
    int failReadsAfter = -1;
    int readAllCalls = 0;

    std::optional<DbInfo> databaseInfo() override { return info(); }
    std::optional<QList<Oid>> databaseOids() override;
    bool scanChecksums(const std::function<void(Oid, uint32_t)>& visit) override;
    std::optional<QList<Oid>> changedSince(uint64_t since) override;
    bool readChecksum(Oid oid, std::optional<uint32_t>& checksum) override;
    bool readForIndex(Oid oid, IndexedContact& out) override;
    bool readAllForIndex(
        const std::function<void(IndexedContact&& contact, int done, int total)>& visit) override;

private:
    bool readAllowed();
    void logChange(Oid oid);

    struct LogEntry {
        uint64_t time;
        Oid oid;
    };

    std::map<Oid, IndexedContact> m_contacts;
    std::vector<LogEntry> m_log;  // the time after each change, and its record
    Oid m_nextOid = 0x1000;
    uint64_t m_time = 0x01D5000000000000ull;
};

// A varied, deterministic contact for `seed`: names, phones, e-mails, an
// address, extended values, a birthday and notes, with the word
// "mark<seed>" in its notes so that it can be found alone.
ContactRecord sampleContact(int seed);
QString sampleNotes(int seed);

}  // namespace kontavo::test
