#pragma once

#include <QList>
#include <QString>

#include "ui/textshortener.h"

namespace kontavo {

// The text of one menu item: a label, and for a two-column item (the phone
// and e-mail items: label, a tab, the value) its value. A plain value.
struct MenuItemText {
    QString label;
    QString value;  // empty: a one-column item

    bool operator==(const MenuItemText&) const = default;

    // Splits an item's text at its first tab.
    static MenuItemText split(const QString& text);
    // The text again, with the tab between label and value.
    QString joined() const;
};

// A menu is as wide as its widest label plus its widest value. Shortens the
// items so that those two widths together lose at least `excess` pixels:
// the value column gives up room first, the label column only down to half
// of what is left; texts that do not fit their column end in "...".
QList<MenuItemText> fitMenuTexts(const QList<MenuItemText>& items, int excess,
                                 const TextWidth& measure);

}  // namespace kontavo
