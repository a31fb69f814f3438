#include "comm/appointmentwatcher.h"

namespace kontavo {

AppointmentWatcher::AppointmentWatcher(std::function<WindowHandle()> findCalendar,
                                       std::function<void(WindowHandle)> postCommand)
    : m_findCalendar(std::move(findCalendar)), m_postCommand(std::move(postCommand)) {}

bool AppointmentWatcher::poll(qint64 elapsedMs, bool displayRunning) {
    if (m_state != State::Watching) {
        return false;
    }
    if (const WindowHandle calendar = m_findCalendar ? m_findCalendar() : 0; calendar != 0) {
        if (m_postCommand) {
            m_postCommand(calendar);
        }
        m_state = State::Posted;
    } else if (!displayRunning) {
        m_state = State::DisplayReturned;
    } else if (elapsedMs >= kLimitMs) {
        m_state = State::TimedOut;
    }
    return m_state == State::Watching;
}

}  // namespace kontavo
