#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace kontavo {

// Which blocks of a PropsStore pool are in use, kept in memory only: the file
// has no room for free-block bookkeeping, so the map is rebuilt from the
// record chains whenever a store is opened. Free blocks are handed out lowest
// first, so a store filled from empty lays its chains out in order.
class BlockPool {
public:
    // `blocks` blocks, all free.
    explicit BlockPool(uint32_t blocks = 0) : m_used(blocks, false), m_free(blocks) {}

    uint32_t blockCount() const { return uint32_t(m_used.size()); }
    uint32_t freeCount() const { return m_free; }
    bool isUsed(uint32_t block) const { return block < m_used.size() && m_used[block]; }

    // Adds blocks at the end of the pool (after the store grew); all free.
    void extend(uint32_t blocks);
    // Marks one block used; false when it is out of range or used already.
    bool take(uint32_t block);
    void release(uint32_t block);
    // Takes `count` free blocks, lowest first; nullopt (nothing taken) when
    // fewer are free.
    std::optional<std::vector<uint32_t>> allocate(uint32_t count);

private:
    std::vector<bool> m_used;
    uint32_t m_free = 0;
    uint32_t m_searchFrom = 0;  // no free block lies below this one
};

}  // namespace kontavo
