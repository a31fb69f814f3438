#include "ui/shellui.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

#include "platform/keymap.h"
#include "platform/screen.h"
#include "ui/messagewindow.h"
#include "ui/screenstyle.h"
#include "ui/wndmessages.h"

namespace kontavo {

namespace {

ShellUi* g_current = nullptr;

// The handheld's hot-key modifier bits: Alt 1, Control 2, Shift 4.
uint32_t hotKeyModifiers(Qt::KeyboardModifiers modifiers) {
    return (modifiers.testFlag(Qt::AltModifier) ? 1u : 0u) |
           (modifiers.testFlag(Qt::ControlModifier) ? 2u : 0u) |
           (modifiers.testFlag(Qt::ShiftModifier) ? 4u : 0u);
}

}  // namespace

ShellUi::ShellUi(QObject* parent) : QObject(parent) {
    g_current = this;
    applyScreenLook(Screen::current());
    qApp->installEventFilter(this);
}

ShellUi::~ShellUi() {
    if (g_current == this) {
        g_current = nullptr;
    }
}

ShellUi* ShellUi::current() {
    return g_current;
}

QSize ShellUi::screenSize() const {
    const Screen& screen = Screen::current();
    return {screen.scaleX(kScreenWidth), screen.scaleY(kScreenHeight)};
}

int ShellUi::menuBarHeight() const {
    return Screen::current().scaleY(kMenuBarHeight);
}

int ShellUi::sipHeight() const {
    return Screen::current().scaleY(kSipHeight);
}

QRect ShellUi::sipRect() const {
    const QSize screen = screenSize();
    return {0, screen.height() - menuBarHeight() - sipHeight(), screen.width(), sipHeight()};
}

QRect ShellUi::visibleDesktop() const {
    const QRect whole(QPoint(0, 0), screenSize());
    if (!m_sipUp) {
        return whole;
    }
    return whole.adjusted(0, 0, 0, sipRect().top() - whole.height());
}

void ShellUi::setSipUp(bool up) {
    if (up == m_sipUp) {
        return;
    }
    m_sipUp = up;
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget* window : windows) {
        if (dynamic_cast<MessageWindow*>(window) != nullptr) {
            sendWindowMessage(window, {wm::kSettingChange, wm::kSettingSipInfo, 0});
        }
    }
    emit sipChanged(up);
}

uint32_t ShellUi::overrideKey(QWidget* owner, int virtualKey, uint32_t request) {
    KeyOverride& entry = m_overrides[virtualKey];
    const uint32_t before = entry.flags;
    const uint32_t mask = wm::loWord(request);
    entry.flags = (entry.flags & ~mask) | (wm::hiWord(request) & mask);
    entry.owner = owner;
    return before;
}

uint32_t ShellUi::keyOverride(int virtualKey) const {
    return m_overrides.value(virtualKey).flags;
}

QWidget* ShellUi::keyOverrideOwner(int virtualKey) const {
    return m_overrides.value(virtualKey).owner;
}

void ShellUi::setAccelerators(QWidget* window, const AcceleratorTable& table) {
    m_acceleratorWindow = window;
    m_accelerators = window != nullptr ? table : AcceleratorTable();
}

bool ShellUi::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) {
        return false;
    }
    auto* key = static_cast<QKeyEvent*>(event);
    auto* target = static_cast<QWidget*>(watched);
    const int code = virtualKey(key->key(), key->modifiers());
    if (code != 0 && !key->isAutoRepeat() && handleOverriddenKey(target, code, key->modifiers())) {
        return true;
    }
    return handleAccelerator(target, key->key(), key->modifiers());
}

bool ShellUi::handleOverriddenKey(QWidget* target, int code, Qt::KeyboardModifiers modifiers) {
    const auto found = m_overrides.constFind(code);
    if (found == m_overrides.constEnd() || found->owner == nullptr ||
        target->window() != found->owner->window() || (found->flags & kNotify) == 0) {
        return false;
    }
    postWindowMessage(found->owner,
                      {wm::kHotKey, 0, wm::makeLong(hotKeyModifiers(modifiers), uint32_t(code))});
    return (found->flags & kNoDefault) != 0;
}

bool ShellUi::handleAccelerator(QWidget* target, int qtKey, Qt::KeyboardModifiers modifiers) {
    if (m_acceleratorWindow == nullptr || target->window() != m_acceleratorWindow->window()) {
        return false;
    }
    const std::optional<int> command = m_accelerators.translate(qtKey, modifiers);
    if (!command) {
        return false;
    }
    sendWindowMessage(m_acceleratorWindow,
                      {wm::kCommand, wm::makeLong(uint32_t(*command), wm::kFromAccelerator), 0});
    return true;
}

}  // namespace kontavo
