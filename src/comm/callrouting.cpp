#include "comm/callrouting.h"

namespace kontavo {

DialMethod dialMethodOf(int32_t dialupMode) {
    switch (dialupMode) {
        case kDialJustCall:
            return DialMethod::JustCall;
        case kDialSound:
            return DialMethod::Sound;
        case kDialAddIn:
            return DialMethod::AddIn;
        default:
            return DialMethod::None;
    }
}

void routeCall(DialMethod method, const QString& number, Oid oid, ContactActions* actions,
               bool launchPhoneAppFirst) {
    if (actions == nullptr || method == DialMethod::None) {
        return;
    }
    if (method == DialMethod::AddIn) {
        actions->callWithAddIn({oid});
    } else if (!number.isEmpty()) {
        actions->callNumber(number, method, launchPhoneAppFirst);
    }
}

}  // namespace kontavo
