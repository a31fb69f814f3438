#pragma once

#include <QRect>
#include <QSize>

#include "comm/categorylistdialog.h"
#include "list/contactlistui.h"

namespace kontavo {

// Where the phone menu of `menuSize` opens for a phone strip `anchor` on a
// screen of `screenHeight` (global coordinates): right edge at the strip's
// right edge, below the strip; above it, bottom-aligned to its top, when
// the room below is less than the menu's height.
QPoint phoneMenuPosition(const QRect& anchor, QSize menuSize, int screenHeight);

// The contact list's dialogs and menus on screen: a Yes/No message box with
// the exclamation icon, pop-up menus that keep to the program's screen (the
// phone menu's label and value in two columns with the preselected entry
// marked), and the category list dialog through `chooseCategories` (without
// it chooseCategories answers nothing). UI thread only.
class QtContactListUi final : public ContactListUi {
public:
    explicit QtContactListUi(CategoryListRunner chooseCategories = {})
        : m_chooseCategories(std::move(chooseCategories)) {}

    bool confirmDelete(QWidget* parent) override;
    int showPhoneMenu(const ContactListPhoneMenu& menu, const QRect& anchor,
                      QWidget* parent) override;
    int showFilterMenu(const QList<CategoryFilterMenu::Item>& items, QWidget* button) override;
    std::optional<QList<Oid>> chooseCategories(const QList<Oid>& current, QWidget* parent) override;
    int showContextMenu(const QList<MenuEntry>& entries, QPoint globalPos,
                        QWidget* parent) override;
    int filterMenuCapacity(QWidget* button) override;

private:
    CategoryListRunner m_chooseCategories;
};

}  // namespace kontavo
