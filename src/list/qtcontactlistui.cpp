#include "list/qtcontactlistui.h"

#include <QActionGroup>

#include "diag/resources.h"
#include "list/contactcontextmenu.h"
#include "list/contactlistphonemenu.h"
#include "store/contacts/recentlist.h"
#include "ui/messageboxes.h"
#include "ui/popupmenu.h"
#include "ui/sharedfonts.h"

namespace kontavo {

namespace {

constexpr int kDeleteCaption = 41139;
constexpr int kDeleteText = 41140;

void addEntries(PopupMenu& menu, const QList<MenuEntry>& entries) {
    for (const MenuEntry& entry : entries) {
        if (entry.separator) {
            menu.addSeparator();
        } else if (!entry.children.isEmpty()) {
            PopupMenu* sub = menu.addPopup(entry.text);
            sub->setEnabled(entry.enabled);
            addEntries(*sub, entry.children);
        } else {
            QAction* action = menu.addAction(entry.text);
            action->setData(entry.id);
            action->setEnabled(entry.enabled);
        }
    }
}

int chosenId(const QAction* chosen) {
    return chosen != nullptr ? chosen->data().toInt() : 0;
}

}  // namespace

QPoint phoneMenuPosition(const QRect& anchor, QSize menuSize, int screenHeight) {
    const int left = anchor.right() + 1 - menuSize.width();
    if (screenHeight - (anchor.bottom() + 1) < menuSize.height()) {
        return {left, anchor.top() - menuSize.height()};
    }
    return {left, anchor.bottom() + 1};
}

bool QtContactListUi::confirmDelete(QWidget* parent) {
    return MessageBoxes::current().askYesNo(parent, loadStringStrict(kDeleteText),
                                            loadStringStrict(kDeleteCaption),
                                            MessageBoxes::Icon::Warning);
}

int QtContactListUi::showPhoneMenu(const ContactListPhoneMenu& menu, const QRect& anchor,
                                   QWidget* parent) {
    PopupMenu popup(parent);
    popup.setFont(SharedFonts::current().normal);
    QActionGroup marks(&popup);
    marks.setExclusive(true);
    const auto& entries = menu.entries();
    for (int i = 0; i < entries.size(); ++i) {
        QAction* action = popup.addAction(entries[i].item.label + u'\t' + entries[i].shownValue);
        action->setData(i);
        action->setCheckable(true);
        action->setChecked(i == menu.preselected());
        marks.addAction(action);
    }
    popup.addSeparator();
    QAction* act = popup.addAction(menu.actionText());
    act->setData(menu.actionIndex());
    act->setEnabled(menu.offersAction());
    popup.fitToScreen();
    const QRect screen = popup.screenRect();
    const QPoint at = phoneMenuPosition(anchor, popup.sizeHint(), screen.bottom() + 1);
    const QAction* chosen = popup.exec(at);
    return chosen != nullptr ? chosen->data().toInt() : -1;
}

int QtContactListUi::showFilterMenu(const QList<CategoryFilterMenu::Item>& items, QWidget* button) {
    PopupMenu popup(button);
    for (const CategoryFilterMenu::Item& item : items) {
        QAction* action = popup.addAction(item.text);
        action->setData(item.id);
        action->setCheckable(item.checked);
        action->setChecked(item.checked);
        action->setEnabled(item.enabled);
    }
    const QPoint below =
        button != nullptr ? button->mapToGlobal(QPoint(0, button->height())) : QPoint();
    return chosenId(popup.exec(below));
}

std::optional<QList<Oid>> QtContactListUi::chooseCategories(const QList<Oid>& current,
                                                            QWidget* parent) {
    if (!m_chooseCategories) {
        return std::nullopt;
    }
    return m_chooseCategories(CategoryListDialog::Mode::Filter, current,
                              parent != nullptr ? parent->window() : nullptr);
}

int QtContactListUi::showContextMenu(const QList<MenuEntry>& entries, QPoint globalPos,
                                     QWidget* parent) {
    PopupMenu popup(parent);
    popup.setFont(SharedFonts::current().normal);
    addEntries(popup, entries);
    popup.fitToScreen();
    return chosenId(popup.exec(globalPos - QPoint(popup.sizeHint().width(), 0)));
}

int QtContactListUi::filterMenuCapacity(QWidget* button) {
    PopupMenu probe(button);
    probe.addAction(QStringLiteral("X"));
    const int lineHeight = probe.sizeHint().height();
    const int frameHeight = button != nullptr ? button->window()->height() : 0;
    return categoryMenuCapacity(frameHeight, std::max(1, lineHeight));
}

}  // namespace kontavo
