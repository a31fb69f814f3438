#pragma once

#include <QString>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "store/indexheap.h"
#include "store/sortedarray.h"
#include "store/treenodes.h"

namespace kontavo {

// The full consistency check of an index store: header, space table, every
// node, tail, Oid list, Oid map, node-list ring and prefix list, and that the
// items in use plus the free items fill the heap exactly (nothing leaked,
// nothing counted twice). Used by tests, the fuzzer and index verification.
class IndexChecker {
public:
    explicit IndexChecker(const IndexHeap& heap);

    // True when the store is consistent; else false with a description.
    bool run(QString* problem);

private:
    struct NodeInfo {
        uint32_t depth;
        std::vector<uint32_t> oids;
    };

    bool fail(const QString& text);
    bool checkTree(int tree);
    bool checkNodes(uint32_t root);
    bool checkNode(uint32_t node, uint32_t parent, uint32_t depth);
    bool checkRings(uint32_t map);
    bool checkPrefixLists(int tree);
    bool checkSorted(uint32_t offset, uint32_t words, bool allowEmpty, const QString& what);
    bool checkHeader();
    std::vector<uint32_t> expectedPrefixList(uint32_t node) const;

    IndexHeap& m_heap;
    CheckedBytes& m_bytes;
    TreeNodes m_nodes;
    SortedArray m_oids;
    SortedArray m_pairs;
    std::unordered_map<uint32_t, NodeInfo> m_seen;  // nodes of the tree being checked
    uint64_t m_listEntries = 0;
    uint64_t m_used = 0;  // bytes of the items found in use
    QString m_problem;
};

}  // namespace kontavo
