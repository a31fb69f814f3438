#pragma once

#include <cstdint>
#include <vector>

#include "store/indexheap.h"

namespace kontavo {

// A contact's node list in one word tree: the nodes at which its words end,
// kept as a ring of 92-byte chunks (next chunk, previous chunk, count of at
// most 20, 20 node slots). The first chunk's previous link names the last
// chunk and the last chunk's next link names the first. A ring is named by
// its first chunk.
class NodeRing {
public:
    explicit NodeRing(IndexHeap& heap) : m_heap(heap) {}

    // A new ring holding `node`.
    uint32_t create(uint32_t node);
    // Appends `node` to the ring, adding a chunk when the last one is full.
    void append(uint32_t first, uint32_t node);
    // Every node of the ring, in order. A ring that leaves the heap or does
    // not close sets the fault flag and yields what was read before.
    std::vector<uint32_t> nodes(uint32_t first) const;
    // Replaces every slot naming `from` by `to`.
    void replace(uint32_t first, uint32_t from, uint32_t to);
    // Frees every chunk of the ring.
    void release(uint32_t first);

private:
    uint32_t newChunk();
    // The chunks of the ring in order; empty when the ring is broken.
    std::vector<uint32_t> chunks(uint32_t first) const;

    IndexHeap& m_heap;
};

}  // namespace kontavo
