#pragma once

#include <QString>
#include <QStringView>
#include <cstdint>

#include "store/indexheap.h"
#include "store/indexlayout.h"

namespace kontavo {

// The nodes of the index's ternary search trees: field access, creation with
// an optional tail (the rest of a word in one piece, a NUL-terminated UTF-16
// string item), and release. Every read is bounds-checked through the heap.
class TreeNodes {
public:
    explicit TreeNodes(IndexHeap& heap) : m_heap(heap), m_bytes(heap.bytes()) {}

    // True when `node` is a node item inside the heap.
    bool isNode(uint32_t node) const;
    uint32_t field(uint32_t node, uint32_t at) const { return m_bytes.word(node + at); }
    void setField(uint32_t node, uint32_t at, uint32_t value) { m_bytes.setWord(node + at, value); }
    char16_t character(uint32_t node) const { return m_bytes.half(node + indexlayout::kCharAt); }
    bool hasTail(uint32_t node) const {
        return m_bytes.byte(node + indexlayout::kTailFlagAt) == indexlayout::kTailFlag;
    }
    // The node's tail; empty when it has none or the string leaves the heap.
    QString tail(uint32_t node) const;

    // A node for `c` hanging from `parent`, carrying `tail` when not empty.
    uint32_t create(uint32_t parent, char16_t c, QStringView tail);
    // Frees the node's tail; the node keeps its 28 bytes (marked wide).
    void dropTail(uint32_t node);
    // Frees the node and its tail.
    void release(uint32_t node);
    // Replaces the link from `parent` (or from the tree root word `rootAt`
    // when `parent` is 0) to `node` by `replacement`.
    void replaceChild(uint32_t parent, uint32_t rootAt, uint32_t node, uint32_t replacement);

    static uint32_t tailBytes(qsizetype length) { return uint32_t((2 * (length + 1) + 3) & ~3); }

private:
    uint32_t nodeBytes(uint32_t node) const;

    IndexHeap& m_heap;
    CheckedBytes& m_bytes;
};

}  // namespace kontavo
