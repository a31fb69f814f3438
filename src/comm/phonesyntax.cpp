#include "comm/phonesyntax.h"

#include <algorithm>

namespace kontavo::phone {

int templateWeight(QStringView text) {
    return int(std::count_if(text.begin(), text.end(), isSlot));
}

int digitCount(QStringView text) {
    return int(std::count_if(text.begin(), text.end(), isDigit));
}

bool hasLiteralDigit(QStringView text) {
    return std::any_of(text.begin(), text.end(), isDigit);
}

QString dialSequence(QStringView text) {
    QString kept;
    for (const QChar c : text) {
        if (isDigit(c) || c == u'*' || c == u'#' || c == u',') {
            kept += c;
        }
    }
    return kept;
}

}  // namespace kontavo::phone
