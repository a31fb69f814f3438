#pragma once

// Timers whose time a test moves on by hand.
#include <QList>
#include <cstdint>
#include <memory>

#include "store/contacts/deferredtimer.h"

namespace kontavo::test {

class ManualTimer;

class ManualClock {
public:
    ~ManualClock();
    // Moves time on, running out every timer whose deadline is reached, in
    // deadline order (a timer restarted by a callback runs again when its
    // new deadline falls within the step).
    void advance(int milliseconds);
    int64_t now() const { return m_now; }
    // A factory for the component under test.
    TimerFactory factory();
    // The timers made so far, in creation order.
    const QList<ManualTimer*>& timers() const { return m_timers; }

private:
    friend class ManualTimer;
    int64_t m_now = 0;
    QList<ManualTimer*> m_timers;
};

class ManualTimer final : public DeferredTimer {
public:
    explicit ManualTimer(ManualClock& clock);
    ~ManualTimer() override;

    void start(int milliseconds) override;
    void stop() override { m_active = false; }
    bool isActive() const override { return m_active; }

    int64_t deadline() const { return m_deadline; }
    int interval() const { return m_interval; }
    int starts() const { return m_starts; }
    void runOut();

private:
    ManualClock* m_clock;
    bool m_active = false;
    int64_t m_deadline = 0;
    int m_interval = 0;
    int m_starts = 0;
};

}  // namespace kontavo::test
