#include "shell/appointmentsframe.h"

#include "shell/shellids.h"
#include "ui/shellui.h"

namespace kontavo {

AppointmentsFrame::AppointmentsFrame(ShellUi& shell)
    : AppFrame(shell::kAppointmentsFrameClass.toString()), m_shell(shell) {}

bool AppointmentsFrame::onCreate() {
    m_shell.setSipUp(false);
    return true;
}

}  // namespace kontavo
