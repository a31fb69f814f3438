#pragma once

#include <cstdint>

// The handheld's window message numbers and parameter conventions that the
// program's windows switch on (docs/window-framework.md says which Qt event
// each one stands for).
namespace kontavo::wm {

inline constexpr uint32_t kDestroy = 0x0002;
inline constexpr uint32_t kActivate = 0x0006;  // wParam low word: kInactive / kActive
inline constexpr uint32_t kClose = 0x0010;
inline constexpr uint32_t kSettingChange = 0x001A;  // wParam: setting code, lParam: parameter
inline constexpr uint32_t kCommand = 0x0111;        // wParam: notification code << 16 | id
inline constexpr uint32_t kHotKey = 0x0312;         // lParam: virtual key << 16 | modifiers
inline constexpr uint32_t kUser = 0x0400;

inline constexpr uint32_t kInactive = 0;
inline constexpr uint32_t kActive = 1;

// Setting codes of kSettingChange.
inline constexpr uint32_t kSettingSipInfo = 224;   // the SIP went up or down
inline constexpr uint32_t kSettingReset = 0x3002;  // screen resolution or orientation

// Notification code of a command that came from an accelerator.
inline constexpr uint32_t kFromAccelerator = 1;

constexpr uint32_t makeLong(uint32_t low, uint32_t high) {
    return (low & 0xFFFF) | ((high & 0xFFFF) << 16);
}
constexpr uint32_t loWord(uint32_t value) {
    return value & 0xFFFF;
}
constexpr uint32_t hiWord(uint32_t value) {
    return value >> 16;
}

}  // namespace kontavo::wm
