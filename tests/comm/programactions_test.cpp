// The program's contact actions against stand-ins of the desktop programs
// on PATH: the exact arguments of every action, and what fails how.
#include "comm/programactions.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QTimer>

#include "comm/dialer.h"
#include "comm/infoprocessdlg.h"
#include "platform/localwindowregistry.h"
#include "platform/processlauncher.h"
#include "platform/wavefilesound.h"
#include "support/fakeprograms.h"
#include "support/recordingboxes.h"
#include "support/tempdevice.h"
#include "support/tonedecoder.h"
#include "ui/messageboxes.h"

namespace kontavo {
namespace {

using Call = test::FakePrograms::Call;

using test::RecordingBoxes;

class ProgramActionsTest : public ::testing::Test {
protected:
    explicit ProgramActionsTest(bool hidePath = false) : fake(hidePath) {
        for (const char* name : {"xdg-open", "xdg-email"}) {
            fake.add(QString::fromLatin1(name));
        }
    }

    ProgramContactActions::Services services() {
        ProgramContactActions::Services s;
        s.owner = &owner;
        s.launcher = &launcher;
        s.sound = &sound;
        s.device = &device.fs();
        s.windows = &windows;
        s.readContact = [this](Oid oid) -> std::optional<VCardContact> {
            if (!contacts.contains(oid)) {
                return std::nullopt;
            }
            return contacts.value(oid);
        };
        s.clock = [] { return QDateTime(QDate(2024, 3, 5), QTime(9, 41, 7), Qt::UTC); };
        return s;
    }
    ProgramContactActions& actions() {
        if (m_actions == nullptr) {
            m_actions = std::make_unique<ProgramContactActions>(services());
        }
        return *m_actions;
    }
    QList<Call> waitForCalls(int count) { return fake.waitForCalls(count); }
    // The calls sorted: programs started one after the other run side by
    // side and may write down their calls in any order.
    QList<Call> sortedCalls(int count) {
        QList<Call> calls = fake.waitForCalls(count);
        std::sort(calls.begin(), calls.end());
        return calls;
    }
    static QList<Call> sorted(QList<Call> calls) {
        std::sort(calls.begin(), calls.end());
        return calls;
    }

