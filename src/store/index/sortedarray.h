#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "store/index/indexheap.h"

namespace kontavo {

// Heap items holding a 32-bit count followed by that many entries sorted by
// their first word, without duplicate keys: Oid lists (one word per entry)
// and Oid maps (two words: key, value). An item with count c occupies
// 4 + entryBytes * capacityFor(c) bytes, so an item grows in place until its
// capacity class is full and is moved to a larger item only then.
//
// An offset of 0 stands for "no item" (an empty array). Operations that change
// an array return its offset afterwards, which may differ.
class SortedArray {
public:
    SortedArray(IndexHeap& heap, uint32_t words) : m_heap(heap), m_words(words) {}

    // Entries an item of `count` entries has room for: count itself up to 4,
    // then count rounded up to a multiple of 2^(k-2) for 2^k <= count, and
    // over kDoublingFrom the next power of two.
    static constexpr uint32_t kDoublingFrom = 256;
    static uint32_t capacityFor(uint32_t count);
    uint32_t itemBytes(uint32_t count) const;

    // The number of entries; 0 (and the fault flag) when the item does not fit.
    uint32_t count(uint32_t offset) const;
    // The entry index of `key`.
    std::optional<uint32_t> find(uint32_t offset, uint32_t key) const;
    // Word `word` of entry `index` (no range check beyond the store's).
    uint32_t at(uint32_t offset, uint32_t index, uint32_t word = 0) const;
    void setAt(uint32_t offset, uint32_t index, uint32_t word, uint32_t value);
    // Inserts `key` (with `value` as its second word); an existing key keeps
    // its place and takes the new value. `added` tells whether it was new.
    uint32_t insert(uint32_t offset, uint32_t key, uint32_t value = 0, bool* added = nullptr);
    // Removes `key`. The last entry's removal frees the item (result 0) unless
    // `keepEmpty`, which leaves a 4-byte item holding 0.
    uint32_t remove(uint32_t offset, uint32_t key, bool keepEmpty, bool* removed = nullptr);
    // A new item holding `keys` (sorted, unique), with the given second words.
    uint32_t create(const std::vector<uint32_t>& keys, const std::vector<uint32_t>& values = {});
    // Frees the item.
    void release(uint32_t offset);
    // The keys, in order (empty when the item does not fit).
    std::vector<uint32_t> keys(uint32_t offset) const;
    // Appends the keys to `out`.
    void appendKeys(uint32_t offset, std::vector<uint32_t>& out) const;
    // The entries in place: a pointer to the first entry and their number
    // in `count`; null (count 0) for an empty array or one that does not fit.
    const uint8_t* entries(uint32_t offset, uint32_t& count) const;

private:
    uint32_t entryAt(uint32_t offset, uint32_t index) const {
        return offset + 4 + index * 4 * m_words;
    }
    uint32_t lowerBound(uint32_t offset, uint32_t count, uint32_t key) const;
    uint32_t moveTo(uint32_t offset, uint32_t count, uint32_t newCount, uint32_t gapAt,
                    uint32_t skip);

    IndexHeap& m_heap;
    uint32_t m_words;
};

}  // namespace kontavo
