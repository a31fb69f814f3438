#include "list/barpentracker.h"

namespace kontavo {

bool BarPenTracker::penDown(int button, int backspaceId) {
    if (button < 0) {
        return false;
    }
    m_captured = button;
    m_looksPressed = true;
    return button == backspaceId;
}

void BarPenTracker::penMove(int buttonUnderPen) {
    if (isCaptured()) {
        m_looksPressed = buttonUnderPen == m_captured;
    }
}

std::optional<int> BarPenTracker::penUp(int buttonUnderPen) {
    if (!isCaptured()) {
        return std::nullopt;
    }
    const int button = m_captured;
    cancel();
    if (buttonUnderPen != button) {
        return std::nullopt;
    }
    return button;
}

std::optional<int> BarPenTracker::holdTimeout(int clearAllId) {
    if (!isCaptured()) {
        return std::nullopt;
    }
    const bool pressed = m_looksPressed;
    cancel();
    if (!pressed) {
        return std::nullopt;
    }
    return clearAllId;
}

void BarPenTracker::cancel() {
    m_captured = -1;
    m_looksPressed = false;
}

}  // namespace kontavo
