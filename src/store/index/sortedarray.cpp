#include "store/index/sortedarray.h"

#include <bit>
#include <cstring>

namespace kontavo {

uint32_t SortedArray::capacityFor(uint32_t count) {
    if (count <= 4) {
        return count;
    }
    if (count > (1u << 31)) {
        return count;  // no store holds that many; the caller's bounds check fails
    }
    if (count > kDoublingFrom) {
        // Large arrays double: each move leaves a free item the size of the
        // old array, and fewer, larger moves leave less of them behind.
        return std::bit_ceil(count);
    }
    const uint32_t step = 1u << (std::bit_width(count) - 3);
    return (count + step - 1) / step * step;
}

uint32_t SortedArray::itemBytes(uint32_t count) const {
    const uint64_t bytes = 4 + uint64_t(4) * m_words * capacityFor(count);
    return bytes <= UINT32_MAX ? uint32_t(bytes) : UINT32_MAX;
}

uint32_t SortedArray::count(uint32_t offset) const {
    if (offset == 0) {
        return 0;
    }
    const CheckedBytes& bytes = m_heap.bytes();
    const uint32_t n = bytes.word(offset);
    if (!bytes.fits(offset, 4 + uint64_t(n) * 4 * m_words)) {
        const_cast<CheckedBytes&>(bytes).setFault();
        return 0;
    }
    return n;
}

uint32_t SortedArray::at(uint32_t offset, uint32_t index, uint32_t word) const {
    return m_heap.bytes().word(entryAt(offset, index) + 4 * word);
}

void SortedArray::setAt(uint32_t offset, uint32_t index, uint32_t word, uint32_t value) {
    m_heap.bytes().setWord(entryAt(offset, index) + 4 * word, value);
}

uint32_t SortedArray::lowerBound(uint32_t offset, uint32_t count, uint32_t key) const {
    uint32_t low = 0;
    uint32_t high = count;
    while (low < high) {
        const uint32_t middle = low + (high - low) / 2;
        if (at(offset, middle) < key) {
            low = middle + 1;
        } else {
            high = middle;
        }
    }
    return low;
}

std::optional<uint32_t> SortedArray::find(uint32_t offset, uint32_t key) const {
    const uint32_t n = count(offset);
    const uint32_t index = lowerBound(offset, n, key);
    return index < n && at(offset, index) == key ? std::optional<uint32_t>(index) : std::nullopt;
}

// Copies the entries into a new item of `newCount` entries, leaving a gap of
// one entry at `gapAt` (growing) or dropping entry `skip` (shrinking).
uint32_t SortedArray::moveTo(uint32_t offset, uint32_t count, uint32_t newCount, uint32_t gapAt,
                             uint32_t skip) {
    CheckedBytes& bytes = m_heap.bytes();
    const uint32_t target = m_heap.allocate(itemBytes(newCount));
    const uint32_t entry = 4 * m_words;
    uint32_t to = 0;
    for (uint32_t from = 0; from < count; ++from) {
        if (from == skip) {
            continue;
        }
        if (to == gapAt) {
            ++to;
        }
        bytes.move(entryAt(target, to), entryAt(offset, from), entry);
        ++to;
    }
    bytes.setWord(target, newCount);
    if (offset != 0) {
        m_heap.release(offset, itemBytes(count));
    }
    return target;
}

uint32_t SortedArray::insert(uint32_t offset, uint32_t key, uint32_t value, bool* added) {
    const uint32_t n = count(offset);
    const uint32_t index = lowerBound(offset, n, key);
    const bool exists = index < n && at(offset, index) == key;
    if (added != nullptr) {
        *added = !exists;
    }
    if (!exists) {
        if (offset != 0 && capacityFor(n + 1) == capacityFor(n)) {
            m_heap.bytes().move(entryAt(offset, index + 1), entryAt(offset, index),
                                (n - index) * 4 * m_words);
            m_heap.bytes().setWord(offset, n + 1);
        } else {
            offset = moveTo(offset, n, n + 1, index, UINT32_MAX);
        }
        setAt(offset, index, 0, key);
    }
    if (m_words > 1) {
        setAt(offset, index, 1, value);
    }
    return offset;
}

uint32_t SortedArray::remove(uint32_t offset, uint32_t key, bool keepEmpty, bool* removed) {
    const uint32_t n = count(offset);
    const auto index = find(offset, key);
    if (removed != nullptr) {
        *removed = index.has_value();
    }
    if (!index) {
        return offset;
    }
    if (n == 1 && !keepEmpty) {
        release(offset);
        return 0;
    }
    if (capacityFor(n - 1) != capacityFor(n)) {
        return moveTo(offset, n, n - 1, UINT32_MAX, *index);
    }
    CheckedBytes& bytes = m_heap.bytes();
    bytes.move(entryAt(offset, *index), entryAt(offset, *index + 1),
               (n - 1 - *index) * 4 * m_words);
    bytes.fill(entryAt(offset, n - 1), 0, 4 * m_words);
    bytes.setWord(offset, n - 1);
    return offset;
}

uint32_t SortedArray::create(const std::vector<uint32_t>& keys,
                             const std::vector<uint32_t>& values) {
    const uint32_t n = uint32_t(keys.size());
    const uint32_t offset = m_heap.allocate(itemBytes(n));
    m_heap.bytes().setWord(offset, n);
    for (uint32_t i = 0; i < n; ++i) {
        setAt(offset, i, 0, keys[i]);
        if (m_words > 1 && i < values.size()) {
            setAt(offset, i, 1, values[i]);
        }
    }
    return offset;
}

void SortedArray::release(uint32_t offset) {
    if (offset != 0) {
        m_heap.release(offset, itemBytes(count(offset)));
    }
}

std::vector<uint32_t> SortedArray::keys(uint32_t offset) const {
    std::vector<uint32_t> out;
    appendKeys(offset, out);
    return out;
}

const uint8_t* SortedArray::entries(uint32_t offset, uint32_t& count) const {
    count = this->count(offset);
    const uint8_t* p = count == 0 ? nullptr : m_heap.bytes().span(offset + 4, count * 4 * m_words);
    if (p == nullptr) {
        count = 0;
    }
    return p;
}

void SortedArray::appendKeys(uint32_t offset, std::vector<uint32_t>& out) const {
    const uint32_t n = count(offset);
    if (n == 0) {
        return;
    }
    const uint8_t* p = m_heap.bytes().span(offset + 4, n * 4 * m_words);
    if (p == nullptr) {
        return;
    }
    const size_t start = out.size();
    out.resize(start + n);
    if constexpr (std::endian::native == std::endian::little) {
        if (m_words == 1) {
            std::memcpy(out.data() + start, p, size_t(n) * 4);
            return;
        }
    }
    for (uint32_t i = 0; i < n; ++i, p += 4 * m_words) {
        out[start + i] =
            uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
    }
}

}  // namespace kontavo
