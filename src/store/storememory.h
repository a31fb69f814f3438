#pragma once

#include <cstdint>

namespace kontavo {

// The bytes an index store works on: one contiguous, growable data area (the
// data of a mapped store, or a plain buffer in tests and fuzzers).
//
// Not thread-safe; the pointer returned by data() stays valid while the
// object lives, also across resize().
class StoreMemory {
public:
    virtual ~StoreMemory() = default;

    virtual uint8_t* data() = 0;
    virtual const uint8_t* data() const = 0;
    // The number of data bytes in use.
    virtual uint32_t size() const = 0;
    // The largest size resize() can reach.
    virtual uint32_t capacity() const = 0;
    // Sets the size in use; bytes gained read as zero unless they were in use
    // before. False when the memory cannot supply `newSize` bytes.
    virtual bool resize(uint32_t newSize) = 0;
};

}  // namespace kontavo
