#pragma once

#include <cstdint>
#include <cstring>

#include "store/index/storememory.h"

namespace kontavo {

// Little-endian access to a store's bytes in which every offset is checked
// against the size in use before it is touched. A read out of bounds yields 0
// and a write out of bounds is dropped; both set the fault flag, which the
// stores turn into failure. Offsets read from a file are never trusted.
class CheckedBytes {
public:
    explicit CheckedBytes(StoreMemory& memory) : m_memory(memory) {}

    uint32_t size() const { return m_memory.size(); }
    // True when [offset, offset + length) lies inside the data in use.
    bool fits(uint64_t offset, uint64_t length) const {
        return offset + length <= uint64_t(m_memory.size());
    }

    uint32_t word(uint32_t offset) const {
        uint8_t b[4];
        return read(offset, b, 4) ? uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 |
                                        uint32_t(b[3]) << 24
                                  : 0;
    }
    uint16_t half(uint32_t offset) const {
        uint8_t b[2];
        return read(offset, b, 2) ? uint16_t(b[0] | b[1] << 8) : 0;
    }
    uint8_t byte(uint32_t offset) const {
        uint8_t b = 0;
        read(offset, &b, 1);
        return b;
    }
    void setWord(uint32_t offset, uint32_t value) {
        const uint8_t b[4] = {uint8_t(value), uint8_t(value >> 8), uint8_t(value >> 16),
                              uint8_t(value >> 24)};
        write(offset, b, 4);
    }
    void setHalf(uint32_t offset, uint16_t value) {
        const uint8_t b[2] = {uint8_t(value), uint8_t(value >> 8)};
        write(offset, b, 2);
    }
    void setByte(uint32_t offset, uint8_t value) { write(offset, &value, 1); }

    bool read(uint32_t offset, void* out, uint32_t length) const {
        if (!fits(offset, length)) {
            m_fault = true;
            return false;
        }
        if (length != 0) {  // `out` may be null for an empty read
            std::memcpy(out, m_memory.data() + offset, length);
        }
        return true;
    }
    bool write(uint32_t offset, const void* in, uint32_t length) {
        if (!fits(offset, length)) {
            m_fault = true;
            return false;
        }
        if (length != 0) {  // `in` may be null for an empty write
            std::memcpy(m_memory.data() + offset, in, length);
        }
        return true;
    }
    // Moves `length` bytes within the data (the ranges may overlap).
    bool move(uint32_t to, uint32_t from, uint32_t length) {
        if (!fits(to, length) || !fits(from, length)) {
            m_fault = true;
            return false;
        }
        std::memmove(m_memory.data() + to, m_memory.data() + from, length);
        return true;
    }
    bool fill(uint32_t offset, uint8_t value, uint32_t length) {
        if (!fits(offset, length)) {
            m_fault = true;
            return false;
        }
        std::memset(m_memory.data() + offset, value, length);
        return true;
    }
    // Direct pointer to a checked range (valid until the next resize of a
    // buffer that moves; mapped stores never move).
    const uint8_t* span(uint32_t offset, uint32_t length) const {
        if (!fits(offset, length)) {
            m_fault = true;
            return nullptr;
        }
        return m_memory.data() + offset;
    }

    bool fault() const { return m_fault; }
    void clearFault() { m_fault = false; }
    void setFault() { m_fault = true; }
    StoreMemory& memory() { return m_memory; }

private:
    StoreMemory& m_memory;
    mutable bool m_fault = false;
};

}  // namespace kontavo
