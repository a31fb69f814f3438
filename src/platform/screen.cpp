#include "platform/screen.h"

namespace kontavo {

namespace {
Screen& currentScreen() {
    static Screen screen;
    return screen;
}
}  // namespace

const Screen& Screen::current() { return currentScreen(); }

void Screen::setCurrent(const Screen& screen) { currentScreen() = screen; }

}  // namespace kontavo
