#pragma once

#include <QSet>
#include <QString>
#include <QStringList>
#include <QStringView>

namespace kontavo {

class LetterGroupSet;

// True for the characters that split searchable text into words: carriage
// return, line feed, tab, blank, ` ! @ # $ % ^ & * ( ) _ | { } : " / < > ? [ ]
// ; ' , . № - = and the backslash. The ABC bar's letter texts drop the same.
bool isWordSeparator(QChar c);

// The words of `text`: split at every separator (and at NUL characters),
// empty pieces dropped, each lower-cased. Used for indexed strings and for
// search text alike.
QStringList splitWords(QStringView text);

// The digits key of a phone number: a tilde followed by the number's decimal
// digits from last to first ("+1 (555) 123-4567" -> "~76543215551"). Empty
// when the number has no digit.
QString phoneDigitsKey(QStringView number);

// The words of one contact for the two word trees, each once, in the order
// first met: plain words for the first tree, and for the second the words
// whose every character belongs to a letter group, rewritten to group codes.
class SearchWords {
public:
    // `groups` may be null (then no group words are made); it must outlive
    // this object.
    explicit SearchWords(const LetterGroupSet* groups) : m_groups(groups) {}

    // Adds the words of a non-empty string.
    void addText(QStringView text);
    // Adds the words of a phone number and its digits key.
    void addPhone(QStringView number);
    // Adds one word as it is (lower-cased by the caller).
    void addWord(const QString& word);

    const QStringList& plainWords() const { return m_plain; }
    const QStringList& groupWords() const { return m_grouped; }

private:
    const LetterGroupSet* m_groups;
    QStringList m_plain;
    QStringList m_grouped;
    QSet<QString> m_seenPlain;
    QSet<QString> m_seenGrouped;
};

}  // namespace kontavo