    test::FakePrograms fake;
    test::TempDevice device;
    ProcessLauncher launcher;
    QTemporaryDir soundDir;
    WaveFileSound sound{soundDir.filePath(QStringLiteral("out.wav"))};
    LocalWindowRegistry windows;
    QWidget owner;
    RecordingBoxes boxes;
    QMap<Oid, VCardContact> contacts;

private:
    std::unique_ptr<ProgramContactActions> m_actions;
};

TEST_F(ProgramActionsTest, MailSmsAndWebGoToTheDesktopProgramsWithExactArguments) {
    actions().sendEmail(QStringLiteral("ann@example.com"));
    actions().sendSms(QStringLiteral("+1 (555) 123-45x6"));
    actions().openUrl(QStringLiteral("www.example.com/a b?x=1;y"));
    EXPECT_EQ(sortedCalls(3), sorted({{"xdg-email", "ann@example.com"},
                                      {"xdg-open", "sms:+1555123456"},
                                      {"xdg-open", "www.example.com/a b?x=1;y"}}))
        << "the web link is passed unchanged, without a scheme";
    EXPECT_TRUE(boxes.shown.isEmpty());
}

TEST_F(ProgramActionsTest, HostileValuesStayOneArgumentAndNeverBecomeOptions) {
    actions().sendEmail(QStringLiteral("-x"));
    actions().sendEmail(QStringLiteral("\"a b\"@x;$(id)"));
    actions().sendSms(QStringLiteral("-1; $(rm -rf ~) `id`"));
    actions().callNumber(QStringLiteral("-5 \"55\"; $(id)#1"), DialMethod::JustCall, false);
    actions().openUrl(QStringLiteral("-x"));
    actions().openLinkedFile(QStringLiteral("\\My Documents\\-x $(id);.txt"));
    const QString file = device.host(QStringLiteral("\\My Documents\\-x $(id);.txt"));
    EXPECT_EQ(sortedCalls(5), sorted({{"xdg-email", "mailto:-x"},
                                      {"xdg-email", "\"a b\"@x;$(id)"},
                                      {"xdg-open", "sms:1"},
                                      {"xdg-open", "tel:-5%20%2255%22%3B%20%24(id)%231"},
                                      {"xdg-open", file}}));
    EXPECT_EQ(boxes.shown, QStringList{"|Cannot find Iexplore.exe"})
        << "a link that would be an option cannot be opened";
}

TEST_F(ProgramActionsTest, ACallGoesToTheTelHandlerAfterThePhoneApplicationWhenAsked) {
    const QString phoneApp = fake.add(QStringLiteral("phone-app"));
    ProgramContactActions::Services s = services();
    s.phoneApplication = phoneApp;
    ProgramContactActions withApp(s);
    withApp.callNumber(QStringLiteral("+7 (912) 345-67-89"), DialMethod::JustCall, true);
    EXPECT_EQ(sortedCalls(2), sorted({{"phone-app"}, {"xdg-open", "tel:+7%20(912)%20345-67-89"}}));
    withApp.callNumber(QStringLiteral("1"), DialMethod::JustCall, false);
    withApp.callNumber(QStringLiteral("2"), DialMethod::None, true);
    withApp.callNumber(QStringLiteral("3"), DialMethod::AddIn, true);
    withApp.callWithAddIn({1, 2});
    EXPECT_TRUE(waitForCalls(3).contains(QStringList({"xdg-open", "tel:1"})));
    QTest::qWait(100);
    EXPECT_EQ(fake.calls().size(), 3) << "None and the add-in dial nothing";
}

TEST_F(ProgramActionsTest, ToneCallsShowTheCountdownAndPlayTheNumber) {
    QTimer::singleShot(0, [] {
        auto* countdown = qobject_cast<InfoProcessDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(countdown, nullptr);
        for (int i = 0; i < 4; ++i) {
            countdown->tick();
        }
    });
    actions().callNumber(QStringLiteral("1,2"), DialMethod::Sound, false);
    EXPECT_EQ(test::describe(test::readWaveFile(soundDir.filePath(QStringLiteral("out.wav")))),
              "tone 1 1600, gap 7200, tone 2 1600");
    EXPECT_TRUE(fake.calls().isEmpty());
}

TEST_F(ProgramActionsTest, BeamingWritesOneCardFilePerBeamAndHandsItToTheSender) {
    VCardContact ann;
    ann.record.setField(ContactField::FirstName, QStringLiteral("Ann"));
    ann.record.setField(ContactField::MobilePhone, QStringLiteral("+1 555"));
    VCardContact bob;
    bob.record.setField(ContactField::LastName, QStringLiteral("Baker"));
    contacts.insert(7, ann);
    contacts.insert(9, bob);
    EXPECT_EQ(actions().beamContacts({7, 9, 7}), 0);
    const QList<Call> calls = waitForCalls(1);
    ASSERT_EQ(calls.size(), 1);
    const QString path = device.host(QStringLiteral("\\Outbox\\Contacts-20240305-094107.vcf"));
    EXPECT_EQ(calls[0], QStringList({"xdg-open", path}));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const VCardReadResult read = readVCards(file.readAll());
    ASSERT_EQ(read.contacts.size(), 2) << "each contact once";
    EXPECT_EQ(read.contacts[0].record.field(ContactField::FirstName), "Ann");
    EXPECT_EQ(read.contacts[0].record.field(ContactField::MobilePhone), "+1 555");
    EXPECT_EQ(read.contacts[1].record.field(ContactField::LastName), "Baker");
    EXPECT_EQ(file.permissions() & (QFile::ReadGroup | QFile::ReadOther), QFile::Permissions());
    EXPECT_EQ(actions().beamContacts({9}), 0);
    EXPECT_TRUE(waitForCalls(2).contains(QStringList(
        {"xdg-open", device.host(QStringLiteral("\\Outbox\\Contacts-20240305-094107-2.vcf"))})))
        << "an earlier beam's file is never overwritten";
}

TEST_F(ProgramActionsTest, BeamingNothingDoesNothingAndEachFailingStepHasItsCode) {
    contacts.insert(7, VCardContact{});
    EXPECT_EQ(actions().beamContacts({}), 0);
    EXPECT_EQ(actions().beamContacts({7, 8}), Beam::kUnreadable);
    device.writeFile(QStringLiteral("\\Outbox"), "a file where the folder goes");
    EXPECT_EQ(actions().beamContacts({7}), Beam::kNoOutbox);
    QFile::remove(device.host(QStringLiteral("\\Outbox")));
    ProgramContactActions::Services s = services();
    s.beamSender = {QStringLiteral("no-such-sender")};
    EXPECT_EQ(ProgramContactActions(s).beamContacts({7}), Beam::kNotSent);
    s.beamSender = {};
    EXPECT_EQ(ProgramContactActions(s).beamContacts({7}), Beam::kNoService);
    QTest::qWait(100);
    EXPECT_TRUE(fake.calls().isEmpty());
}

TEST_F(ProgramActionsTest, TheBeamCommandComesFromTheEnvironmentSplitWithoutAShell) {
    qputenv("KONTAVO_BEAM_COMMAND", "bt-send --to \"My Phone\" $(id)");
    EXPECT_EQ(Beam::configuredSender(), QStringList({"bt-send", "--to", "My Phone", "$(id)"}));
    qunsetenv("KONTAVO_BEAM_COMMAND");
    EXPECT_EQ(Beam::configuredSender(), QStringList{"xdg-open"});
    fake.add(QStringLiteral("bt-send"));
    ProgramContactActions::Services s = services();
    s.beamSender = {QStringLiteral("bt-send"), QStringLiteral("--to"), QStringLiteral("My Phone")};
    contacts.insert(7, VCardContact{});
    EXPECT_EQ(ProgramContactActions(s).beamContacts({7}), 0);
    EXPECT_EQ(waitForCalls(1).front().mid(0, 3), QStringList({"bt-send", "--to", "My Phone"}));
}

TEST_F(ProgramActionsTest, AnAppointmentIsAnIcsFileOpenedWithTheOpener) {
    EXPECT_TRUE(actions().makeAppointment(
        QStringLiteral("Dr. Ann Baker"),
        {QStringLiteral("Work: 555-1000"), QStringLiteral("Mobile: +1 555")}));
    const QString path = device.host(QStringLiteral("\\Outbox\\Appointment-20240305-094107.ics"));
    EXPECT_EQ(waitForCalls(1), QList<Call>({{"xdg-open", path}}));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    EXPECT_TRUE(text.contains("SUMMARY:Dr. Ann Baker\r\n"));
    EXPECT_TRUE(text.contains("DESCRIPTION:Work: 555-1000\\nMobile: +1 555\r\n"));
    EXPECT_TRUE(text.contains("DTSTART:20240305T100000Z\r\nDURATION:PT15M\r\n"));
    // The stand-in opener ends at once: the display step has returned and
    // the watch for the calendar ends with it.
    QTRY_COMPARE_WITH_TIMEOUT(actions().watchedAppointments(), 0, 10000);
}

TEST_F(ProgramActionsTest, TheCalendarWindowGetsCommand105WhileTheAppointmentIsShown) {
    fake.add(QStringLiteral("xdg-open"), QStringLiteral("/bin/sleep 2"));
    QList<WindowMessage> received;
    WindowReceiver receiver;
    receiver.message = [&](const WindowMessage& message, bool) {
        received.append(message);
        return 0;
    };
    EXPECT_TRUE(actions().makeAppointment(QStringLiteral("Ann"), {}));
    QTest::qWait(100);
    EXPECT_EQ(actions().watchedAppointments(), 1) << "still shown, no calendar yet";
    const auto calendar = windows.createWindow(QStringLiteral("Calendar"), receiver);
    ASSERT_NE(calendar, nullptr);
    QTRY_COMPARE_WITH_TIMEOUT(received.size(), 1, 10000);
    EXPECT_EQ(received[0].id, 0x0111u);
    EXPECT_EQ(received[0].wParam, 105u);
    EXPECT_EQ(actions().watchedAppointments(), 0);
    QTest::qWait(100);
    EXPECT_EQ(received.size(), 1) << "posted once";
}

class ProgramActionsWithoutProgramsTest : public ProgramActionsTest {
protected:
    ProgramActionsWithoutProgramsTest() : ProgramActionsTest(true) {
        QFile::remove(fake.folder() + QStringLiteral("/xdg-open"));
        QFile::remove(fake.folder() + QStringLiteral("/xdg-email"));
    }
};

TEST_F(ProgramActionsWithoutProgramsTest, OnlyAMissingBrowserIsReported) {
    actions().sendEmail(QStringLiteral("ann@example.com"));
    actions().sendSms(QStringLiteral("555"));
    actions().callNumber(QStringLiteral("555"), DialMethod::JustCall, true);
    actions().openLinkedFile(QStringLiteral("\\a.txt"));
    EXPECT_TRUE(boxes.shown.isEmpty());
    actions().openUrl(QStringLiteral("http://example.com"));
    EXPECT_EQ(boxes.shown, QStringList{"|Cannot find Iexplore.exe"});
    contacts.insert(7, VCardContact{});
    EXPECT_EQ(actions().beamContacts({7}), Beam::kNotSent);
    EXPECT_FALSE(actions().makeAppointment(QStringLiteral("Ann"), {}));
    EXPECT_EQ(actions().watchedAppointments(), 0);
}

}  // namespace
}  // namespace kontavo
