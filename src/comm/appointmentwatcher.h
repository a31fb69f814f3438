#pragma once

#include <QtGlobal>
#include <functional>

#include "platform/windowmessage.h"

namespace kontavo {

// Watches for the calendar while a new appointment is shown: every 20 ms it
// looks for the window of class "Calendar" among the programs' windows and,
// once there is one, posts it the command 105 and ends. It also ends when
// the program showing the appointment has ended (the display step
// returned) or after 60 s, so that it never polls for ever. A plain object
// that its owner polls with the elapsed time.
class AppointmentWatcher {
public:
    static constexpr int kPollMs = 20;
    static constexpr int kLimitMs = 60000;
    static constexpr int kCalendarCommand = 105;
    static constexpr const char* kCalendarClass = "Calendar";

    enum class State { Watching, Posted, DisplayReturned, TimedOut };

    // `findCalendar` gives the calendar's window or 0; `postCommand` posts
    // it the command.
    AppointmentWatcher(std::function<WindowHandle()> findCalendar,
                       std::function<void(WindowHandle)> postCommand);

    // One look, `elapsedMs` after the watch began, with `displayRunning`
    // telling whether the appointment is still being shown. Returns whether
    // the watch goes on.
    bool poll(qint64 elapsedMs, bool displayRunning);
    State state() const { return m_state; }

private:
    std::function<WindowHandle()> m_findCalendar;
    std::function<void(WindowHandle)> m_postCommand;
    State m_state = State::Watching;
};

}  // namespace kontavo
