#pragma once

namespace kontavo::bench {

// Deletes the card benchmarks' widgets; called before the application goes.
void releaseCardScreen();

}  // namespace kontavo::bench
