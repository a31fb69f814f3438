#pragma once

#include <cstdint>

namespace kontavo {

// A top-level window as other programs name it: a 32-bit handle, unique among
// the live windows of the machine's Kontavo programs; 0 means none. Handles
// are even, so the handle with its lowest bit set still names the window.
using WindowHandle = uint32_t;

// One window message: its number and two 32-bit parameters, as the handheld
// passes them between programs (wParam, lParam).
struct WindowMessage {
    uint32_t id = 0;
    uint32_t wParam = 0;
    uint32_t lParam = 0;

    friend bool operator==(const WindowMessage&, const WindowMessage&) = default;
};

// First and last number a registered window message can get.
inline constexpr uint32_t kFirstRegisteredMessage = 0xC000;
inline constexpr uint32_t kLastRegisteredMessage = 0xFFFF;

}  // namespace kontavo
