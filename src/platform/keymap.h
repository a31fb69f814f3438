#pragma once

#include <Qt>

namespace kontavo {

// The handheld's virtual-key codes for the keys the program reacts to.
namespace vk {
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
inline constexpr int kEnd = 35;  // the navigation key End (not the red End key)
inline constexpr int kHome = 36;
inline constexpr int kLeft = 37;
inline constexpr int kUp = 38;
inline constexpr int kRight = 39;
inline constexpr int kDown = 40;
inline constexpr int kDelete = 46;
inline constexpr int kNumpad0 = 96;  // keypad digits are 96..105
inline constexpr int kNumpad9 = 105;
inline constexpr int kTalk = 114;     // the green Talk key (F3 on the keyboard)
inline constexpr int kEndCall = 115;  // the red End key (F4 on the keyboard)
inline constexpr int kAction = 134;   // the action key (Ctrl+Return)
}  // namespace vk

// The virtual key of a Qt key press, as the handheld would report it:
// F3 is the Talk key, F4 the End key (kEndCall), Ctrl+Return the action key,
// keypad digits 96..105, letters 'A'..'Z', digits '0'..'9', the modifier
// keys, and the usual editing, arrow and paging keys. 0 for any key the handheld has no code for.
// Pure; thread-safe.
int virtualKey(int qtKey, Qt::KeyboardModifiers modifiers);

// The digit 0..9 of a keypad virtual key, or -1.
constexpr int keypadDigit(int virtualKey) {
    return virtualKey >= vk::kNumpad0 && virtualKey <= vk::kNumpad9 ? virtualKey - vk::kNumpad0
                                                                    : -1;
}

}  // namespace kontavo
