#include "ui/appframe.h"

#include "ui/wndmessages.h"

namespace kontavo {

AppFrame::AppFrame(QString windowClass) : m_windowClass(std::move(windowClass)) {
    setObjectName(m_windowClass);
    hide();
}

AppFrame::~AppFrame() = default;

int32_t AppFrame::windowProc(const WindowMessage& message, QObject* control) {
    if (message.id == wm::kCommand) {
        onCommand(int(wm::hiWord(message.wParam)), int(wm::loWord(message.wParam)), control);
    }
    return 0;
}

bool AppFrame::create(QWidget* parent, const QRect& rect) {
    setParent(parent);
    setGeometry(rect);
    hide();
    m_created = true;
    if (!onCreate()) {
        destroyWindow();
        return false;
    }
    return true;
}

void AppFrame::destroyWindow() {
    if (!m_created) {
        return;
    }
    hide();
    setParent(nullptr);
    m_created = false;
}

void AppFrame::onCommand(int, int, QObject*) {}

void AppFrame::moveFrame(const QRect& rect) {
    setGeometry(rect);
}

bool AppFrame::handleCommand(int, int) {
    return false;
}

void AppFrame::showFrame() {
    show();
}

void AppFrame::hideFrame() {
    hide();
}

void AppFrame::onActivate(bool, QWidget*) {}

void AppFrame::onSettingChange(uint32_t, uint32_t) {}

bool AppFrame::event(QEvent* event) {
    if (routeMessageEvent(event, *this)) {
        return true;
    }
    // Only a change of visibility counts, once each way.
    if (event->type() == QEvent::Show && !m_shown) {
        m_shown = true;
        onShow();
    } else if (event->type() == QEvent::Hide && m_shown) {
        m_shown = false;
        onHide();
    }
    return QWidget::event(event);
}

}  // namespace kontavo
