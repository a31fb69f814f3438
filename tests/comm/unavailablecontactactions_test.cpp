// A build without dialing, mail and document programs reports each kind of
// action once in the error log instead of letting it vanish.
#include "comm/unavailablecontactactions.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "diag/errorlog.h"

namespace kontavo {
namespace {

QList<QByteArray> logLines(const QString& path) {
    QFile file(path);
    QList<QByteArray> lines;
    if (file.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : file.readAll().split('\n')) {
            if (!line.isEmpty()) {
                lines.append(line.mid(22).trimmed());  // after the date and time
            }
        }
    }
    return lines;
}

TEST(UnavailableContactActionsTest, EachKindIsReportedOnce) {
    QTemporaryDir dir;
    const QString program = dir.filePath(QStringLiteral("Kontavo.exe"));
    setLogModule(program);
    UnavailableContactActions actions;
    actions.callNumber(QStringLiteral("555"), DialMethod::JustCall, true);
    actions.callNumber(QStringLiteral("556"), DialMethod::Sound, false);
    actions.sendEmail(QStringLiteral("a@b"));
    actions.sendEmail(QStringLiteral("c@d"));
    actions.openUrl(QStringLiteral("www.x.org"));
    actions.openLinkedFile(QStringLiteral("\\x.pdf"));
    actions.callWithAddIn({1, 2});
    actions.openUrl(QStringLiteral("www.y.org"));
    actions.sendSms(QStringLiteral("555"));
    EXPECT_EQ(actions.beamContacts({1}), -1) << "nothing was beamed";
    EXPECT_FALSE(actions.makeAppointment(QStringLiteral("Meeting"), {}));
    actions.beamContacts({2});
    setLogModule(QString());
    EXPECT_EQ(
        logLines(program + QStringLiteral(".log")),
        (QList<QByteArray>{
            "Contact action not available: call", "Contact action not available: e-mail",
            "Contact action not available: web page", "Contact action not available: linked file",
            "Contact action not available: add-in dialer",
            "Contact action not available: text message", "Contact action not available: beam",
            "Contact action not available: appointment"}));
}

}  // namespace
}  // namespace kontavo
