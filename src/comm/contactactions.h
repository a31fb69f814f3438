#pragma once

#include <QList>
#include <QString>

#include "store/record/proptag.h"

namespace kontavo {

// The dial methods, stored in "DialupMode" as their menu command ids.
enum class DialMethod {
    None,      // 41296, 0 or any other value: nothing is dialed
    JustCall,  // 41235: through the phone service
    Sound,     // 41236: touch tones through the loudspeaker
    AddIn,     // 41237: the dialer add-in, given the contact instead of a number
};

// Where the list's menus, the contact card's links and the Talk key hand the
// actions on a contact: calls, e-mails, web pages and linked files, carried
// out by the handheld's programs and services. The program gives one
// implementation to every window that acts on contacts; the caller decides
// which action and which value (routing a call by the dial method, the SMS
// address), the implementation only carries it out. Calls return at once;
// failures are the implementation's to report. UI thread only.
class ContactActions {
public:
    virtual ~ContactActions() = default;
    // Dials `number` by `method` (JustCall or Sound). With JustCall and
    // `launchPhoneAppFirst`, the phone application is brought up first so
    // that the call shows in it.
    virtual void callNumber(const QString& number, DialMethod method, bool launchPhoneAppFirst) = 0;
    // Invokes the dialer add-in with the contacts `oids`.
    virtual void callWithAddIn(const QList<Oid>& oids) = 0;
    // Starts a message to `address` in the mail program (an SMS address is
    // the number's "+" and digits).
    virtual void sendEmail(const QString& address) = 0;
    // Opens `url` in the browser, as it stands (no scheme is added).
    virtual void openUrl(const QString& url) = 0;
    // Opens the document at device path `path` with its program.
    virtual void openLinkedFile(const QString& path) = 0;
};

}  // namespace kontavo
