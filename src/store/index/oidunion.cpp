#include "store/index/oidunion.h"

#include <algorithm>
#include <bit>

namespace kontavo {

namespace {

// A bitmap is used while it has at most this many bits per entry (and never
// beyond a few megabytes).
constexpr uint64_t kBitsPerEntry = 256;
constexpr uint64_t kMaxBitmapWords = 1u << 19;
// A list this many times longer than the list it narrows is searched.
constexpr uint64_t kSearchFactor = 8;

bool bitmapFits(uint64_t words, uint64_t entries) {
    return words <= entries * kBitsPerEntry / 64 && words <= kMaxBitmapWords;
}

}  // namespace

uint32_t OidUnion::List::seek(uint32_t from, uint32_t oid) const {
    uint32_t step = 1;
    uint32_t low = from;
    uint32_t high = from;
    while (high < count && at(high) < oid) {
        low = high + 1;
        high = from + step;
        step *= 2;
    }
    high = std::min(high, count);
    while (low < high) {
        const uint32_t middle = low + (high - low) / 2;
        if (at(middle) < oid) {
            low = middle + 1;
        } else {
            high = middle;
        }
    }
    return low;
}

void OidUnion::add(const uint8_t* words, uint32_t count) {
    if (count == 0 || words == nullptr) {
        return;
    }
    const List list{words, count};
    m_lists.push_back(list);
    m_entries += count;
    m_low = std::min(m_low, list.at(0));
    m_high = std::max(m_high, list.at(count - 1));
}

void OidUnion::clear() {
    m_lists.clear();
    m_entries = 0;
    m_low = UINT32_MAX;
    m_high = 0;
}

void OidUnion::mark(uint32_t low, uint32_t high, uint32_t longerThan) {
    m_bits.assign(size_t((uint64_t(high) - low) / 64 + 1), 0);
    for (const List& list : m_lists) {
        if (list.count > longerThan) {
            continue;
        }
        for (uint32_t i = list.seek(0, low); i < list.count; ++i) {
            const uint32_t oid = list.at(i);
            if (oid > high) {
                break;
            }
            const uint32_t bit = oid - low;
            m_bits[bit / 64] |= uint64_t(1) << (bit % 64);
        }
    }
}

void OidUnion::take(std::vector<uint32_t>& out) {
    out.clear();
    if (m_lists.size() == 1) {
        const List& list = m_lists.front();
        out.resize(list.count);
        if constexpr (std::endian::native == std::endian::little) {
            std::memcpy(out.data(), list.words, 4 * size_t(list.count));
        } else {
            for (uint32_t i = 0; i < list.count; ++i) {
                out[i] = list.at(i);
            }
        }
    } else if (!m_lists.empty()) {
        if (bitmapFits((uint64_t(m_high) - m_low) / 64 + 1, m_entries)) {
            mark(m_low, m_high, UINT32_MAX);
            out.reserve(size_t(m_entries));
            for (size_t w = 0; w < m_bits.size(); ++w) {
                for (uint64_t bits = m_bits[w]; bits != 0; bits &= bits - 1) {
                    out.push_back(m_low + uint32_t(w * 64) + uint32_t(std::countr_zero(bits)));
                }
            }
        } else {
            out.reserve(size_t(m_entries));
            for (const List& list : m_lists) {
                for (uint32_t i = 0; i < list.count; ++i) {
                    out.push_back(list.at(i));
                }
            }
            std::sort(out.begin(), out.end());
            out.erase(std::unique(out.begin(), out.end()), out.end());
        }
    }
    clear();
}

// Lists much longer than `sorted` are searched for its entries; the others
// are marked in a bitmap over the range `sorted` spans (or, when that would
// be too sparse, merged and intersected).
void OidUnion::keepIn(std::vector<uint32_t>& sorted) {
    const size_t n = sorted.size();
    if (n == 0 || m_lists.empty() || m_high < sorted.front() || m_low > sorted.back()) {
        sorted.clear();
        clear();
        return;
    }
    const uint64_t longest = kSearchFactor * n;
    const uint32_t longerThan = uint32_t(std::min<uint64_t>(longest, UINT32_MAX));
    m_found.assign(n, 0);
    uint64_t shortEntries = 0;
    for (const List& list : m_lists) {
        if (list.count > longerThan) {
            uint32_t at = 0;
            for (size_t i = 0; i < n && at < list.count; ++i) {
                at = list.seek(at, sorted[i]);
                if (at < list.count && list.at(at) == sorted[i]) {
                    m_found[i] = 1;
                }
            }
        } else {
            shortEntries += list.count;
        }
    }
    const uint32_t low = std::max(sorted.front(), m_low);
    const uint32_t high = std::min(sorted.back(), m_high);
    if (shortEntries > 0 && low <= high) {
        const uint64_t words = (uint64_t(high) - low) / 64 + 1;
        if (bitmapFits(words, shortEntries + n)) {
            mark(low, high, longerThan);
            for (size_t i = 0; i < n; ++i) {
                const uint32_t oid = sorted[i];
                m_found[i] |= uint8_t(oid >= low && oid <= high && bitSet(oid, low));
            }
        } else {
            std::vector<uint32_t> merged;
            for (const List& list : m_lists) {
                if (list.count <= longerThan) {
                    for (uint32_t i = 0; i < list.count; ++i) {
                        merged.push_back(list.at(i));
                    }
                }
            }
            std::sort(merged.begin(), merged.end());
            for (size_t i = 0; i < n; ++i) {
                m_found[i] |= uint8_t(std::binary_search(merged.begin(), merged.end(), sorted[i]));
            }
        }
    }
    size_t kept = 0;
    for (size_t i = 0; i < n; ++i) {
        sorted[kept] = sorted[i];
        kept += m_found[i];
    }
    sorted.resize(kept);
    clear();
}

}  // namespace kontavo
