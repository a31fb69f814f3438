#pragma once

#include "shell/program.h"

namespace kontavo {

// How many demonstration contacts a new device gets.
inline constexpr int kDemoContactCount = 200;

// The program's subsystems as the main window takes them: the contact
// store (opened on the device root, its index rebuilt or brought up to date
// under the progress window) and the contacts frame over it. On the
// demonstration device (--demo) a store without contacts is first filled with
// the demonstration contacts; the user's own store is never filled.
Integration contactsIntegration(int argc, char** argv);

}  // namespace kontavo
