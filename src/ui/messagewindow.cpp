#include "ui/messagewindow.h"

#include <QCoreApplication>
#include <QWidget>

#include "ui/wndmessages.h"

namespace kontavo {

MessageEvent::MessageEvent(const WindowMessage& message, QObject* control)
    : QEvent(eventType()), m_message(message), m_control(control) {}

QEvent::Type MessageEvent::eventType() {
    static const QEvent::Type type = QEvent::Type(QEvent::registerEventType());
    return type;
}

bool routeMessageEvent(QEvent* event, MessageWindow& window) {
    if (event->type() != MessageEvent::eventType()) {
        return false;
    }
    auto* message = static_cast<MessageEvent*>(event);
    message->setResult(window.windowProc(message->message(), message->control()));
    return true;
}

void translateActivation(QEvent* event, QWidget* window) {
    if (event->type() == QEvent::WindowActivate || event->type() == QEvent::WindowDeactivate) {
        const bool active = event->type() == QEvent::WindowActivate;
        sendWindowMessage(window, {wm::kActivate, active ? wm::kActive : wm::kInactive, 0});
    }
}

int32_t sendWindowMessage(QWidget* window, const WindowMessage& message, QObject* control) {
    if (window == nullptr) {
        return 0;
    }
    MessageEvent event(message, control);
    QCoreApplication::sendEvent(window, &event);
    return event.result();
}

void postWindowMessage(QWidget* window, const WindowMessage& message) {
    if (window != nullptr) {
        QCoreApplication::postEvent(window, new MessageEvent(message));
    }
}

}  // namespace kontavo
