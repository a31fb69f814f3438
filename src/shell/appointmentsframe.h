#pragma once

#include "ui/appframe.h"

namespace kontavo {

class ShellUi;

// The appointments frame (window class "APPOINTMENTS.FRAME.CLASS"): a frame
// with no content of its own. It draws nothing and handles no command; its
// creation only sets the SIP preference of its window (down), and showing or
// hiding it only shows or hides the window.
class AppointmentsFrame final : public AppFrame {
    Q_OBJECT
public:
    explicit AppointmentsFrame(ShellUi& shell);

    bool onCreate() override;

private:
    ShellUi& m_shell;
};

}  // namespace kontavo
