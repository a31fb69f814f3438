#pragma once

#include "shell/mainwndservices.h"

namespace kontavo {

// What the program plugs into the main window once the subsystems behind
// them exist; each may be left empty (see MainWndServices).
struct Integration {
    ContactStoreOpener openContactStore;
    ContactsFrameFactory createContactsFrame;
    std::function<void(MainWndFrame&)> runOptions;
    std::function<void(MainWndFrame&)> editTemplate;
};

// Exit codes of the program besides the message loop's own 0.
inline constexpr int kExitHandedOver = 1;     // a running instance got the command line
inline constexpr int kExitUsage = 2;          // bad arguments, no display, no device root
inline constexpr int kExitStartupFailed = 3;  // the main window could not be created

// The whole program: arguments, the hand-over to a running instance, the
// main window and the message loop. Returns the exit code.
int runProgram(int argc, char** argv, const AppInfo& info, const Integration& integration);

}  // namespace kontavo
