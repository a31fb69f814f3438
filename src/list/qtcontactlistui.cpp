#include "list/qtcontactlistui.h"

#include <QActionGroup>
#include <QGuiApplication>
#include <QMenu>
#include <QMessageBox>
#include <QScreen>

#include "diag/resources.h"
#include "list/contactcontextmenu.h"
#include "list/contactlistphonemenu.h"
#include "store/contacts/recentlist.h"
#include "ui/sharedfonts.h"

namespace kontavo {

namespace {

constexpr int kDeleteCaption = 41139;
constexpr int kDeleteText = 41140;

int screenHeightOf(QWidget* widget) {
    const QScreen* screen = widget != nullptr ? widget->screen() : QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->geometry().bottom() + 1 : 0;
}

void addEntries(QMenu& menu, const QList<MenuEntry>& entries) {
    for (const MenuEntry& entry : entries) {
        if (entry.separator) {
            menu.addSeparator();
        } else if (!entry.children.isEmpty()) {
            addEntries(*menu.addMenu(entry.text), entry.children);
        } else {
            QAction* action = menu.addAction(entry.text);
            action->setData(entry.id);
            action->setEnabled(entry.enabled);
        }
    }
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
    const int answer = QMessageBox::warning(parent, loadStringStrict(kDeleteCaption),
                                            loadStringStrict(kDeleteText),
                                            QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    return answer == QMessageBox::Yes;
}

int QtContactListUi::showPhoneMenu(const ContactListPhoneMenu& menu, const QRect& anchor,
                                   QWidget* parent) {
    QMenu popup(parent);
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
    popup.addAction(menu.actionText())->setData(menu.actionIndex());
    const QSize size = popup.sizeHint();
    const QAction* chosen = popup.exec(phoneMenuPosition(anchor, size, screenHeightOf(parent)));
    return chosen != nullptr ? chosen->data().toInt() : -1;
}

int QtContactListUi::showFilterMenu(const QList<CategoryFilterMenu::Item>& items, QWidget* button) {
    QMenu popup(button);
    for (const CategoryFilterMenu::Item& item : items) {
        QAction* action = popup.addAction(item.text);
        action->setData(item.id);
        action->setCheckable(item.checked);
        action->setChecked(item.checked);
    }
    const QPoint below =
        button != nullptr ? button->mapToGlobal(QPoint(0, button->height())) : QPoint();
    const QAction* chosen = popup.exec(below);
    return chosen != nullptr ? chosen->data().toInt() : 0;
}

std::optional<QList<CategoryFilterMenu::NamedCategory>> QtContactListUi::chooseCategories(
    const QList<Oid>&, QWidget*) {
    return std::nullopt;
}

int QtContactListUi::showContextMenu(const QList<MenuEntry>& entries, QPoint globalPos,
                                     QWidget* parent) {
    QMenu popup(parent);
    popup.setFont(SharedFonts::current().normal);
    addEntries(popup, entries);
    const QAction* chosen = popup.exec(globalPos - QPoint(popup.sizeHint().width(), 0));
    return chosen != nullptr ? chosen->data().toInt() : 0;
}

int QtContactListUi::filterMenuCapacity(QWidget* button) {
    QMenu probe;
    probe.addAction(QStringLiteral("X"));
    const int lineHeight = probe.sizeHint().height();
    const int frameHeight = button != nullptr ? button->window()->height() : 0;
    return categoryMenuCapacity(frameHeight, std::max(1, lineHeight));
}

}  // namespace kontavo
