#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "platform/windowmessage.h"

namespace kontavo {

// What a window does with what other programs (or its own) deliver to it.
// Both run on the thread that created the endpoint, from its Qt event loop or
// from inside a sendMessage() of this process that is waiting for its answer.
struct WindowReceiver {
    // A message; `sent` is true for a send, whose sender waits for the
    // returned result, and false for a post (the result is dropped).
    std::function<int32_t(const WindowMessage& message, bool sent)> message;
    // A request to bring the window to the foreground.
    std::function<void()> foreground;
};

// One top-level window, reachable by other programs while the object lives.
// Destroying it unregisters the window. Not copyable; one thread.
class WindowEndpoint {
public:
    virtual ~WindowEndpoint() = default;
    virtual WindowHandle handle() const = 0;
    virtual QString windowClass() const = 0;
};

// The top-level windows of every Kontavo program on the machine, and the
// messages between them: the handheld's FindWindow, PostMessage, SendMessage,
// RegisterWindowMessage and SetForegroundWindow.
//
// A send waits for the receiver's result and, while it waits, keeps handling
// the sends that reach this process's own windows, so two programs sending
// to each other never deadlock; posts that arrive meanwhile are queued. A send
// to a window that is gone, or whose program dies before answering, fails
// instead of hanging.
//
// One thread: every call, and every endpoint, belongs to the thread that
// created the registry.
class WindowRegistry {
public:
    virtual ~WindowRegistry() = default;

    // Makes a window of `windowClass` reachable; nullptr on failure.
    virtual std::unique_ptr<WindowEndpoint> createWindow(const QString& windowClass,
                                                         WindowReceiver receiver) = 0;
    // A live top-level window of the class (compared without regard to case),
    // the longest-living first; 0 when there is none.
    virtual WindowHandle findWindow(const QString& windowClass) = 0;
    // Whether the window exists and answers.
    virtual bool isWindow(WindowHandle window) = 0;
    // Queues the message for the window; false when it cannot be delivered.
    virtual bool postMessage(WindowHandle window, const WindowMessage& message) = 0;
    // Delivers the message and waits for its result: nullopt when the window
    // is gone or dies, or when `timeoutMs` (>= 0) passes first; a negative
    // timeout waits as long as the window lives.
    virtual std::optional<int32_t> sendMessage(WindowHandle window, const WindowMessage& message,
                                               int timeoutMs = -1) = 0;
    // The number of the message named `name` (without regard to case): the
    // same in every program, from 0xC000 up; 0 when none can be given.
    virtual uint32_t registerWindowMessage(const QString& name) = 0;
    // Asks the window to come to the foreground (with its dialogs).
    virtual bool setForegroundWindow(WindowHandle window) = 0;
};

// While an object of this class lives, the messages that reach this
// process's windows through its event loop wait: a sender keeps waiting for
// its answer, a post stays queued. They are handled on the event loop once
// the last hold is gone. For long work that runs the event loop on its way
// (a progress window) and must not be interrupted by other programs asking
// for what it works on. Sends arriving while this process waits for a send
// of its own are still answered. UI thread only; holds nest.
class WindowMessageHold {
public:
    WindowMessageHold();
    ~WindowMessageHold();
    WindowMessageHold(const WindowMessageHold&) = delete;
    WindowMessageHold& operator=(const WindowMessageHold&) = delete;

    static bool isHeld();
};

}  // namespace kontavo
