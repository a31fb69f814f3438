#pragma once

namespace kontavo {

// Handles every event that is waiting (input, paints, timers, posted
// messages; key presses still pass the main window's accelerators) before
// the caller goes on with a long operation on the UI thread. Returns at once
// when nothing waits; never waits for more.
void pumpMessages();

}  // namespace kontavo
