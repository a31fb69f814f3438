// Programs are started with argument vectors: stand-ins on PATH write down
// exactly what they were given.
#include "platform/launcher.h"

#include <gtest/gtest.h>

#include <QTest>

#include "platform/processlauncher.h"
#include "support/fakeprograms.h"

namespace kontavo {
namespace {

using Call = test::FakePrograms::Call;

// Values a contact may hold that a shell or an option parser would read as
// something else.
const QStringList kHostile = {QStringLiteral("-x"),
                              QStringLiteral("a b"),
                              QStringLiteral("\"quoted\" 'too'"),
                              QStringLiteral("x;rm -rf ~"),
                              QStringLiteral("$(touch pwned)"),
                              QStringLiteral("`id`|cat")};

TEST(ProcessLauncherTest, EveryArgumentArrivesAsItWasGiven) {
    test::FakePrograms fake;
    fake.add(QStringLiteral("stand-in"));
    ProcessLauncher launcher;
    ASSERT_TRUE(launcher.start(QStringLiteral("stand-in"), kHostile).has_value());
    const QList<Call> calls = fake.waitForCalls(1);
    ASSERT_EQ(calls.size(), 1);
    EXPECT_EQ(calls[0], QStringList{QStringLiteral("stand-in")} + kHostile);
    EXPECT_FALSE(QFile::exists(QStringLiteral("pwned")));
}

TEST(ProcessLauncherTest, AMissingProgramDoesNotStartAndAnEndedOneIsNotRunning) {
    test::FakePrograms fake(true);
    ProcessLauncher launcher;
    EXPECT_FALSE(launcher.start(QStringLiteral("xdg-open"), {QStringLiteral("x")}));
    EXPECT_FALSE(launcher.start(QString(), {}));
    fake.add(QStringLiteral("slow"), QStringLiteral("/bin/sleep 0.3"));
    const std::optional<qint64> pid = launcher.start(QStringLiteral("slow"), {});
    ASSERT_TRUE(pid);
    EXPECT_TRUE(launcher.isRunning(*pid));
    QTRY_VERIFY_WITH_TIMEOUT(!launcher.isRunning(*pid), 10000);
    EXPECT_FALSE(launcher.isRunning(0));
}

// A launcher that writes down instead of starting.
class RecordingLauncher final : public Launcher {
public:
    std::optional<qint64> start(const QString& program, const QStringList& arguments) override {
        calls.append(QStringList{program} + arguments);
        return available ? std::optional<qint64>(42) : std::nullopt;
    }
    bool isRunning(qint64) const override { return false; }
    QList<Call> calls;
    bool available = true;
};

TEST(LauncherTest, TheOpenerRefusesWhatItWouldTakeForAnOption) {
    RecordingLauncher launcher;
    EXPECT_EQ(openDocument(launcher, QStringLiteral("www.example.com")), 42);
    EXPECT_FALSE(openDocument(launcher, QStringLiteral("-x")));
    EXPECT_FALSE(openDocument(launcher, QStringLiteral("--help")));
    EXPECT_FALSE(openDocument(launcher, QString()));
    EXPECT_EQ(launcher.calls, QList<Call>({{"xdg-open", "www.example.com"}}));
    launcher.available = false;
    EXPECT_FALSE(openDocument(launcher, QStringLiteral("x")));
}

TEST(LauncherTest, PlainAddressesGoAsThemselvesAndOthersAsEncodedMailtoUris) {
    RecordingLauncher launcher;
    for (const QString& address :
         {QStringLiteral("ann@example.com"), QStringLiteral("a b@x.org?attach=/etc/passwd"),
          QStringLiteral("-x@evil"), QStringLiteral("mailto:x@y?attach=~/.ssh/id_rsa"),
          QStringLiteral("MAILTO:z@y"), QStringLiteral("no-at-sign"),
          QStringLiteral("$(id)@h;x")}) {
        EXPECT_TRUE(composeMail(launcher, address));
    }
    EXPECT_EQ(launcher.calls,
              QList<Call>({{"xdg-email", "ann@example.com"},
                           {"xdg-email", "a b@x.org?attach=/etc/passwd"},
                           {"xdg-email", "mailto:-x@evil"},
                           {"xdg-email", "mailto:mailto%3Ax@y%3Fattach%3D~%2F.ssh%2Fid_rsa"},
                           {"xdg-email", "mailto:MAILTO%3Az@y"},
                           {"xdg-email", "mailto:no-at-sign"},
                           {"xdg-email", "$(id)@h;x"}}));
    EXPECT_EQ(mailtoUri(QStringLiteral("Пётр@пример.рф")),
              "mailto:%D0%9F%D1%91%D1%82%D1%80@%D0%BF%D1%80%D0%B8%D0%BC%D0%B5%D1%80.%D1%80%D1%84");
    launcher.available = false;
    EXPECT_FALSE(composeMail(launcher, QStringLiteral("ann@example.com")));
}

}  // namespace
}  // namespace kontavo
