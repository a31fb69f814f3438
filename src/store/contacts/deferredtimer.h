#pragma once

#include <functional>
#include <memory>

namespace kontavo {

// A single-shot timer on the UI thread: start() (re)arms it, stop() disarms
// it so that no timeout follows, and when it runs out it calls its callback
// once. The contact manager's change debounce and index flush use it; tests
// substitute one whose time they control. Not thread-safe.
class DeferredTimer {
public:
    virtual ~DeferredTimer() = default;

    void setCallback(std::function<void()> callback) { m_callback = std::move(callback); }
    // Arms the timer to run out `milliseconds` from now, replacing any
    // earlier deadline.
    virtual void start(int milliseconds) = 0;
    virtual void stop() = 0;
    virtual bool isActive() const = 0;

protected:
    // For implementations: the timer ran out (it is no longer active).
    void timedOut() {
        if (m_callback) {
            m_callback();
        }
    }

private:
    std::function<void()> m_callback;
};

// Makes the timers a component needs.
using TimerFactory = std::function<std::unique_ptr<DeferredTimer>()>;

// A DeferredTimer on a QTimer of the calling thread's event loop.
std::unique_ptr<DeferredTimer> makeQtTimer();

}  // namespace kontavo
