#include "store/index/wordpostings.h"

#include <algorithm>

namespace kontavo {

namespace {

constexpr size_t kInitialSlots = 1024;

uint64_t hashOf(std::u16string_view word) {
    uint64_t hash = 1469598103934665603ull;  // FNV-1a
    for (char16_t c : word) {
        hash = (hash ^ c) * 1099511628211ull;
    }
    return hash;
}

}  // namespace

WordPostings::WordPostings() : m_start{0}, m_slots(kInitialSlots, 0), m_contactFirstPair{0} {}

uint32_t WordPostings::intern(std::u16string_view word) {
    const size_t mask = m_slots.size() - 1;
    for (size_t slot = hashOf(word) & mask;; slot = (slot + 1) & mask) {
        const uint32_t entry = m_slots[slot];
        if (entry == 0) {
            const uint32_t id = uint32_t(m_start.size() - 1);
            m_chars.insert(m_chars.end(), word.begin(), word.end());
            m_start.push_back(uint32_t(m_chars.size()));
            m_slots[slot] = id + 1;
            if (2 * (m_start.size() - 1) > m_slots.size()) {
                rehash();
            }
            return id;
        }
        if (text(entry - 1) == word) {
            return entry - 1;
        }
    }
}

void WordPostings::rehash() {
    std::vector<uint32_t> table(2 * m_slots.size(), 0);
    const size_t mask = table.size() - 1;
    for (uint32_t id = 0; id + 1 < m_start.size(); ++id) {
        size_t slot = hashOf(text(id)) & mask;
        while (table[slot] != 0) {
            slot = (slot + 1) & mask;
        }
        table[slot] = id + 1;
    }
    m_slots.swap(table);
}

void WordPostings::add(QStringView word, uint32_t contact) {
    while (contactCount() <= contact) {
        m_contactFirstPair.push_back(m_pairWord.size());
    }
    m_pairWord.push_back(
        intern({reinterpret_cast<const char16_t*>(word.utf16()), size_t(word.size())}));
    m_pairContact.push_back(contact);
    m_contactFirstPair.back() = m_pairWord.size();
}

void WordPostings::finish(const std::vector<uint32_t>& rankOf, uint32_t rankCount) {
    const uint32_t words = uint32_t(m_start.size() - 1);
    m_order.resize(words);
    for (uint32_t id = 0; id < words; ++id) {
        m_order[id] = id;
    }
    std::sort(m_order.begin(), m_order.end(),
              [this](uint32_t a, uint32_t b) { return text(a) < text(b); });
    std::vector<uint32_t> positionOf(words);
    for (uint32_t position = 0; position < words; ++position) {
        positionOf[m_order[position]] = position;
    }
    // Counting sort of the pairs by the word's sorted position.
    m_firstRank.assign(size_t(words) + 1, 0);
    for (uint32_t id : m_pairWord) {
        ++m_firstRank[positionOf[id] + 1];
    }
    for (uint32_t position = 0; position < words; ++position) {
        m_firstRank[position + 1] += m_firstRank[position];
    }
    std::vector<uint64_t> fill(m_firstRank.begin(), m_firstRank.end() - 1);
    m_ranks.resize(m_pairWord.size());
    for (size_t pair = 0; pair < m_pairWord.size(); ++pair) {
        m_ranks[fill[positionOf[m_pairWord[pair]]]++] = rankOf[m_pairContact[pair]];
    }
    for (uint32_t& id : m_pairWord) {
        id = positionOf[id];
    }
    std::vector<uint32_t>().swap(m_pairContact);
    m_contactOfRank.assign(rankCount, kNone);
    for (uint32_t contact = 0; contact < rankOf.size(); ++contact) {
        m_contactOfRank[rankOf[contact]] = contact;
    }
    std::vector<uint32_t>().swap(m_slots);
    for (uint32_t position = 0; position < words; ++position) {
        auto first = m_ranks.begin() + int64_t(m_firstRank[position]);
        auto last = m_ranks.begin() + int64_t(m_firstRank[position + 1]);
        if (!std::is_sorted(first, last)) {
            std::sort(first, last);
        }
    }
}

}  // namespace kontavo
