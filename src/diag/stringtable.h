#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <optional>

namespace kontavo {

// Parsed string-table text: lines "id<TAB>text", '#' comments, blank lines;
// escapes \t \n \r \\ in the text. Later duplicates of an id are ignored.
class StringTable {
public:
    // Parses `utf8`; lines that are not of the form above are skipped and
    // counted in badLines().
    static StringTable parse(const QByteArray& utf8);

    std::optional<QString> find(int id) const;
    qsizetype size() const { return m_texts.size(); }
    int badLines() const { return m_badLines; }

private:
    QHash<int, QString> m_texts;
    int m_badLines = 0;
};

}  // namespace kontavo
