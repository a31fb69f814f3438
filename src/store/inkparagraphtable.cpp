#include "store/inkparagraphtable.h"

#include <limits>

#include "store/pocketwordink.h"

namespace kontavo::ink {

namespace {

constexpr qsizetype kFixedSize = 20;
constexpr qsizetype kEntrySize = 8;
constexpr qsizetype kTrailerSize = 4;

int64_t charSum(const QList<InkParagraphTable::Entry>& entries) {
    int64_t sum = 0;
    for (const auto& entry : entries) {
        sum += entry.chars;
    }
    return sum;
}

// `value` moved by `delta`, stopped at zero; nullopt past `limit`.
std::optional<int64_t> moved(int64_t value, int64_t delta, int64_t limit) {
    const int64_t result = qMax<int64_t>(0, value + delta);
    return result > limit ? std::nullopt : std::optional<int64_t>(result);
}

}  // namespace

std::optional<InkParagraphTable> InkParagraphTable::parse(QByteArrayView body) {
    if (body.size() < kFixedSize + kTrailerSize) {
        return std::nullopt;
    }
    const uint32_t count = readU32(body, 0);
    if (count > uint32_t((body.size() - kFixedSize - kTrailerSize) / kEntrySize)) {
        return std::nullopt;
    }
    InkParagraphTable table;
    table.m_secondCount = readU32(body, 4);
    table.m_totalChars = readU32(body, 8);
    table.m_thirdCount = readU16(body, 12);
    table.m_reserved = body.sliced(14, 6).toByteArray();
    const qsizetype trailer = kFixedSize + qsizetype(count) * kEntrySize;
    for (qsizetype k = 0; k < qsizetype(count); ++k) {
        const qsizetype at = kFixedSize + k * kEntrySize;
        // A paragraph's own id is the preceding id of the entry after it.
        const qsizetype ownIdAt = (k + 1 < qsizetype(count)) ? at + kEntrySize : trailer;
        table.m_entries.append({readU16(body, ownIdAt), readU16(body, at + 6),
                                readU16(body, at + 2), readU16(body, at + 4)});
    }
    table.m_tail = body.sliced(trailer + kTrailerSize).toByteArray();
    return table;
}

bool InkParagraphTable::setEntries(const QList<Entry>& entries) {
    const int64_t delta = int64_t(entries.size()) - int64_t(m_entries.size());
    const auto second = moved(m_secondCount, delta, std::numeric_limits<uint32_t>::max());
    const auto third = moved(m_thirdCount, delta, std::numeric_limits<uint16_t>::max());
    const auto total = moved(m_totalChars, charSum(entries) - charSum(m_entries),
                             std::numeric_limits<uint32_t>::max());
    if (!second || !third || !total) {
        return false;
    }
    m_entries = entries;
    m_secondCount = uint32_t(*second);
    m_thirdCount = uint16_t(*third);
    m_totalChars = uint32_t(*total);
    return true;
}

QByteArray InkParagraphTable::body() const {
    QByteArray out;
    out.reserve(kFixedSize + m_entries.size() * kEntrySize + kTrailerSize + m_tail.size());
    appendU32(out, uint32_t(m_entries.size()));
    appendU32(out, m_secondCount);
    appendU32(out, m_totalChars);
    appendU16(out, m_thirdCount);
    out.append(m_reserved);
    uint16_t previous = 0;
    for (const Entry& entry : m_entries) {
        appendU16(out, previous);
        appendU16(out, entry.word1);
        appendU16(out, entry.word2);
        appendU16(out, entry.chars);
        previous = entry.id;
    }
    appendU32(out, previous);
    out.append(m_tail);
    return out;
}

}  // namespace kontavo::ink
