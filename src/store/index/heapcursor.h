#pragma once

#include <cstdint>
#include <span>

#include "store/index/checkedbytes.h"

namespace kontavo {

// Hands out index-store items one after another from a start offset (the
// heap top), growing the store in large steps, for builds that lay out a
// whole store at once. Items are zero-filled. The caller sets the heap top
// to end() when done. Ends the program (as the heap does) when the store
// cannot hold the items.
class HeapCursor {
public:
    HeapCursor(CheckedBytes& bytes, uint32_t start) : m_bytes(bytes), m_end(start) {}

    uint32_t take(uint32_t bytes);
    uint32_t end() const { return m_end; }

    // Writes a sorted array item (count, entries, room up to its capacity)
    // as SortedArray reads it: one word per entry, or two when `values` is
    // given (then of the same length as `keys`).
    uint32_t writeArray(std::span<const uint32_t> keys, std::span<const uint32_t> values = {});

private:
    void grow(uint64_t needed);

    CheckedBytes& m_bytes;
    uint32_t m_end;
};

}  // namespace kontavo
