#pragma once

#include <QStringList>

#include "comm/contactactions.h"

namespace kontavo::test {

// Contact actions that record each request as text: "call <number>
// <method>" (with " first" when the phone application is to come up
// first), "addin <oid>" (0 for several contacts), "mail <address>",
// "url <url>", "file <path>".
class RecordingActions final : public ContactActions {
public:
    void callNumber(const QString& number, DialMethod method, bool launchPhoneAppFirst) override {
        calls.append(QStringLiteral("call %1 %2%3")
                         .arg(number)
                         .arg(int(method))
                         .arg(launchPhoneAppFirst && method == DialMethod::JustCall
                                  ? QStringLiteral(" first")
                                  : QString()));
    }
    void callWithAddIn(const QList<Oid>& oids) override {
        calls.append(QStringLiteral("addin %1").arg(oids.size() == 1 ? oids.front() : 0));
    }
    void sendEmail(const QString& address) override { calls.append("mail " + address); }
    void openUrl(const QString& url) override { calls.append("url " + url); }
    void openLinkedFile(const QString& path) override { calls.append("file " + path); }

    QStringList calls;
};

}  // namespace kontavo::test
