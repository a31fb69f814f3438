#pragma once

#include <QEvent>
#include <cstdint>

#include "platform/windowmessage.h"

class QObject;
class QWidget;

namespace kontavo {

// A window that switches on messages in its own window procedure, as every
// window of the program does. The widget's event() hands each MessageEvent to
// windowProc (routeMessageEvent), so posting and sending a message to a
// window are QCoreApplication::postEvent and sendEvent.
class MessageWindow {
public:
    virtual ~MessageWindow() = default;
    // Handles one message; `control` is the child control a command came
    // from (or null). Returns the message's result.
    virtual int32_t windowProc(const WindowMessage& message, QObject* control) = 0;
};

// The event that carries a window message to a widget.
class MessageEvent : public QEvent {
public:
    explicit MessageEvent(const WindowMessage& message, QObject* control = nullptr);
    static QEvent::Type eventType();

    const WindowMessage& message() const { return m_message; }
    QObject* control() const { return m_control; }
    int32_t result() const { return m_result; }
    void setResult(int32_t result) { m_result = result; }

private:
    WindowMessage m_message;
    QObject* m_control;
    int32_t m_result = 0;
};

// For a widget's event(): when `event` is a MessageEvent, runs the window's
// windowProc, stores the result in the event and returns true.
bool routeMessageEvent(QEvent* event, MessageWindow& window);

// For a top-level widget's event(): Qt's activation and deactivation of
// `window` become the activate message to it (wParam active or inactive).
void translateActivation(QEvent* event, QWidget* window);

// Delivers the message to `window` now and returns its result (0 when the
// widget is null or not a MessageWindow).
int32_t sendWindowMessage(QWidget* window, const WindowMessage& message,
                          QObject* control = nullptr);
// Queues the message for `window`'s event loop turn.
void postWindowMessage(QWidget* window, const WindowMessage& message);

}  // namespace kontavo
