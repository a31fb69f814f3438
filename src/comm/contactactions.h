#pragma once

#include <QList>
#include <QString>
#include <QStringList>

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
// actions on a contact: calls, SMS, e-mails, web pages, linked files,
// beaming and appointments, carried out by the programs and services of the
// system. The program gives one implementation (ProgramContactActions) to
// every window that acts on contacts; the caller decides which action and
// which value (routing a call by the dial method), the implementation only
// carries it out. Failures are the implementation's to report
// (docs/actions.md). UI thread only.
class ContactActions {
public:
    virtual ~ContactActions() = default;
    // Dials `number` (formatting characters included) by `method`: JustCall
    // through the phone service, with `launchPhoneAppFirst` after bringing
    // up the phone application so that the call shows in it; Sound as touch
    // tones after the countdown. Other methods dial nothing.
    virtual void callNumber(const QString& number, DialMethod method, bool launchPhoneAppFirst) = 0;
    // Invokes the dialer add-in with the contacts `oids`.
    virtual void callWithAddIn(const QList<Oid>& oids) = 0;
    // Invokes the Contacts add-in of menu command `command` with the
    // contacts `oids`; false when there is no such add-in or it could not be
    // called.
    virtual bool invokeAddIn(int command, const QList<Oid>& oids) = 0;
    // Starts a message to `address` in the mail program.
    virtual void sendEmail(const QString& address) = 0;
    // Starts a text message to `number`, of which only "+" and the digits
    // are kept.
    virtual void sendSms(const QString& number) = 0;
    // Opens `url` in the browser, as it stands (no scheme is added).
    virtual void openUrl(const QString& url) = 0;
    // Opens the document at device path `path` with its program.
    virtual void openLinkedFile(const QString& path) = 0;
    // Beams the contacts `oids` (each once); 0 when done or when there is
    // nothing to beam, else the negative code of the step that failed.
    virtual int beamContacts(const QList<Oid>& oids) = 0;
    // Makes an appointment with `subject` and `bodyLines` (label ": "
    // number) and shows it; true when every step succeeded.
    virtual bool makeAppointment(const QString& subject, const QStringList& bodyLines) = 0;
};

}  // namespace kontavo
