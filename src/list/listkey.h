#pragma once

#include <QString>

class QKeyEvent;

namespace kontavo {

// Virtual key codes of the handheld as the list controls see them. Qt keys
// map onto them in listKeyFromEvent: Ctrl+Return is the action key, the
// keypad digits are 96-105, F3 is the Talk key and F4 the End key.
namespace vkey {
inline constexpr int kBack = 8;
inline constexpr int kTab = 9;
inline constexpr int kReturn = 13;
inline constexpr int kShift = 16;
inline constexpr int kControl = 17;
inline constexpr int kAlt = 18;
inline constexpr int kEscape = 27;
inline constexpr int kSpace = 32;
inline constexpr int kPageUp = 33;
inline constexpr int kPageDown = 34;
inline constexpr int kEnd = 35;
inline constexpr int kHome = 36;
inline constexpr int kLeft = 37;
inline constexpr int kUp = 38;
inline constexpr int kRight = 39;
inline constexpr int kDown = 40;
inline constexpr int kDelete = 46;
inline constexpr int kNumpad0 = 96;
inline constexpr int kNumpad9 = 105;
inline constexpr int kTalk = 114;
inline constexpr int kEndCall = 115;
inline constexpr int kAction = 134;
}  // namespace vkey

// One key stroke: its virtual key (0 when it has none), the text it types
// (empty for keys that type nothing) and whether it is an auto-repeat.
struct ListKey {
    int virtualKey = 0;
    QString text;
    bool autoRepeat = false;

    // The typed text is one printable character or more (not a control
    // character such as Return, Tab or Backspace).
    bool typesText() const;
};

ListKey listKeyFromEvent(const QKeyEvent& event);

}  // namespace kontavo
