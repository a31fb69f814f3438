#include "list/groupselection.h"

namespace kontavo {

void GroupSelection::append(int group, QChar letter) {
    m_groups.append(group);
    m_letters.append(letter);
}

QList<int> GroupSelection::removeAt(int caret, int selectionStart, int selectionLength) {
    QList<int> removed;
    if (selectionStart >= 0 && selectionLength > 0) {
        const int end = selectionStart + selectionLength;
        for (int pick = count() - 1; pick >= 0; --pick) {
            if (2 * pick >= selectionStart && 2 * pick < end) {
                removed.prepend(removePick(pick));
            }
        }
        if (!removed.isEmpty()) {
            return removed;
        }
        caret = end;
    }
    const int pick = (caret + 1) / 2 - 1;  // ceil(caret / 2) - 1
    if (pick >= 0 && pick < count()) {
        removed.append(removePick(pick));
    }
    return removed;
}

int GroupSelection::removeLast() {
    return isEmpty() ? -1 : removePick(count() - 1);
}

void GroupSelection::clear() {
    m_groups.clear();
    m_letters.clear();
}

QString GroupSelection::text() const {
    QString text;
    for (int pick = 0; pick < m_letters.size(); ++pick) {
        if (pick > 0) {
            text.append(QLatin1Char('-'));
        }
        text.append(m_letters[pick]);
    }
    return text;
}

int GroupSelection::removePick(int pick) {
    const int group = m_groups.takeAt(pick);
    m_letters.remove(pick, 1);
    return group;
}

}  // namespace kontavo
