#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "store/contacts/contactindex.h"

namespace kontavo {

class ContactReader;
class ProgressSink;

// Brings a stale index up to date record by record after the database
// changed while no program kept the index in step: the contacts the database
// lost are removed, new ones inserted and those whose checksum differs
// replaced. More than kMaxChanges changes, more than kMaxDeletions
// deletions, or an empty or damaged Oid list of the index call for a full
// rebuild instead. UI thread only.
//
// The index holds the database's last-modified time of the last change it
// took in. When the object store's change log still reaches back to that
// change, only the records logged since are compared; otherwise (the log was
// trimmed past it, or the index was made by a program that recorded another
// time) every record of the database is. Both give the same differences: a
// record nobody changed since that time is as the index holds it, which is
// what an index claiming the time promises (and what an open that finds the
// time unchanged relies on as well). As a check, the log's answer must
// account for the database's record count, else the records are compared.
class IndexSynchronizer {
public:
    static constexpr int kMaxChanges = 10;
    static constexpr int kMaxDeletions = 10;
    // Records the database's state when nothing needed changing (so that
    // the next open finds the index current); false when it cannot.
    using RecordTime = std::function<bool(uint64_t databaseTime)>;

    // Where the differences were found.
    enum class Source { ChangeLog, Scan };
    // The contacts the database lost, gained and changed against the index,
    // each list ascending. Once more than kMaxChanges are found, the rest
    // of the changed ones may be left out (a rebuild follows anyway).
    struct Differences {
        std::vector<Oid> deleted;
        std::vector<Oid> added;
        std::vector<Oid> changed;
        Source source = Source::Scan;
        int total() const { return int(deleted.size() + added.size() + changed.size()); }
    };

    // `indexTime`: the database's last-modified time the index holds.
    IndexSynchronizer(ContactIndex& index, ContactReader& reader, uint64_t indexTime)
        : m_index(index), m_reader(reader), m_indexTime(indexTime) {}

    // Changes are shown in `progress` ("Update indexes"), one step each.
    ContactIndex::SyncResult run(ProgressSink* progress, const RecordTime& recordTime);

    // The differences for the contacts `indexed` (ascending, unique), from
    // the change log when it covers the index's time and accounts for the
    // database's `recordCount`, else by a scan; nullopt when the database
    // cannot be read.
    std::optional<Differences> find(const std::vector<Oid>& indexed, uint32_t recordCount);
    // From the change log alone; nullopt when it does not cover the index's
    // time, a record cannot be read, or the result does not account for
    // `recordCount`.
    std::optional<Differences> findInLog(const std::vector<Oid>& indexed, uint32_t recordCount);
    // By comparing every record; nullopt when the database cannot be read.
    std::optional<Differences> findByScan(const std::vector<Oid>& indexed);

private:
    bool apply(const Differences& found, ProgressSink* progress, uint64_t databaseTime);
    bool tooMany(const Differences& found) const;

    ContactIndex& m_index;
    ContactReader& m_reader;
    uint64_t m_indexTime;
};

}  // namespace kontavo
