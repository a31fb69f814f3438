#include "card/formentry.h"

namespace kontavo {

bool NameBlockData::isLineShown(int line) const {
    if (line < 0 || line >= kNameLineCount || hidden[size_t(line)]) {
        return false;
    }
    if (line == kLineName) {
        return collapsed;
    }
    if (line <= kLineSuffix) {
        return !collapsed;
    }
    return true;
}

QList<int> NameBlockData::shownLines() const {
    QList<int> shown;
    for (int line = 0; line < kNameLineCount; ++line) {
        if (isLineShown(line)) {
            shown.append(line);
        }
    }
    return shown;
}

QString FormEntry::labelText(int row) const {
    if (row < 0 || row >= rows.size() || !labels.isValidIndex(rows[row].label)) {
        return {};
    }
    return labels.at(rows[row].label);
}

QString FormEntry::messengerTypeText(int row) const {
    if (row < 0 || row >= rows.size() || !messengerTypes.isValidIndex(rows[row].messengerType)) {
        return {};
    }
    return messengerTypes.at(rows[row].messengerType);
}

bool FormEntry::hasRowOperations() const {
    switch (kind) {
        case BlockKind::List:
        case BlockKind::Date:
        case BlockKind::Messenger:
        case BlockKind::Address:
        case BlockKind::Link:
            return true;
        default:
            return false;
    }
}

}  // namespace kontavo
