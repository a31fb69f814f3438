#pragma once

#include <cstdint>

#include "comm/callrouting.h"

namespace kontavo {

class SettingsStore;

// The dial method the program starts with: a stored "DialupMode" of 1 or
// more stays; a smaller one is replaced by the phone service (41235) on a
// phone device, else by the dialer add-in (41237) when the "BTDialer.dll"
// add-in is installed, else by "None" (41296).
int32_t startupDialupMode(int32_t stored, bool isPhoneDevice, bool hasDialerAddIn);

// At start-up: reads "DialupMode", replaces a value below 1 by the start-up
// default (written back), and makes the result the current dial method.
// Returns it.
int32_t initDialMethod(SettingsStore& settings, bool isPhoneDevice, bool hasDialerAddIn);

// Reads "DialupMode" afresh and makes it the current dial method (the list
// and its menus do this before every call).
int32_t readDialMethod(const SettingsStore& settings);

// The process-wide copy of the dial method: set at start-up, by the
// options, and each time the stored value is read before a call. The card
// dials by it. UI thread only.
int32_t currentDialupMode();
void setCurrentDialupMode(int32_t dialupMode);

}  // namespace kontavo
