#pragma once

#include <QStringView>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace kontavo {

// The words of many contacts gathered for a bulk build of a word tree: each
// distinct word once, with the contacts that file it. Contacts are dense
// numbers 0..n-1 chosen by the caller. After finish() the words are in
// UTF-16 code-unit order and each word's contacts are in rank order.
//
// Not thread-safe. Memory: the characters of each distinct word once, and
// 8 bytes per (word, contact) pair until finish(), 8 after (each pair is
// kept both by word and by contact).
class WordPostings {
public:
    WordPostings();

    // Files `word` (not empty) under `contact`. Contacts are added in
    // ascending order, all words of one contact together, each word once.
    void add(QStringView word, uint32_t contact);
    // Sorts the words and groups the contacts of each word, ordered by
    // `rankOf[contact]`, which also replaces the contact numbers. `rankOf`
    // gives every contact added a distinct rank below `rankCount`.
    void finish(const std::vector<uint32_t>& rankOf, uint32_t rankCount);

    size_t wordCount() const { return m_order.size(); }
    // The number of contacts numbered so far (the highest contact added + 1).
    uint32_t contactCount() const { return uint32_t(m_contactFirstPair.size() - 1); }
    uint64_t postingCount() const { return m_ranks.size(); }
    // The i-th word in sorted order (after finish()).
    std::u16string_view word(size_t i) const { return text(m_order[i]); }
    // The ranks filing the i-th word, ascending (after finish()).
    std::span<const uint32_t> ranks(size_t i) const {
        return {m_ranks.data() + m_firstRank[i], m_firstRank[i + 1] - m_firstRank[i]};
    }
    // The sorted positions of the words of the contact of rank `rank`
    // (after finish()).
    std::span<const uint32_t> wordsOfRank(uint32_t rank) const {
        const uint32_t contact = rank < m_contactOfRank.size() ? m_contactOfRank[rank] : kNone;
        if (contact >= contactCount()) {
            return {};
        }
        return {m_pairWord.data() + m_contactFirstPair[contact],
                m_contactFirstPair[contact + 1] - m_contactFirstPair[contact]};
    }

private:
    static constexpr uint32_t kNone = UINT32_MAX;

    std::u16string_view text(uint32_t id) const {
        return {m_chars.data() + m_start[id], m_start[id + 1] - m_start[id]};
    }
    uint32_t intern(std::u16string_view word);
    void rehash();

    std::vector<char16_t> m_chars;     // the distinct words, back to back
    std::vector<uint32_t> m_start;     // word id -> its first character (one more entry)
    std::vector<uint32_t> m_slots;     // open addressing: word id + 1, 0 = empty
    std::vector<uint32_t> m_pairWord;  // word id per pair; its sorted position after finish()
    std::vector<uint32_t> m_pairContact;
    std::vector<uint64_t> m_contactFirstPair;  // contact -> its first pair (one more entry)
    std::vector<uint32_t> m_contactOfRank;
    std::vector<uint32_t> m_order;      // sorted position -> word id
    std::vector<uint64_t> m_firstRank;  // sorted position -> first entry in m_ranks
    std::vector<uint32_t> m_ranks;
};

}  // namespace kontavo
