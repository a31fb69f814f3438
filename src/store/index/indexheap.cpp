#include "store/index/indexheap.h"

#include <QtEndian>
#include <algorithm>
#include <cstring>

#include "store/index/indexlayout.h"

namespace kontavo {

using namespace indexlayout;

namespace {

constexpr uint32_t kMinimumGrowth = 102400;

uint32_t roundUp4(uint32_t value) {
    return (value + 3) & ~3u;
}
uint32_t smallHead(uint32_t bytes) {
    return kSpaceSmallFreeAt + (bytes / 4 - 1) * 4;
}

}  // namespace

uint32_t IndexHeap::spaceWord(uint32_t field) const {
    return m_bytes.word(kSpaceTableAt + field);
}

void IndexHeap::setSpaceWord(uint32_t field, uint32_t value) {
    m_bytes.setWord(kSpaceTableAt + field, value);
}

void IndexHeap::initialise() {
    m_bytes.fill(kSpaceTableAt, 0, kSpaceTableBytes);
    setSpaceWord(kSpaceSignatureAt, kSpaceSignature);
    setSpaceWord(kSpaceTopAt, kHeapStart);
}

bool IndexHeap::isValid() const {
    const uint32_t heapTop = top();
    return m_bytes.fits(kSpaceTableAt, kSpaceTableBytes) &&
           spaceWord(kSpaceSignatureAt) == kSpaceSignature && heapTop >= kHeapStart &&
           heapTop <= m_bytes.size() && heapTop % 4 == 0;
}

uint32_t IndexHeap::top() const {
    return spaceWord(kSpaceTopAt);
}

bool IndexHeap::holds(uint32_t offset, uint32_t bytes) const {
    const uint32_t size = m_bytes.size();
    const uint32_t heapTop = top();
    const bool tabled = spaceWord(kSpaceSignatureAt) == kSpaceSignature && heapTop <= size;
    const uint32_t start = tabled ? kHeapStart : kHeaderBytes;
    const uint32_t end = tabled ? heapTop : size;
    return offset >= start && offset % 4 == 0 && uint64_t(offset) + bytes <= end;
}

IndexHeap::View IndexHeap::view() const {
    const uint32_t size = m_bytes.size();
    const uint32_t heapTop = top();
    const bool tabled = spaceWord(kSpaceSignatureAt) == kSpaceSignature && heapTop <= size;
    const uint8_t* data = m_bytes.span(0, size);
    if (data == nullptr) {
        return {};
    }
    return {data, tabled ? kHeapStart : kHeaderBytes, tabled ? heapTop : size};
}

uint32_t IndexHeap::View::word(uint32_t offset) const {
    uint32_t value;
    std::memcpy(&value, data + offset, 4);
    return qFromLittleEndian(value);
}

uint32_t IndexHeap::allocate(uint32_t bytes) {
    bytes = std::max<uint32_t>(4, roundUp4(bytes));
    // Large free items are left behind by lists that grew; they are cut up
    // for later requests before small items of other sizes are split.
    uint32_t offset = bytes <= kSmallLimit ? takeSmall(bytes, bytes) : 0;
    if (offset == 0) {
        offset = takeLarge(bytes);
    }
    if (offset == 0 && bytes < kSmallLimit) {
        offset = takeSmall(bytes, kSmallLimit);
    }
    if (offset == 0) {
        offset = takeTop(bytes);
    }
    m_bytes.fill(offset, 0, bytes);
    return offset;
}

// Best fit among the small lists of sizes up to `largest`: the exact size,
// else the next larger free item, whose rest is freed again.
uint32_t IndexHeap::takeSmall(uint32_t bytes, uint32_t largest) {
    for (uint32_t size = bytes; size <= largest; size += 4) {
        const uint32_t head = spaceWord(smallHead(size));
        // A 4-byte rest would hardly ever be asked for again.
        if (head == 0 || size == bytes + 4) {
            continue;
        }
        if (!holds(head, size)) {
            m_bytes.setFault();
            setSpaceWord(smallHead(size), 0);  // a broken list is dropped, not followed
            return 0;
        }
        setSpaceWord(smallHead(size), m_bytes.word(head));
        if (size > bytes) {
            release(head + bytes, size - bytes);
        }
        return head;
    }
    return 0;
}

// First fit; what is left of a larger item goes back to the free lists.
uint32_t IndexHeap::takeLarge(uint32_t bytes) {
    uint32_t link = kSpaceTableAt + kSpaceLargeFreeAt;
    const uint32_t limit = top() / (kSmallLimit + 4) + 1;
    for (uint32_t steps = 0; steps < limit; ++steps) {
        const uint32_t item = m_bytes.word(link);
        const uint32_t size = m_bytes.word(item + 4);
        if (item == 0 || !holds(item, 8) || size <= kSmallLimit || size % 4 != 0 ||
            !holds(item, size)) {
            if (item != 0) {
                m_bytes.setFault();
                m_bytes.setWord(link, 0);
            }
            return 0;
        }
        if (size >= bytes) {
            m_bytes.setWord(link, m_bytes.word(item));
            if (size > bytes) {
                release(item + bytes, size - bytes);
            }
            return item;
        }
        link = item;
    }
    return 0;
}

uint32_t IndexHeap::takeTop(uint32_t bytes) {
    const uint32_t offset = top();
    const uint64_t end = uint64_t(offset) + bytes;
    const uint32_t size = m_bytes.size();
    if (end > size) {
        const uint64_t growth = std::max<uint64_t>(uint64_t(bytes) + 8, kMinimumGrowth);
        const uint64_t wanted =
            std::min<uint64_t>(uint64_t(size) + growth, m_bytes.memory().capacity() & ~3u);
        if (wanted < end) {
            failMappedFile(kFatalSource);
        }
        growOrFail(m_bytes.memory(), uint32_t(wanted), kFatalSource);
    }
    setSpaceWord(kSpaceTopAt, uint32_t(end));
    return offset;
}

void IndexHeap::release(uint32_t offset, uint32_t bytes) {
    bytes = std::max<uint32_t>(4, roundUp4(bytes));
    if (!holds(offset, bytes)) {
        m_bytes.setFault();
        return;
    }
    m_bytes.fill(offset, 0, bytes);
    if (bytes <= kSmallLimit) {
        m_bytes.setWord(offset, spaceWord(smallHead(bytes)));
        setSpaceWord(smallHead(bytes), offset);
    } else {
        m_bytes.setWord(offset, spaceWord(kSpaceLargeFreeAt));
        m_bytes.setWord(offset + 4, bytes);
        setSpaceWord(kSpaceLargeFreeAt, offset);
    }
}

uint64_t IndexHeap::freeBytes() const {
    uint64_t total = 0;
    const uint32_t limit = top() / 4 + 1;
    for (uint32_t bytes = 4; bytes <= kSmallLimit; bytes += 4) {
        uint32_t item = spaceWord(smallHead(bytes));
        for (uint32_t steps = 0; item != 0 && holds(item, bytes) && steps < limit; ++steps) {
            total += bytes;
            item = m_bytes.word(item);
        }
    }
    uint32_t item = spaceWord(kSpaceLargeFreeAt);
    for (uint32_t steps = 0; item != 0 && holds(item, 8) && steps < limit; ++steps) {
        total += m_bytes.word(item + 4);
        item = m_bytes.word(item);
    }
    return total;
}

}  // namespace kontavo
