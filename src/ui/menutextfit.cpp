#include "ui/menutextfit.h"

#include <algorithm>

namespace kontavo {

MenuItemText MenuItemText::split(const QString& text) {
    const qsizetype tab = text.indexOf(u'\t');
    if (tab < 0) {
        return {text, {}};
    }
    return {text.left(tab), text.mid(tab + 1)};
}

QString MenuItemText::joined() const {
    return value.isEmpty() ? label : label + u'\t' + value;
}

QList<MenuItemText> fitMenuTexts(const QList<MenuItemText>& items, int excess,
                                 const TextWidth& measure) {
    if (excess <= 0) {
        return items;
    }
    int labels = 0;
    int values = 0;
    for (const MenuItemText& item : items) {
        labels = std::max(labels, measure(item.label));
        values = std::max(values, item.value.isEmpty() ? 0 : measure(item.value));
    }
    const int total = std::max(0, labels + values - excess);
    const int labelWidth =
        values == 0 ? total : std::min(labels, std::max(total / 2, total - values));
    const int valueWidth = total - labelWidth;
    QList<MenuItemText> fitted;
    for (const MenuItemText& item : items) {
        fitted.append(
            {shortenText(item.label, labelWidth, measure),
             item.value.isEmpty() ? QString() : shortenText(item.value, valueWidth, measure)});
    }
    return fitted;
}

}  // namespace kontavo
