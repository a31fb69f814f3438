#pragma once

#include <cstdint>

#include "comm/contactactions.h"

namespace kontavo {

inline constexpr int32_t kDialJustCall = 41235;
inline constexpr int32_t kDialSound = 41236;
inline constexpr int32_t kDialAddIn = 41237;
inline constexpr int32_t kDialNone = 41296;

// The method a stored "DialupMode" value names; unknown values dial nothing.
DialMethod dialMethodOf(int32_t dialupMode);

// Routes a call of `number` of contact `oid` by `method`: nothing for None
// (or without `actions`), the add-in with the contact's Oid, else the number
// (an empty number dials nothing). `launchPhoneAppFirst` goes with a call
// through the phone service.
void routeCall(DialMethod method, const QString& number, Oid oid, ContactActions* actions,
               bool launchPhoneAppFirst = true);

}  // namespace kontavo
