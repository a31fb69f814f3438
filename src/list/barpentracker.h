#pragma once

#include <optional>

namespace kontavo {

// The pen on an ABC bar. Buttons are named by their command ids (group i is
// i, backspace N, "clear all" N + 1, which no button shows). A button pressed
// with the pen captures it; the pressed look follows whether the pen is over
// that button; pen up over it posts its id. Holding backspace until the hold
// timer fires posts "clear all" instead, and the later pen up posts nothing.
class BarPenTracker {
public:
    // Pen down over `button` (-1: none, ignored). Returns whether the hold
    // timer is to start (the button is backspace).
    bool penDown(int button, int backspaceId);
    void penMove(int buttonUnderPen);
    // Pen up: the id to post, if any. The hold timer is to stop.
    std::optional<int> penUp(int buttonUnderPen);
    // The hold timer fired: the id to post, if any.
    std::optional<int> holdTimeout(int clearAllId);
    // Forgets the gesture (the buttons were rebuilt under the pen).
    void cancel();

    bool isCaptured() const { return m_captured >= 0; }
    // The button drawn pressed, or -1.
    int pressedButton() const { return m_looksPressed ? m_captured : -1; }

private:
    int m_captured = -1;
    bool m_looksPressed = false;
};

}  // namespace kontavo
