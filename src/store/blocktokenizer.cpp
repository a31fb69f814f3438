#include "store/blocktokenizer.h"

#include "store/blockescape.h"

namespace kontavo {

BlockTokenizer::BlockTokenizer(QStringView text) : m_text(text) {
    const qsizetype nul = m_text.indexOf(QChar(0));
    if (nul >= 0) {
        m_text = m_text.left(nul);
    }
}

bool BlockTokenizer::isDelimiter(QChar c) const {
    return c == u':' || c == u';' || c == u'[' || c == u']';
}

qsizetype BlockTokenizer::tokenLength(qsizetype pos) const {
    const QChar first = m_text[pos];
    if (first.isSpace() || isDelimiter(first)) {
        return 1;
    }
    qsizetype end = pos;
    while (end < m_text.size() && !m_text[end].isSpace() && !isDelimiter(m_text[end])) {
        const bool escapePair =
            m_text[end] == u'\\' && end + 1 < m_text.size() && isBlockSpecial(m_text[end + 1]);
        end += escapePair ? 2 : 1;
    }
    return end - pos;
}

void BlockTokenizer::skipSpace() {
    while (!atEnd() && m_text[m_pos].isSpace()) {
        ++m_pos;
    }
}

bool BlockTokenizer::nextIs(QChar c) const {
    return !atEnd() && m_text[m_pos] == c && isDelimiter(c);
}

bool BlockTokenizer::expect(QChar c) {
    if (!nextIs(c)) {
        return false;
    }
    ++m_pos;
    return true;
}

bool BlockTokenizer::nextBeginsWithLetter() const {
    return !atEnd() && m_text[m_pos].isLetter();
}

QString BlockTokenizer::readValue() {
    skipSpace();
    const qsizetype start = m_pos;
    while (!atEnd() && !isDelimiter(m_text[m_pos])) {
        m_pos += tokenLength(m_pos);
    }
    return unescapeBlockText(m_text.mid(start, m_pos - start).trimmed());
}

bool BlockTokenizer::skipPast(QChar c) {
    while (!atEnd()) {
        const bool found = nextIs(c);
        m_pos += tokenLength(m_pos);
        if (found) {
            return true;
        }
    }
    return false;
}

}  // namespace kontavo
