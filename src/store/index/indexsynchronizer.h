#pragma once

#include <cstdint>
#include <functional>
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
class IndexSynchronizer {
public:
    static constexpr int kMaxChanges = 10;
    static constexpr int kMaxDeletions = 10;
    // Records the database's state when nothing needed changing (so that
    // the next open finds the index current); false when it cannot.
    using RecordTime = std::function<bool(uint64_t databaseTime)>;

    IndexSynchronizer(ContactIndex& index, ContactReader& reader)
        : m_index(index), m_reader(reader) {}

    // Changes are shown in `progress` ("Update indexes"), one step each.
    ContactIndex::SyncResult run(ProgressSink* progress, const RecordTime& recordTime);

private:
    struct Differences {
        std::vector<Oid> deleted;
        std::vector<Oid> added;
        std::vector<Oid> changed;
        int total() const { return int(deleted.size() + added.size() + changed.size()); }
    };

    bool findDeleted(const QList<Oid>& indexed, Differences& found);
    bool findChanged(const QList<Oid>& indexed, Differences& found);
    bool apply(const Differences& found, ProgressSink* progress, uint64_t databaseTime);

    ContactIndex& m_index;
    ContactReader& m_reader;
};

}  // namespace kontavo
