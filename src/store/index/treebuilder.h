#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "store/index/heapcursor.h"
#include "store/index/indexheap.h"
#include "store/index/wordpostings.h"

namespace kontavo {

// Lays out one word tree of an index store in one pass from its sorted
// words: the ternary search tree (each node followed by its tail and its Oid
// list), the prefix lists of the nodes up to the tree's prefix-list depth
// with their directory, the contacts' node-list rings and the Oid map, all
// in the byte layout of indexlayout.h, so that the result reads and changes
// like a tree built word by word. Sibling subtrees are balanced by word
// count. Only words of at most kMostOnATail contacts end in a tail.
//
// Not thread-safe; the heap belongs to the caller for the duration.
class TreeBuilder {
public:
    static constexpr size_t kMostOnATail = 64;

    // `oids` maps the ranks of `words` to Oids (ascending).
    TreeBuilder(IndexHeap& heap, HeapCursor& cursor, int tree, const WordPostings& words,
                std::span<const uint32_t> oids);

    // Writes the tree and sets its root, Oid map and prefix-list directory.
    void build();

private:
    struct Task {
        uint32_t first;  // words [first, last) share `depth` characters
        uint32_t last;
        uint32_t depth;
        uint32_t parent;
        uint32_t linkAt;  // where the subtree's top node is linked
    };

    void buildNode(const Task& task, std::vector<Task>& pending);
    uint32_t writeNode(uint32_t parent, char16_t c, std::u16string_view tail);
    uint32_t writeOids(std::span<const uint32_t> ranks);
    void writePrefixList(uint32_t node, uint32_t first, uint32_t last);
    void writeRings();
    char16_t charAt(uint32_t word, uint32_t depth) const { return m_words.word(word)[depth]; }

    IndexHeap& m_heap;
    CheckedBytes& m_bytes;
    HeapCursor& m_cursor;
    int m_tree;
    const WordPostings& m_words;
    std::span<const uint32_t> m_oids;
    std::vector<uint32_t> m_nodeOf;  // sorted word -> the node it ends at
    std::vector<uint32_t> m_prefixNodes;
    std::vector<uint32_t> m_prefixLists;
    std::vector<uint64_t> m_marks;  // bit per rank, for prefix-list unions
    std::vector<uint32_t> m_scratch;
};

}  // namespace kontavo
