#pragma once

#include <QStringList>

#include "comm/contactactions.h"

namespace kontavo::test {

// Contact actions that write down every request as one line of text:
// "call NUMBER METHOD FIRST", "addin OID...",
// "invoke COMMAND OID...", "mail ADDRESS", "sms NUMBER",
// "url URL", "file PATH", "beam OID...", "appointment SUBJECT|LINE|LINE".
class RecordingActions final : public ContactActions {
public:
    void callNumber(const QString& number, DialMethod method, bool launchPhoneAppFirst) override {
        calls.append(QStringLiteral("call %1 %2 %3")
                         .arg(number)
                         .arg(int(method))
                         .arg(int(launchPhoneAppFirst)));
    }
    void callWithAddIn(const QList<Oid>& oids) override { calls.append("addin" + joined(oids)); }
    bool invokeAddIn(int command, const QList<Oid>& oids) override {
        calls.append(QStringLiteral("invoke %1").arg(command) + joined(oids));
        return true;
    }
    void sendEmail(const QString& address) override { calls.append("mail " + address); }
    void sendSms(const QString& number) override { calls.append("sms " + number); }
    void openUrl(const QString& url) override { calls.append("url " + url); }
    void openLinkedFile(const QString& path) override { calls.append("file " + path); }
    int beamContacts(const QList<Oid>& oids) override {
        calls.append("beam" + joined(oids));
        return 0;
    }
    bool makeAppointment(const QString& subject, const QStringList& bodyLines) override {
        calls.append("appointment " + (QStringList{subject} + bodyLines).join(u'|'));
        return true;
    }

    QStringList calls;

private:
    static QString joined(const QList<Oid>& oids) {
        QString text;
        for (const Oid oid : oids) {
            text += u' ' + QString::number(oid);
        }
        return text;
    }
};

}  // namespace kontavo::test
