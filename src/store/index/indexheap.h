#pragma once

#include <cstdint>

#include "store/index/checkedbytes.h"
#include "store/index/mappedstore.h"

namespace kontavo {

// The heap of an index store: hands out and takes back items between the
// space table and the end of the store, growing the store when it runs out.
// Freed items go to exact-size free lists (4 to 256 bytes) or, larger, to one
// first-fit list; a request is served from its exact list, else from the
// first large free item that holds it, else from the smallest larger small
// free item, else from the top (the rest of a larger item is freed again). The lists and the top
// live in the space table (indexlayout.h). Items are zero-filled when handed out.
//
// Not thread-safe. Every offset read from the store is checked; a free list
// that points outside the heap sets the fault flag and is not followed.
class IndexHeap {
public:
    static constexpr FatalSource kFatalSource{"IndexStore", 163};

    explicit IndexHeap(CheckedBytes& bytes) : m_bytes(bytes) {}

    // Writes an empty space table (heap top right after it).
    void initialise();
    // True when the space table is in place and its top lies inside the store.
    bool isValid() const;

    // Allocates `bytes` (rounded up to 4); grows the store by
    // max(needed + 8, 102400) bytes when the heap is exhausted, and ends the
    // program when the store cannot grow.
    uint32_t allocate(uint32_t bytes);
    // Returns an item of `bytes` bytes (rounded up to 4) to the heap.
    void release(uint32_t offset, uint32_t bytes);

    uint32_t top() const;
    // True when [offset, offset + bytes) lies inside the heap handed out so
    // far, at a multiple of 4. A store without a space table (written by
    // another program) is read with the whole area after the header as heap.
    bool holds(uint32_t offset, uint32_t bytes) const;
    // The heap's bytes for a read-only walk: the data and the range
    // holds() accepts, taken once so that each step costs no more than a
    // bounds check. Valid until the store changes or grows.
    struct View {
        const uint8_t* data = nullptr;
        uint32_t start = 0;
        uint32_t end = 0;

        bool holds(uint32_t offset, uint32_t bytes) const {
            return offset >= start && offset % 4 == 0 && uint64_t(offset) + bytes <= end;
        }
        uint32_t word(uint32_t offset) const;
        uint8_t byte(uint32_t offset) const { return data[offset]; }
    };
    View view() const;

    // Bytes on the free lists (walks them; for checks and reports).
    uint64_t freeBytes() const;

    uint32_t spaceWord(uint32_t field) const;
    void setSpaceWord(uint32_t field, uint32_t value);
    CheckedBytes& bytes() { return m_bytes; }
    const CheckedBytes& bytes() const { return m_bytes; }

private:
    uint32_t takeSmall(uint32_t bytes, uint32_t largest);
    uint32_t takeLarge(uint32_t bytes);
    uint32_t takeTop(uint32_t bytes);

    CheckedBytes& m_bytes;
};

}  // namespace kontavo
