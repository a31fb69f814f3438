#pragma once

#include <QList>
#include <QString>
#include <cstdint>

#include "store/record/proptag.h"

namespace kontavo {

// The dial methods, stored in "DialupMode" as their menu command ids.
enum class DialMethod {
    None,      // 41296, 0 or any other value: nothing is dialed
    JustCall,  // 41235: through the phone service
    Sound,     // 41236: touch tones through the loudspeaker
    AddIn,     // 41237: the dialer add-in, given the contact instead of a number
};

inline constexpr int32_t kDialJustCall = 41235;
inline constexpr int32_t kDialSound = 41236;
inline constexpr int32_t kDialAddIn = 41237;
inline constexpr int32_t kDialNone = 41296;

DialMethod dialMethodOf(int32_t dialupMode);

// Where the list hands the calls and e-mails its menus ask for (the dialing
// and mail services of the program). UI thread only.
class ContactActions {
public:
    virtual ~ContactActions() = default;
    // Dials `number` (JustCall or Sound).
    virtual void callNumber(const QString& number, DialMethod method) = 0;
    // Invokes the dialer add-in with the contacts `oids`.
    virtual void callWithAddIn(const QList<Oid>& oids) = 0;
    virtual void sendEmail(const QString& address) = 0;
};

// Routes a call of `number` of contact `oid` by `method`: nothing for None
// (or without `actions`), the add-in with the contact's Oid, else the number.
void routeCall(DialMethod method, const QString& number, Oid oid, ContactActions* actions);

}  // namespace kontavo
