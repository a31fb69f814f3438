#include "shell/dialupmode.h"

#include "shell/shellids.h"

namespace kontavo {

int32_t startupDialupMode(int32_t stored, bool isPhoneDevice, bool hasDialerAddIn) {
    if (stored >= 1) {
        return stored;
    }
    if (isPhoneDevice) {
        return shell::kDialPhone;
    }
    return hasDialerAddIn ? shell::kDialAddIn : shell::kDialNone;
}

}  // namespace kontavo
