#pragma once

#include "store/contacts/contactreader.h"

namespace kontavo {

class Locale;

// The ContactReader of the index, over a handle of the contacts database
// (opened in database order; best a handle of its own, since every walk
// moves its position). A record read for the index gets its extended
// properties and search text from its notes and its checksum from its raw
// properties, the same sum scanChecksums() reports, so that a record that
// did not change always compares equal. UI thread only; `db` and `locale`
// must outlive the reader.
class ContactsDatabaseReader final : public ContactReader {
public:
    ContactsDatabaseReader(ObjectDatabase& db, const Locale& locale);

    // The contact for a record read with no property list.
    static IndexedContact indexedContactOf(const DbRecord& read, const Locale& locale);

    std::optional<DbInfo> databaseInfo() override;
    std::optional<QList<Oid>> databaseOids() override;
    bool scanChecksums(const std::function<void(Oid, uint32_t)>& visit) override;
    std::optional<QList<Oid>> changedSince(uint64_t since) override;
    bool readChecksum(Oid oid, std::optional<uint32_t>& checksum) override;
    bool readForIndex(Oid oid, IndexedContact& out) override;
    bool readAllForIndex(
        const std::function<void(IndexedContact&& contact, int done, int total)>& visit) override;

private:
    // Visits every record read with no property list, in database order,
    // as the database stood when the walk began.
    bool walk(const std::function<void(const DbRecord&)>& visit);

    ObjectDatabase& m_db;
    const Locale& m_locale;
};

}  // namespace kontavo
