#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <cstdint>
#include <optional>

namespace kontavo::ink {

// The body of a Pocket Word Ink "@" record: entry count (32 bits), a second
// paragraph count (32), total characters (32), a third paragraph count (16),
// 6 further bytes, one 8-byte entry per paragraph in document order (id of
// the preceding paragraph's "A" record, two words, the paragraph's character
// count), then the id of the last paragraph's "A" record (32). Bytes after
// that are kept as they are.
//
// Entries are held by their own "A" id, so that removing or adding a
// paragraph relinks the chain; the counts change by the same difference as
// the entries, the total characters by the difference of their sums.
class InkParagraphTable {
public:
    struct Entry {
        uint16_t id = 0;     // the paragraph's own "A" record id
        uint16_t chars = 0;  // its character count, end mark included
        uint16_t word1 = 0;  // the two middle words, carried over (0 and 1 when new)
        uint16_t word2 = 1;

        bool operator==(const Entry&) const = default;
    };

    // nullopt when the body is shorter than its entry count says.
    static std::optional<InkParagraphTable> parse(QByteArrayView body);

    const QList<Entry>& entries() const { return m_entries; }
    uint32_t secondCount() const { return m_secondCount; }
    uint32_t totalChars() const { return m_totalChars; }
    uint16_t thirdCount() const { return m_thirdCount; }

    // Replaces the entries and moves the counts by the difference. Counts
    // that would fall below zero (a table that did not match its document)
    // stop at zero; false, with the table unchanged, when a count would
    // outgrow its field.
    bool setEntries(const QList<Entry>& entries);
    // The body as stored: the preceding-id chain is rebuilt from the order.
    QByteArray body() const;

private:
    QList<Entry> m_entries;
    uint32_t m_secondCount = 0;
    uint32_t m_totalChars = 0;
    uint16_t m_thirdCount = 0;
    QByteArray m_reserved;  // the 6 bytes after the third count
    QByteArray m_tail;      // bytes after the trailing id
};

}  // namespace kontavo::ink
