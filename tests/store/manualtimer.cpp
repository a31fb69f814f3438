#include "manualtimer.h"

namespace kontavo::test {

ManualClock::~ManualClock() {
    for (ManualTimer* timer : m_timers) {
        timer->stop();
    }
}

void ManualClock::advance(int milliseconds) {
    const int64_t end = m_now + milliseconds;
    for (;;) {
        ManualTimer* next = nullptr;
        for (ManualTimer* timer : m_timers) {
            if (timer->isActive() && timer->deadline() <= end &&
                (next == nullptr || timer->deadline() < next->deadline())) {
                next = timer;
            }
        }
        if (next == nullptr) {
            break;
        }
        m_now = std::max(m_now, next->deadline());
        next->runOut();
    }
    m_now = end;
}

TimerFactory ManualClock::factory() {
    return [this] { return std::make_unique<ManualTimer>(*this); };
}

ManualTimer::ManualTimer(ManualClock& clock) : m_clock(&clock) {
    clock.m_timers.append(this);
}

ManualTimer::~ManualTimer() {
    m_clock->m_timers.removeAll(this);
}

void ManualTimer::start(int milliseconds) {
    m_active = true;
    m_interval = milliseconds;
    m_deadline = m_clock->now() + milliseconds;
    ++m_starts;
}

void ManualTimer::runOut() {
    m_active = false;
    timedOut();
}

}  // namespace kontavo::test
