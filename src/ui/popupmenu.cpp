#include "ui/popupmenu.h"

#include <QApplication>
#include <QFontMetrics>

#include "ui/menutextfit.h"
#include "ui/popupplacement.h"

namespace kontavo {

// A submenu takes its menu's font: a menu is a window, and fonts do not pass
// on to windows by themselves.
PopupMenu::PopupMenu(QWidget* parent) : QMenu(parent) {
    if (qobject_cast<QMenu*>(parent) != nullptr) {
        setFont(parent->font());
    }
    connect(this, &QMenu::aboutToShow, this, &PopupMenu::fitToScreen);
}

PopupMenu::PopupMenu(const QString& title, QWidget* parent) : PopupMenu(parent) {
    setTitle(title);
}

PopupMenu* PopupMenu::addPopup(const QString& title) {
    auto* sub = new PopupMenu(title, this);
    addMenu(sub);
    return sub;
}

QMenu* PopupMenu::parentMenu() const {
    return qobject_cast<QMenu*>(parentWidget());
}

QRect PopupMenu::screenRect() const {
    if (const auto* parent = qobject_cast<PopupMenu*>(parentWidget())) {
        return parent->screenRect();
    }
    QWidget* owner = m_owner != nullptr ? m_owner.data() : parentWidget();
    if (owner == nullptr) {
        return {};
    }
    const QWidget* window = owner->window();
    return {window->mapToGlobal(QPoint(0, 0)), window->size()};
}

// A menu taller than its screen gives up the room above and below each
// item's text (the sixteen note colours on a 240 x 320 screen).
void PopupMenu::fitHeight(const QRect& screen) {
    if (!styleSheet().isEmpty()) {
        setStyleSheet(QString());
    }
    if (!screen.isEmpty() && sizeHint().height() > screen.height()) {
        setStyleSheet(QStringLiteral("QMenu::item { padding-top: 0px; padding-bottom: 0px; }"));
    }
}

// The least shortening that lets the menu fit, found by halving: how wide
// the menu grows around its texts is the style's affair.
void PopupMenu::fitToScreen() {
    for (auto it = m_fullTexts.constBegin(); it != m_fullTexts.constEnd(); ++it) {
        it.key()->setText(it.value());
    }
    m_fullTexts.clear();
    const QRect screen = screenRect();
    fitHeight(screen);
    if (screen.isEmpty() || sizeHint().width() <= screen.width()) {
        return;
    }
    QList<QAction*> items;
    QList<MenuItemText> texts;
    for (QAction* action : actions()) {
        if (!action->isSeparator() && !action->text().isEmpty()) {
            items.append(action);
            texts.append(MenuItemText::split(action->text()));
            m_fullTexts.insert(action, action->text());
        }
    }
    const QFontMetrics metrics(font());
    const TextWidth measure = [&metrics](const QString& text) {
        return metrics.horizontalAdvance(text);
    };
    const auto apply = [&](int excess) {
        const QList<MenuItemText> fitted = fitMenuTexts(texts, excess, measure);
        for (qsizetype i = 0; i < items.size(); ++i) {
            items[i]->setText(fitted[i].joined());
        }
        return sizeHint().width() <= screen.width();
    };
    int fits = sizeHint().width();  // shortening by this much always fits
    int tooLittle = 0;
    while (fits - tooLittle > 1) {
        const int excess = (fits + tooLittle) / 2;
        (apply(excess) ? fits : tooLittle) = excess;
    }
    apply(fits);
}

QRect PopupMenu::placement() const {
    const QRect screen = screenRect();
    QSize size = this->size();
    size.setWidth(std::min(size.width(), screen.width()));
    const QMenu* parent = parentMenu();
    if (parent == nullptr) {
        return placePopup(screen, pos(), size);
    }
    QRect item;
    for (QAction* action : parent->actions()) {
        if (action->menu() == this) {
            const QRect local = parent->actionGeometry(action);
            item = QRect(parent->mapToGlobal(local.topLeft()), local.size());
        }
    }
    return placeSubmenu(screen, parent->geometry(), item.isNull() ? geometry() : item, size);
}

// Qt has placed the menu on the whole display; it moves onto the program's
// screen before it appears.
void PopupMenu::showEvent(QShowEvent* event) {
    QMenu::showEvent(event);
    if (screenRect().isEmpty()) {
        return;
    }
    const QRect target = placement();
    if (target != geometry()) {
        setGeometry(target);
    }
}

}  // namespace kontavo
