#include "ui/resourcescriptlexer.h"

namespace kontavo {

namespace {

constexpr int64_t kNumberLimit = 0xFFFFFFFFLL;

bool isWordStart(QChar c) {
    return c.isLetter() || c == QLatin1Char('_');
}

}  // namespace

ResourceScriptLexer::ResourceScriptLexer(const QByteArray& utf8)
    : m_text(QString::fromUtf8(utf8)) {}

ScriptToken ResourceScriptLexer::peek() {
    const qsizetype pos = m_pos;
    const int line = m_line;
    ScriptToken token = next();
    m_pos = pos;
    m_line = line;
    return token;
}

void ResourceScriptLexer::skipBlanksAndComments() {
    while (m_pos < m_text.size()) {
        const QChar c = m_text[m_pos];
        const bool comment =
            c == QLatin1Char('#') ||
            (c == QLatin1Char('/') && m_text.mid(m_pos, 2) == QStringLiteral("//"));
        if (comment) {
            while (m_pos < m_text.size() && m_text[m_pos] != QLatin1Char('\n')) {
                ++m_pos;
            }
        } else if (c == QLatin1Char('\n')) {
            ++m_line;
            ++m_pos;
        } else if (c.isSpace()) {
            ++m_pos;
        } else {
            return;
        }
    }
}

ScriptToken ResourceScriptLexer::next() {
    skipBlanksAndComments();
    if (m_pos >= m_text.size()) {
        return {ScriptToken::Kind::End, {}, 0, m_line};
    }
    const QChar c = m_text[m_pos];
    if (c == QLatin1Char(',')) {
        ++m_pos;
        return {ScriptToken::Kind::Comma, QStringLiteral(","), 0, m_line};
    }
    if (c == QLatin1Char('"')) {
        return readString();
    }
    if (c.isDigit()) {
        return readNumber();
    }
    if (isWordStart(c)) {
        return readWord();
    }
    return {ScriptToken::Kind::Error, QString(c), 0, m_line};
}

ScriptToken ResourceScriptLexer::readString() {
    QString text;
    ++m_pos;  // opening quote
    while (m_pos < m_text.size() && m_text[m_pos] != QLatin1Char('\n')) {
        const QChar c = m_text[m_pos++];
        if (c != QLatin1Char('"')) {
            text.append(c);
        } else if (m_pos < m_text.size() && m_text[m_pos] == QLatin1Char('"')) {
            text.append(c);
            ++m_pos;
        } else {
            return {ScriptToken::Kind::String, text, 0, m_line};
        }
    }
    return {ScriptToken::Kind::Error, QStringLiteral("unterminated string"), 0, m_line};
}

ScriptToken ResourceScriptLexer::readNumber() {
    const qsizetype start = m_pos;
    while (m_pos < m_text.size() && m_text[m_pos].isLetterOrNumber()) {
        ++m_pos;
    }
    const QString digits = m_text.mid(start, m_pos - start);
    bool ok = false;
    const bool hex = digits.startsWith(QStringLiteral("0x"), Qt::CaseInsensitive);
    const qlonglong value = hex ? digits.mid(2).toLongLong(&ok, 16) : digits.toLongLong(&ok, 10);
    if (!ok || value > kNumberLimit) {
        return {ScriptToken::Kind::Error, digits, 0, m_line};
    }
    return {ScriptToken::Kind::Number, digits, value, m_line};
}

ScriptToken ResourceScriptLexer::readWord() {
    const qsizetype start = m_pos;
    while (m_pos < m_text.size() &&
           (m_text[m_pos].isLetterOrNumber() || m_text[m_pos] == QLatin1Char('_'))) {
        ++m_pos;
    }
    return {ScriptToken::Kind::Word, m_text.mid(start, m_pos - start).toUpper(), 0, m_line};
}

}  // namespace kontavo
