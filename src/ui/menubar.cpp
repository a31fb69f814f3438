#include "ui/menubar.h"

#include <QAction>
#include <QHBoxLayout>
#include <QMenu>
#include <QPainter>
#include <QToolButton>

#include "ui/icons.h"
#include "ui/popupmenu.h"
#include "ui/sharedfonts.h"
#include "ui/shellui.h"

namespace kontavo {

MenuBar::MenuBar(const MenuResource& menu, ShellUi& shell, QWidget* parent)
    : QWidget(parent), m_shell(shell) {
    setObjectName(QStringLiteral("MenuBar"));
    // The program's font, also in dialogs, which do not take their owner's.
    setFont(SharedFonts::current().normal);
    setAutoFillBackground(true);
    QPalette colors = palette();
    colors.setColor(QPalette::Window, QColor(0xE8, 0xE8, 0xE8));
    setPalette(colors);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(1, 0, 1, 0);
    row->setSpacing(2);
    for (const MenuItem& item : menu.items()) {
        addTopLevel(item);
    }
    row->addStretch(1);
    m_sipButton = new QToolButton(this);
    m_sipButton->setObjectName(QStringLiteral("SipButton"));
    m_sipButton->setIcon(QIcon(loadIconPixmap(icon::kKeyboard)));
    m_sipButton->setIconSize(loadIconPixmap(icon::kKeyboard).size());
    m_sipButton->setAutoRaise(true);
    m_sipButton->setFocusPolicy(Qt::NoFocus);
    connect(m_sipButton, &QToolButton::clicked, this,
            [this] { m_shell.setSipUp(!m_shell.isSipUp()); });
    row->addWidget(m_sipButton);
    placeAtBottom();
    raise();
}

MenuBar::~MenuBar() {
    qDeleteAll(m_popups);
}

void MenuBar::placeAtBottom() {
    if (parentWidget() != nullptr) {
        const int height = m_shell.menuBarHeight();
        setGeometry(0, parentWidget()->height() - height, parentWidget()->width(), height);
    }
}

QAction* MenuBar::makeAction(const MenuItem& item, QObject* owner) {
    auto* action = new QAction(item.text, owner);
    action->setEnabled(!item.grayed);
    action->setCheckable(item.checked);
    action->setChecked(item.checked);
    const int id = item.id;
    connect(action, &QAction::triggered, this, [this, action, id] {
        // A menu item is checked only by the program, never by the tap.
        if (action->isCheckable()) {
            action->setChecked(!action->isChecked());
        }
        emit command(id);
    });
    m_actions.insert(id, action);
    m_order.append(id);
    return action;
}

void MenuBar::fillMenu(QMenu* menu, const QList<MenuItem>& items) {
    for (const MenuItem& item : items) {
        switch (item.kind) {
            case MenuItem::Kind::Separator:
                menu->addSeparator();
                break;
            case MenuItem::Kind::Command:
                menu->addAction(makeAction(item, menu));
                break;
            case MenuItem::Kind::Popup: {
                auto* sub = new PopupMenu(item.text, menu);
                menu->addMenu(sub);
                sub->setEnabled(!item.grayed);
                fillMenu(sub, item.children);
                break;
            }
        }
    }
}

void MenuBar::addTopLevel(const MenuItem& item) {
    if (item.kind == MenuItem::Kind::Separator) {
        return;
    }
    auto* button = new QToolButton(this);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    QMenu* popup = nullptr;
    if (item.kind == MenuItem::Kind::Command) {
        QAction* action = makeAction(item, this);
        action->setIconText(item.text);  // a button keeps the "..." of "Edit..."
        button->setDefaultAction(action);
    } else {
        button->setText(item.text);
        button->setEnabled(!item.grayed);
        auto* menu = new PopupMenu(item.text, nullptr);
        menu->setFont(font());
        menu->setScreenOwner(this);
        fillMenu(menu, item.children);
        popup = menu;
        connect(button, &QToolButton::clicked, this,
                [this, button, popup] { showPopupAbove(button, popup); });
    }
    m_buttons.append(button);
    m_popups.append(popup);
    static_cast<QHBoxLayout*>(layout())->addWidget(button);
}

void MenuBar::showPopupAbove(QToolButton* button, QMenu* menu) {
    if (auto* fitting = qobject_cast<PopupMenu*>(menu)) {
        fitting->fitToScreen();
    }
    const QSize size = menu->sizeHint();
    menu->popup(button->mapToGlobal(QPoint(0, -size.height())));
}

void MenuBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(QColor(0x80, 0x80, 0x80));
    painter.drawLine(0, 0, width() - 1, 0);
}

QMenu* MenuBar::popupOf(int index) const {
    return m_popups.value(index);
}

QAction* MenuBar::action(int id) const {
    return m_actions.value(id);
}

QList<int> MenuBar::commandIds() const {
    return m_order;
}

bool MenuBar::enableItem(int id, bool enabled) {
    QAction* item = action(id);
    if (item != nullptr) {
        item->setEnabled(enabled);
    }
    return item != nullptr;
}

bool MenuBar::checkItem(int id, bool checked) {
    QAction* item = action(id);
    if (item != nullptr) {
        // Only a checked item shows a mark, as on the handheld.
        item->setCheckable(checked);
        item->setChecked(checked);
    }
    return item != nullptr;
}

void MenuBar::checkRadioItem(int first, int last, int id) {
    for (int other = first; other <= last; ++other) {
        checkItem(other, other == id);
    }
}

}  // namespace kontavo
