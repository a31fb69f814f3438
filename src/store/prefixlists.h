#pragma once

#include <cstdint>
#include <vector>

#include "store/indexheap.h"
#include "store/sortedarray.h"

namespace kontavo {

// Prefix lists of one word tree: for each node up to indexlayout::
// kPrefixListDepth[tree] characters deep, an Oid list (sorted, unique) of every
// contact filed at that node or anywhere below its equal link, so that short
// prefixes are answered without walking their subtrees. A directory item
// (pairs of node offset and list offset, sorted by node) named in the space
// table finds them. A node without a prefix list is simply walked.
class PrefixLists {
public:
    PrefixLists(IndexHeap& heap, int tree);

    // The prefix list of `node`, 0 when it has none.
    uint32_t listOf(uint32_t node) const;
    bool isEmpty() const { return directory() == 0; }
    // Adds `oid` to the node's list; a node without one gets `initial`
    // (sorted, unique) first.
    void add(uint32_t node, uint32_t oid, const std::vector<uint32_t>& initial);
    // Removes `oid`; a list left empty is freed.
    void remove(uint32_t node, uint32_t oid);
    // Gives the node the list `oids` (sorted, unique), replacing any other.
    void set(uint32_t node, const std::vector<uint32_t>& oids);
    // Frees the node's list.
    void erase(uint32_t node);
    // Frees every list and the directory.
    void clear();
    // Every (node, list) pair.
    std::vector<std::pair<uint32_t, uint32_t>> entries() const;

private:
    uint32_t directory() const;
    void setDirectory(uint32_t offset);

    IndexHeap& m_heap;
    int m_tree;
    SortedArray m_pairs;
    SortedArray m_oids;
};

}  // namespace kontavo
