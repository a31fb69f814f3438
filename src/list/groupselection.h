#pragma once

#include <QChar>
#include <QList>
#include <QString>

namespace kontavo {

// The letter groups picked for a search, in order, and the text the search
// field shows for them: the letter of each pick (the first character of the
// group's letters as the set writes them), joined by "-", so picking ABC,
// DEF and ABC shows "A-D-A". Pick k sits at character 2k of that text.
class GroupSelection {
public:
    void append(int group, QChar letter);
    // Backspace at caret position `caret` (in characters) removes pick number
    // ceil(caret / 2) - 1 with its letter and separator. With a selected range
    // of `selectionLength` characters from `selectionStart`, the picks whose
    // letters lie in it are removed instead (the pick before the range end
    // when only separators are selected). Returns the groups removed.
    QList<int> removeAt(int caret, int selectionStart = -1, int selectionLength = 0);
    // Removes the last pick; returns its group, or -1 when there is none.
    int removeLast();
    void clear();

    bool isEmpty() const { return m_groups.isEmpty(); }
    int count() const { return int(m_groups.size()); }
    const QList<int>& groups() const { return m_groups; }
    QString text() const;

private:
    int removePick(int pick);

    QList<int> m_groups;
    QString m_letters;  // one letter per pick
};

}  // namespace kontavo
