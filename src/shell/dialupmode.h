#pragma once

#include <cstdint>

namespace kontavo {

// The dial method the program starts with: a stored "DialupMode" of 1 or
// more stays; a smaller one is replaced by the phone service (41235) on a
// phone device, else by the dialer add-in (41237) when the "BTDialer.dll"
// add-in is installed, else by "None" (41296): nothing is dialed.
int32_t startupDialupMode(int32_t stored, bool isPhoneDevice, bool hasDialerAddIn);

}  // namespace kontavo
