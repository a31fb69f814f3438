#pragma once

#include <QString>
#include <QStringView>

namespace kontavo {

// Splits the text of an extended property block into tokens: a word is a
// maximal run of characters that are neither white space nor one of
// ":", ";", "[", "]" (a backslash and the special character after it belong
// to the word); every white-space character and every unescaped ":", ";",
// "[" or "]" is a token of its own. A NUL character ends the text.
// Works on a view: the text must outlive the tokenizer.
class BlockTokenizer {
public:
    explicit BlockTokenizer(QStringView text);

    bool atEnd() const { return m_pos >= m_text.size(); }
    void skipSpace();
    // True when the next token is the one-character token `c`.
    bool nextIs(QChar c) const;
    // Consumes the next token when it is the one-character token `c`.
    bool expect(QChar c);
    // True when the next token begins with a letter.
    bool nextBeginsWithLetter() const;
    // Skips white space, then collects words and white space up to the next
    // unescaped special character (not consumed); the text comes back trimmed
    // and unescaped.
    QString readValue();
    // Consumes tokens up to and including the next `c` token; false when
    // there is none (everything is consumed).
    bool skipPast(QChar c);

private:
    bool isDelimiter(QChar c) const;
    // Length of the token at `pos`.
    qsizetype tokenLength(qsizetype pos) const;

    QStringView m_text;
    qsizetype m_pos = 0;
};

}  // namespace kontavo
