#include "store/nodering.h"

#include "store/indexlayout.h"

namespace kontavo {

using namespace indexlayout;

uint32_t NodeRing::newChunk() {
    return m_heap.allocate(kChunkBytes);
}

uint32_t NodeRing::create(uint32_t node) {
    const uint32_t chunk = newChunk();
    CheckedBytes& bytes = m_heap.bytes();
    bytes.setWord(chunk + kChunkNextAt, chunk);
    bytes.setWord(chunk + kChunkPrevAt, chunk);
    bytes.setWord(chunk + kChunkCountAt, 1);
    bytes.setWord(chunk + kChunkSlotsAt, node);
    return chunk;
}

void NodeRing::append(uint32_t first, uint32_t node) {
    CheckedBytes& bytes = m_heap.bytes();
    const uint32_t last = bytes.word(first + kChunkPrevAt);
    const uint32_t count = bytes.word(last + kChunkCountAt);
    if (m_heap.holds(last, kChunkBytes) && count < kChunkSlots) {
        bytes.setWord(last + kChunkSlotsAt + 4 * count, node);
        bytes.setWord(last + kChunkCountAt, count + 1);
        return;
    }
    const uint32_t chunk = newChunk();
    bytes.setWord(chunk + kChunkCountAt, 1);
    bytes.setWord(chunk + kChunkSlotsAt, node);
    bytes.setWord(chunk + kChunkPrevAt, last);
    bytes.setWord(chunk + kChunkNextAt, first);
    bytes.setWord(last + kChunkNextAt, chunk);
    bytes.setWord(first + kChunkPrevAt, chunk);
}

std::vector<uint32_t> NodeRing::chunks(uint32_t first) const {
    std::vector<uint32_t> found;
    const CheckedBytes& bytes = m_heap.bytes();
    const uint32_t limit = m_heap.top() / kChunkBytes + 1;
    uint32_t chunk = first;
    uint32_t previous = bytes.word(first + kChunkPrevAt);
    do {
        if (!m_heap.holds(chunk, kChunkBytes) || found.size() > limit ||
            bytes.word(chunk + kChunkPrevAt) != previous) {
            const_cast<CheckedBytes&>(bytes).setFault();
            return {};
        }
        found.push_back(chunk);
        previous = chunk;
        chunk = bytes.word(chunk + kChunkNextAt);
    } while (chunk != first);
    return found;
}

std::vector<uint32_t> NodeRing::nodes(uint32_t first) const {
    std::vector<uint32_t> found;
    const CheckedBytes& bytes = m_heap.bytes();
    for (uint32_t chunk : chunks(first)) {
        const uint32_t count = bytes.word(chunk + kChunkCountAt);
        for (uint32_t i = 0; i < count && i < kChunkSlots; ++i) {
            found.push_back(bytes.word(chunk + kChunkSlotsAt + 4 * i));
        }
    }
    return found;
}

void NodeRing::replace(uint32_t first, uint32_t from, uint32_t to) {
    CheckedBytes& bytes = m_heap.bytes();
    for (uint32_t chunk : chunks(first)) {
        const uint32_t count = bytes.word(chunk + kChunkCountAt);
        for (uint32_t i = 0; i < count && i < kChunkSlots; ++i) {
            if (bytes.word(chunk + kChunkSlotsAt + 4 * i) == from) {
                bytes.setWord(chunk + kChunkSlotsAt + 4 * i, to);
            }
        }
    }
}

void NodeRing::release(uint32_t first) {
    for (uint32_t chunk : chunks(first)) {
        m_heap.release(chunk, kChunkBytes);
    }
}

}  // namespace kontavo
