#pragma once

#include <QtEndian>
#include <cstdint>
#include <cstring>
#include <vector>

namespace kontavo {

// The union of sorted Oid lists read straight from an index store (32-bit
// little-endian words), produced sorted and without duplicates, or used to
// narrow another sorted list. Lists that lie close together in the Oid space
// are merged through a bitmap over their range (linear in the entries),
// others by sorting; a list much longer than the list being narrowed is
// searched instead of read whole. The lists must stay in place until the
// result is taken. Not thread-safe; an object may be reused after take() or
// keepIn().
class OidUnion {
public:
    // Adds a sorted list of `count` words at `words` (which may be null when
    // `count` is 0).
    void add(const uint8_t* words, uint32_t count);
    // The number of entries added, duplicates included: what taking the
    // union costs.
    uint64_t entries() const { return m_entries; }

    // Writes the union to `out` (replacing its contents) and empties this
    // object.
    void take(std::vector<uint32_t>& out);
    // Keeps of `sorted` (ascending, unique) only the Oids the union holds,
    // and empties this object.
    void keepIn(std::vector<uint32_t>& sorted);

private:
    struct List {
        const uint8_t* words;
        uint32_t count;

        uint32_t at(uint32_t i) const {
            uint32_t value;
            std::memcpy(&value, words + 4 * size_t(i), 4);
            return qFromLittleEndian(value);
        }
        // The first index at or after `from` whose entry is not below `oid`.
        uint32_t seek(uint32_t from, uint32_t oid) const;
    };
    // Sets the bits of every entry of the lists marked for it within
    // [low, high] in m_bits.
    void mark(uint32_t low, uint32_t high, uint32_t longerThan);
    bool bitSet(uint32_t oid, uint32_t low) const {
        const uint32_t bit = oid - low;
        return (m_bits[bit / 64] >> (bit % 64) & 1) != 0;
    }
    void clear();

    std::vector<List> m_lists;
    std::vector<uint64_t> m_bits;
    std::vector<uint8_t> m_found;
    uint64_t m_entries = 0;
    uint32_t m_low = UINT32_MAX;
    uint32_t m_high = 0;
};

}  // namespace kontavo
