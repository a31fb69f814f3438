#pragma once

#include <QList>
#include <QRect>
#include <optional>

#include "list/categoryfiltermenu.h"

class QWidget;

namespace kontavo {

class ContactListPhoneMenu;
struct MenuEntry;

// The dialogs and pop-up menus the contact list shows (QtContactListUi on
// screen; tests give a recording fake). Each returns when the user is done.
// UI thread only.
class ContactListUi {
public:
    virtual ~ContactListUi() = default;

    // "Selected contacts will be permanently deleted. Continue?" with Yes
    // and No; true for Yes.
    virtual bool confirmDelete(QWidget* parent) = 0;
    // The phone menu of a row whose phone strip is `anchor` (global
    // coordinates); the chosen entry index (entries, then the action item
    // at menu.actionIndex()), or -1 when dismissed.
    virtual int showPhoneMenu(const ContactListPhoneMenu& menu, const QRect& anchor,
                              QWidget* parent) = 0;
    // The category filter menu under `button`; the chosen item id, or 0.
    virtual int showFilterMenu(const QList<CategoryFilterMenu::Item>& items, QWidget* button) = 0;
    // The category list dialog ("More...") starting from `current`; the
    // ticked categories, or nullopt when cancelled or not available.
    virtual std::optional<QList<Oid>> chooseCategories(const QList<Oid>& current,
                                                       QWidget* parent) = 0;
    // The list's context menu at `globalPos`, right-aligned; the chosen
    // command id, or 0.
    virtual int showContextMenu(const QList<MenuEntry>& entries, QPoint globalPos,
                                QWidget* parent) = 0;
    // How many categories the filter menu can list below `button`.
    virtual int filterMenuCapacity(QWidget* button) = 0;
};

}  // namespace kontavo
