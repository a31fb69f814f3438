#pragma once

#include <QStringView>
#include <cstdint>
#include <unordered_set>
#include <vector>

#include "store/index/indexheap.h"
#include "store/index/nodering.h"
#include "store/index/prefixlists.h"
#include "store/index/sortedarray.h"
#include "store/index/treenodes.h"
#include "store/index/treereader.h"

namespace kontavo {

// Changes to one word tree of an index store and its Oid map: filing a word
// under a contact, taking every word of a contact out again, emptying the
// tree. Keeps the node lists (which nodes each contact's words end at) and
// the prefix lists in step. The layout is in indexlayout.h.
//
// Not thread-safe; one WordTree (or IndexStore) changes a store at a time.
class WordTree {
public:
    WordTree(IndexHeap& heap, int tree);

    // Writes an empty tree: root and Oid map are 4-byte items holding 0.
    void initialise();
    // Files `word` (not empty) under `oid`; a word already filed there is
    // left as it is.
    void insert(QStringView word, uint32_t oid);
    // Takes every word of `oid` out of the tree, freeing nodes no other word
    // needs. False when the contact had no word in the tree.
    bool remove(uint32_t oid);
    // Frees every node, tail, list, node list and prefix list: the tree is
    // empty afterwards.
    void clear();
    // Frees the prefix lists of nodes deeper than this program keeps them
    // (stores written by earlier builds kept two characters' worth). They
    // are never read here, and would go stale with the first change, while
    // a program that reads them would trust them.
    void dropDeepPrefixLists();

    const TreeReader& reader() const { return m_reader; }

private:
    uint32_t rootWord() const;
    void setRoot(uint32_t node);
    uint32_t mapOffset() const;
    void setMap(uint32_t offset);
    // Descends to (creating where needed) the node `word` ends at; `path`
    // gets the prefix nodes from depth 1 on.
    uint32_t descend(QStringView word, std::vector<uint32_t>& path);
    uint32_t attach(uint32_t parent, uint32_t linkAt, QStringView rest,
                    std::vector<uint32_t>& path);
    void burst(uint32_t node, uint32_t depth);
    void fileInRing(uint32_t oid, uint32_t node);
    void prune(uint32_t node, std::unordered_set<uint32_t>& freed);
    void releaseNode(uint32_t node, std::unordered_set<uint32_t>& freed);
    // Frees everything of the tree; `rootIsNode` tells whether the root word
    // names a node (else the empty tree's 4-byte item, or nothing).
    void releaseAll(bool rootIsNode);

    IndexHeap& m_heap;
    int m_tree;
    TreeNodes m_nodes;
    NodeRing m_rings;
    PrefixLists m_prefixLists;
    SortedArray m_oids;
    SortedArray m_map;
    TreeReader m_reader;
};

}  // namespace kontavo
