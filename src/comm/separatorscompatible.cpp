#include "comm/separatorscompatible.h"

#include <QList>
#include <QString>

#include "comm/phonesyntax.h"

namespace kontavo {

namespace {

bool literalDigitsMatch(QStringView pattern, QStringView middle) {
    qsizetype m = 0;
    for (const QChar c : pattern) {
        if (!phone::isSlot(c)) {
            continue;
        }
        while (m < middle.size() && !phone::isDigit(middle[m])) {
            ++m;
        }
        if (m == middle.size()) {
            break;
        }
        if (phone::isDigit(c) && c != middle[m]) {
            return false;
        }
        ++m;
    }
    return true;
}

// The texts between the members of each non-adjacent disjoint pair of
// positions picked by `isMember`, blanks removed, in order.
template <typename Predicate>
QList<QString> pairGaps(QStringView text, Predicate isMember) {
    QList<QString> gaps;
    qsizetype pending = -1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!isMember(text[i])) {
            continue;
        }
        if (pending < 0) {
            pending = i;
            continue;
        }
        if (i - pending > 1) {
            gaps.append(text.mid(pending + 1, i - pending - 1).toString().remove(u' '));
        }
        pending = -1;
    }
    return gaps;
}

}  // namespace

bool separatorsCompatible(QStringView pattern, QStringView middle) {
    if (pattern.isEmpty() || middle.isEmpty() || !literalDigitsMatch(pattern, middle)) {
        return false;
    }
    const QList<QString> templateGaps = pairGaps(pattern, phone::isSlot);
    qsizetype next = 0;
    for (const QString& gap : pairGaps(middle, phone::isDigit)) {
        while (next < templateGaps.size() && !templateGaps[next].contains(gap)) {
            ++next;
        }
        if (next == templateGaps.size()) {
            return false;
        }
        ++next;
    }
    return true;
}

}  // namespace kontavo
