#pragma once

#include <cstddef>
#include <vector>

namespace kontavo {

class CollationKeys;

// Numbers the keys of a CollationKeys in collation order, in steps small
// enough for one turn of the event loop: runs of keys are sorted, then
// merged two at a time, then numbered. Keys that collate equal share a
// rank, so that a sort by ranks compares integers. `keys` must outlive the
// ranking and not change meanwhile. Not thread-safe.
class KeyRanking {
public:
    explicit KeyRanking(const CollationKeys& keys);

    // One part of the work: sorting up to `count` more keys into a run, or
    // merging two runs, or numbering; true once ranks() is ready.
    bool step(std::size_t count);
    // The rank of each key, by key number (valid once step() returned true).
    const std::vector<int>& ranks() const { return m_ranks; }

private:
    const CollationKeys& m_keys;
    std::vector<int> m_order;      // key numbers, sorted run by run
    std::vector<std::size_t> m_runEnds; // end of each sorted run in m_order
    std::size_t m_sorted = 0;           // keys placed into runs so far
    std::size_t m_mergeAt = 0;          // the run merged with its successor next
    std::vector<int> m_ranks;
    bool m_done = false;
};

}  // namespace kontavo
