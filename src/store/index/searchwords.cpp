#include "store/index/searchwords.h"

#include <array>
#include <cstdint>

#include "store/index/lettergroupset.h"

namespace kontavo {

namespace {

constexpr char16_t kSeparators[] = u"\r\n\t `!@#$%^&*()_|{}:\"/<>?[];',.\u2116-=\\";
constexpr char16_t kNumeroSign = u'\u2116';

// The separators below 128, one bit each.
constexpr std::array<uint64_t, 2> asciiSeparators() {
    std::array<uint64_t, 2> bits{};
    for (const char16_t c : kSeparators) {
        if (c != 0 && c < 128) {
            bits[c / 64] |= uint64_t(1) << (c % 64);
        }
    }
    return bits;
}

constexpr std::array<uint64_t, 2> kAsciiSeparators = asciiSeparators();

// isWordSeparator() tests the one separator past 127 by itself.
constexpr bool onlyNumeroSignPastAscii() {
    for (const char16_t c : kSeparators) {
        if (c >= 128 && c != kNumeroSign) {
            return false;
        }
    }
    return true;
}
static_assert(onlyNumeroSignPastAscii());

}  // namespace

bool isWordSeparator(QChar c) {
    const char16_t code = c.unicode();
    if (code < 128) {
        return (kAsciiSeparators[code / 64] >> (code % 64) & 1) != 0;
    }
    return code == kNumeroSign;
}

QStringList splitWords(QStringView text) {
    QStringList words;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        // A NUL ends a stored string on the device; it never enters a word.
        if (i == text.size() || isWordSeparator(text[i]) || text[i].isNull()) {
            if (i > start) {
                words.append(text.mid(start, i - start).toString().toLower());
            }
            start = i + 1;
        }
    }
    return words;
}

QString phoneDigitsKey(QStringView number) {
    QString key;
    for (qsizetype i = number.size() - 1; i >= 0; --i) {
        if (number[i] >= QLatin1Char('0') && number[i] <= QLatin1Char('9')) {
            key.append(number[i]);
        }
    }
    return key.isEmpty() ? key : QLatin1Char('~') + key;
}

void SearchWords::addWord(const QString& word) {
    if (word.isEmpty() || m_seenPlain.contains(word)) {
        return;
    }
    m_seenPlain.insert(word);
    m_plain.append(word);
    if (m_groups == nullptr) {
        return;
    }
    const auto rewritten = m_groups->rewrite(word);
    if (rewritten && !m_seenGrouped.contains(*rewritten)) {
        m_seenGrouped.insert(*rewritten);
        m_grouped.append(*rewritten);
    }
}

void SearchWords::addText(QStringView text) {
    for (const QString& word : splitWords(text)) {
        addWord(word);
    }
}

void SearchWords::addPhone(QStringView number) {
    addText(number);
    addWord(phoneDigitsKey(number));
}

}  // namespace kontavo
