#pragma once

#include <QSet>

#include "comm/contactactions.h"

namespace kontavo {

// The contact actions of a window given none (no dialing, mail or document
// programs wired in): each kind of action writes one line to the error log
// the first time it is asked for, "Contact action not available: <kind>"
// with the kind "call", "add-in dialer", "add-in", "e-mail", "text message", "web
// page", "linked file", "beam" or "appointment", and does nothing else;
// later requests of the same kind are silent. Beaming answers -1 and an
// appointment false; otherwise the caller goes on as after a carried-out
// action. UI thread only.
class UnavailableContactActions final : public ContactActions {
public:
    void callNumber(const QString& number, DialMethod method, bool launchPhoneAppFirst) override;
    void callWithAddIn(const QList<Oid>& oids) override;
    bool invokeAddIn(int command, const QList<Oid>& oids) override;
    void sendEmail(const QString& address) override;
    void sendSms(const QString& number) override;
    void openUrl(const QString& url) override;
    void openLinkedFile(const QString& path) override;
    int beamContacts(const QList<Oid>& oids) override;
    bool makeAppointment(const QString& subject, const QStringList& bodyLines) override;

private:
    void report(const QString& kind);

    QSet<QString> m_reported;
};

}  // namespace kontavo
