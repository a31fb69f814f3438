#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include "comm/dialmethod.h"
#include "store/record/proptag.h"

namespace kontavo {

// What can be done with a contact beyond the contact store: calls, SMS,
// e-mail, web pages, linked files, beaming and appointments. The list's
// menus, the card's links and the Talk key go through it; the program's
// implementation hands each action to a program or service of the system
// (ProgramContactActions), tests give a recording one. UI thread only.
class ContactActions {
public:
    virtual ~ContactActions() = default;

    // Dials `number` (formatting characters included) by `method`: JustCall
    // through the phone service, starting the phone application first when
    // `launchPhoneAppFirst`; Sound as touch tones after the countdown. Other
    // methods dial nothing.
    virtual void callNumber(const QString& number, DialMethod method, bool launchPhoneAppFirst) = 0;
    // Hands the contacts `oids` to the dialer add-in.
    virtual void callWithAddIn(const QList<Oid>& oids) = 0;
    // Opens the mail program with a message to `address`.
    virtual void sendEmail(const QString& address) = 0;
    // Opens a text message to `number`, of which only "+" and the digits
    // are kept.
    virtual void sendSms(const QString& number) = 0;
    // Opens `url`, as it stands, in the browser; says so when it cannot.
    virtual void openUrl(const QString& url) = 0;
    // Opens the linked file at device path `path` with its program.
    virtual void openLinkedFile(const QString& path) = 0;
    // Beams the contacts `oids` (each once); 0 when done or when there is
    // nothing to beam, a negative code for the step that failed
    // (docs/actions.md).
    virtual int beamContacts(const QList<Oid>& oids) = 0;
    // Makes an appointment with `subject` and `body` (lines of label ": "
    // number) and shows it; true when every step succeeded.
    virtual bool makeAppointment(const QString& subject, const QStringList& bodyLines) = 0;
};

// Routes a call of `number` of contact `oid` by `method`: nothing for None
// (or without `actions`), the add-in with the contact's Oid, else the
// number (nothing for an empty one).
void routeCall(DialMethod method, const QString& number, Oid oid, bool launchPhoneAppFirst,
               ContactActions* actions);

}  // namespace kontavo
