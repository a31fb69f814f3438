#include "store/searchwords.h"

#include <algorithm>

#include "store/lettergroupset.h"

namespace kontavo {

bool isWordSeparator(QChar c) {
    static constexpr char16_t kSeparators[] = u"\r\n\t `!@#$%^&*()_|{}:\"/<>?[];',.\u2116-=\\";
    const char16_t code = c.unicode();
    return std::find(std::begin(kSeparators), std::end(kSeparators) - 1, code) !=
           std::end(kSeparators) - 1;
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
