#include "list/abcbarlabels.h"

namespace kontavo {

AbcBarLabels AbcBarLabels::fromText(const QStringList& labelsWithAlternates) {
    AbcBarLabels result;
    for (const QString& text : labelsWithAlternates) {
        const qsizetype caret = text.indexOf(QLatin1Char('^'));
        result.labels.append(caret < 0 ? text : text.left(caret));
        result.alternateLabels.append(caret < 0 ? QString() : text.mid(caret + 1));
        result.hasAlternate = result.hasAlternate || !result.alternateLabels.last().isEmpty();
    }
    return result;
}

}  // namespace kontavo
