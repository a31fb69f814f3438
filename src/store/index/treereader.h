#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <cstdint>
#include <functional>
#include <vector>

#include "store/index/indexheap.h"
#include "store/index/oidunion.h"
#include "store/index/prefixlists.h"
#include "store/index/sortedarray.h"
#include "store/index/treenodes.h"

namespace kontavo {

// Read access to one word tree of an index store: prefix lookups, the words
// of a contact, and a walk over every word. Walks are bounded by the size of
// the heap, so a damaged store yields wrong answers but never loops or reads
// outside the store (the heap's fault flag is set instead).
class TreeReader {
public:
    // The node a prefix leads to: the node of its last character, or a node
    // whose tail continues the prefix (then `inTail`).
    struct Match {
        uint32_t node = 0;
        bool inTail = false;
    };

    TreeReader(const IndexHeap& heap, int tree);

    // The root node, 0 when the tree is empty (its Oid map has no entry).
    uint32_t root() const;
    uint32_t mapOffset() const;
    Match locate(QStringView prefix) const;
    // The Oids filed under any word beginning with `prefix`, sorted, without
    // duplicates. The empty prefix gives every Oid that has a word.
    std::vector<uint32_t> find(QStringView prefix) const;
    // As find(), into `out` (cleared first; its capacity is reused).
    void find(QStringView prefix, std::vector<uint32_t>& out) const;
    // Appends the Oids of `node` (at `depth` characters) and of every node
    // below its equal link; unsorted, possibly repeated.
    void collect(uint32_t node, uint32_t depth, std::vector<uint32_t>& out) const;
    // Adds the Oid lists of every word beginning with `prefix` to `into`;
    // false when no word does.
    bool gather(QStringView prefix, OidUnion& into) const;
    // The prefix nodes from the top of the tree down to `node`: the nodes
    // whose characters spell the word up to `node`, one per character.
    std::vector<uint32_t> prefixPath(uint32_t node) const;
    // The word ending at `node` (its tail included).
    QString wordAt(uint32_t node) const;
    // The words of a contact, through its node list.
    QStringList wordsOf(uint32_t oid) const;
    // Calls `visit` with every word and the offset of its Oid list.
    void forEachWord(const std::function<void(const QString&, uint32_t)>& visit) const;
    // Every node reachable from `start` through lower, higher and equal links
    // (for releasing and checking); at most nodeLimit() of them.
    std::vector<uint32_t> nodesFrom(uint32_t start) const;

    uint32_t nodeLimit() const { return m_heap.bytes().size() / indexlayout::kNodeBytes + 1; }

private:
    // Visits the Oid lists of `node` (at `depth` characters) and of every
    // node below its equal link, prefix lists standing in for subtrees.
    template <typename Visit>
    void forEachList(uint32_t node, uint32_t depth, const Visit& visit) const;

    IndexHeap& m_heap;
    int m_tree;
    TreeNodes m_nodes;
    PrefixLists m_prefixLists;
    SortedArray m_oids;
    SortedArray m_map;
};

}  // namespace kontavo
