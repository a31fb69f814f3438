#include "comm/contactactions.h"

namespace kontavo {

void routeCall(DialMethod method, const QString& number, Oid oid, bool launchPhoneAppFirst,
               ContactActions* actions) {
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
