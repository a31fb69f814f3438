#pragma once

#include "shell/program.h"

namespace kontavo {

// How many demonstration contacts a new device gets.
inline constexpr int kDemoContactCount = 200;

// The program's subsystems as the main window takes them: the contact
// store (opened on the device root, its index rebuilt or brought up to date
// under the progress window) and the contacts frame over it. On the default
// device root (no --device-root, no $KONTAVO_ROOT) whose object store does
// not exist yet, the store is first filled with the demonstration contacts,
// so that a newcomer sees a working list.
Integration contactsIntegration(int argc, char** argv);

}  // namespace kontavo
