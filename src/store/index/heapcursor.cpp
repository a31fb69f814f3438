#include "store/index/heapcursor.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "store/index/indexheap.h"
#include "store/index/sortedarray.h"

namespace kontavo {

namespace {

// Growth steps of at least this size keep the number of resizes small.
constexpr uint64_t kMinimumStep = 4 << 20;

}  // namespace

void HeapCursor::grow(uint64_t needed) {
    StoreMemory& memory = m_bytes.memory();
    const uint64_t capacity = memory.capacity() & ~3u;
    if (needed > capacity) {
        failMappedFile(IndexHeap::kFatalSource);
    }
    const uint64_t size = memory.size();
    const uint64_t wanted =
        std::min(capacity, std::max(needed, size + std::max(kMinimumStep, size / 4)));
    growOrFail(memory, uint32_t(wanted), IndexHeap::kFatalSource);
}

uint32_t HeapCursor::take(uint32_t bytes) {
    bytes = std::max<uint32_t>(4, (bytes + 3) & ~3u);
    const uint64_t end = uint64_t(m_end) + bytes;
    if (end > m_bytes.size()) {
        grow(end);
    }
    const uint32_t offset = m_end;
    m_bytes.fill(offset, 0, bytes);
    m_end = uint32_t(end);
    return offset;
}

uint32_t HeapCursor::writeArray(std::span<const uint32_t> keys, std::span<const uint32_t> values) {
    const uint32_t words = values.empty() ? 1 : 2;
    const uint32_t count = uint32_t(keys.size());
    const uint32_t offset = take(4 + 4 * words * SortedArray::capacityFor(count));
    m_bytes.setWord(offset, count);
    if (words == 1 && std::endian::native == std::endian::little) {
        m_bytes.write(offset + 4, keys.data(), 4 * count);
        return offset;
    }
    for (uint32_t i = 0; i < count; ++i) {
        m_bytes.setWord(offset + 4 + 4 * words * i, keys[i]);
        if (words == 2) {
            m_bytes.setWord(offset + 8 + 8 * i, values[i]);
        }
    }
    return offset;
}

}  // namespace kontavo
