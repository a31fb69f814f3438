#include "comm/dialmethod.h"

#include "store/settings/settingsstore.h"

namespace kontavo {

namespace {
int32_t g_currentDialupMode = 0;
}  // namespace

int32_t startupDialupMode(int32_t stored, bool isPhoneDevice, bool hasDialerAddIn) {
    if (stored >= 1) {
        return stored;
    }
    if (isPhoneDevice) {
        return kDialJustCall;
    }
    return hasDialerAddIn ? kDialAddIn : kDialNone;
}

int32_t initDialMethod(SettingsStore& settings, bool isPhoneDevice, bool hasDialerAddIn) {
    const int32_t stored = settings.get(settings::kDialupMode);
    const int32_t chosen = startupDialupMode(stored, isPhoneDevice, hasDialerAddIn);
    if (chosen != stored) {
        settings.set(settings::kDialupMode, chosen);
    }
    setCurrentDialupMode(chosen);
    return chosen;
}

int32_t readDialMethod(const SettingsStore& settings) {
    const int32_t stored = settings.get(settings::kDialupMode);
    setCurrentDialupMode(stored);
    return stored;
}

int32_t currentDialupMode() {
    return g_currentDialupMode;
}

void setCurrentDialupMode(int32_t dialupMode) {
    g_currentDialupMode = dialupMode;
}

}  // namespace kontavo
