// The companions the program cooperates with, driven against the sample
// stand-ins built with it: the caller-ID companion (a real process), the
// Today plug-in library and the Contacts add-in library.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "comm/callerid.h"
#include "comm/contactaddins.h"
#include "comm/todayplugin.h"
#include "platform/localwindowregistry.h"
#include "platform/processlauncher.h"
#include "platform/registry.h"
#include "store/settings/settingsstore.h"
#include "support/tempdevice.h"
#include "ui/messageboxes.h"

namespace kontavo {
namespace {

const QString kBin = QStringLiteral(KONTAVO_BIN_DIR);

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void addAddIn(Registry& registry, const QString& name, const QString& dll, const QString& menu) {
    const QString key = ContactAddIns::registryKey() + u'\\' + name;
    registry.setValue(Hive::LocalMachine, key, QStringLiteral("DLL"), RegValue::fromString(dll));
    registry.setValue(Hive::LocalMachine, key, QStringLiteral("Menu"), RegValue::fromString(menu));
}

TEST(ContactAddInsTest, CommandsStartAt41222AndStepOverTheProgramsOwn) {
    QList<int> commands;
    for (int i = 0; i < ContactAddIns::kMaxAddIns; ++i) {
        commands.append(ContactAddIns::commandOf(i));
    }
    EXPECT_EQ(commands,
              QList<int>({41222, 41223, 41224, 41225, 41226, 41227, 41228, 41230, 41234}));
}

TEST(ContactAddInsTest, LoadsAtMostNineWithTheWindowsFallbackAndFindsTheDialer) {
    test::TempDevice device;
    const QByteArray library = readAll(kBin + QStringLiteral("/kontavo-sample-addin.so"));
    ASSERT_FALSE(library.isEmpty());
    device.writeFile(QStringLiteral("\\Program Files\\Notes.dll"), library);
    device.writeFile(QStringLiteral("\\Windows\\btdialer.DLL"), library);
    device.writeFile(QStringLiteral("\\Windows\\Other.dll"), library);
    Registry& registry = device.registry();
    addAddIn(registry, "A", "\\Program Files\\Notes.dll", "Notes");
    addAddIn(registry, "B", "Missing.dll", "Gone");             // skipped: no such file
    addAddIn(registry, "C", "BTDialer.dll", "Bluetooth dial");  // only in \Windows
    const QString noMenu = ContactAddIns::registryKey() + QStringLiteral("\\D");
    registry.setValue(Hive::LocalMachine, noMenu, "DLL", RegValue::fromString("Other.dll"));
    for (int i = 0; i < 8; ++i) {
        addAddIn(registry, QStringLiteral("E%1").arg(i), "Other.dll",
                 QStringLiteral("Extra %1").arg(i));
    }
    const ContactAddIns addIns = ContactAddIns::load(registry, device.fs());
    // Subkeys 0..8 only: A, C and the first five extras (B and D skipped).
    ASSERT_EQ(addIns.entries().size(), 7);
    EXPECT_EQ(addIns.entries()[0],
              (ContactAddIns::Entry{"Notes", "\\Program Files\\Notes.dll", 41222}));
    EXPECT_EQ(addIns.entries()[1].library, "\\Windows\\BTDialer.dll");
    EXPECT_EQ(addIns.entries()[1].command, 41223);
    EXPECT_EQ(addIns.dialerCommand(), 41223);
    EXPECT_EQ(addIns.dialerText(), "Bluetooth dial");
    EXPECT_EQ(addIns.entries()[6].menuText, "Extra 4");
    EXPECT_FALSE(addIns.entryOf(41229)) << "About... stays the program's";
    EXPECT_TRUE(ContactAddIns::load(test::TempDevice().registry(), device.fs()).isEmpty());
}

TEST(ContactAddInsTest, InvokingHandsTheOidsToCePimCommand) {
    test::TempDevice device;
    device.writeFile(QStringLiteral("\\Windows\\BTDialer.dll"),
                     readAll(kBin + QStringLiteral("/kontavo-sample-addin.so")));
    device.writeFile(QStringLiteral("\\Windows\\Broken.dll"), "not a library");
    addAddIn(device.registry(), "Dialer", "BTDialer.dll", "Dial");
    addAddIn(device.registry(), "Broken", "Broken.dll", "Broken");
    const ContactAddIns addIns = ContactAddIns::load(device.registry(), device.fs());
    ASSERT_EQ(addIns.entries().size(), 2);
    EXPECT_TRUE(addIns.invoke(nullptr, 41222, {7, 0x1A2B, 9}, device.fs(), nullptr));
    EXPECT_FALSE(addIns.invoke(nullptr, 41223, {7}, device.fs(), nullptr));
    EXPECT_FALSE(addIns.invoke(nullptr, 41229, {7}, device.fs(), nullptr));
    EXPECT_EQ(readAll(device.host(QStringLiteral("\\Windows\\BTDialer.dll.log"))),
              "0 2 3 7 6699 9\n");
}

TEST(TodayPluginTest, RegistersThroughTheLibraryAndIsZeroWithoutIt) {
    QTemporaryDir empty;
    QTemporaryDir folder;
    const TodayPlugin none({empty.path()}, nullptr);
    EXPECT_EQ(none.libraryPath(), QString());
    EXPECT_EQ(none.isRegistered(), 0);
    EXPECT_EQ(none.setRegistered(true), 0);
    ASSERT_TRUE(QFile::copy(kBin + QStringLiteral("/kontavo-sample-today.so"),
                            folder.filePath(QStringLiteral("KontavoToday.dll"))));
    const TodayPlugin today({empty.path(), folder.path()}, nullptr);
    EXPECT_EQ(today.isRegistered(), 0);
    EXPECT_EQ(today.setRegistered(true), 1);
    EXPECT_EQ(today.isRegistered(), 1);
    EXPECT_EQ(today.setRegistered(false), 1);
    EXPECT_EQ(today.isRegistered(), 0);
}

class RecordedBoxes final : public MessageBoxes {
public:
    RecordedBoxes() { install(this); }
    ~RecordedBoxes() override { install(nullptr); }
    void show(QWidget*, const QString& text, const QString& caption, Icon) override {
        shown.append(caption + QStringLiteral(": ") + text);
    }
    QStringList shown;
};

// The sample companion installed as "CallerID.exe" in a program folder;
// the windows live in a runtime folder of the test's own.
class CallerIdTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_oldRuntime = qgetenv("XDG_RUNTIME_DIR");
        qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
        qputenv("KONTAVO_CALLERID_LOG", runtime.filePath("callerid.log").toLocal8Bit());
        windows = std::make_unique<LocalWindowRegistry>();
        ASSERT_TRUE(windows->isOpen());
        QString folder = program.path();
        device.settings().set(settings::kProgramPath,
                              folder.replace(u'/', u'\\') + QStringLiteral("\\Kontavo.exe"));
        companion = std::make_unique<CallerIdCompanion>(CallerIdCompanion::Services{
            windows.get(), &launcher, &device.settings(), &device.fs()});
    }
    void TearDown() override {
        if (companion->isRunning()) {
            launcher.start(companion->hostProgram(), {QStringLiteral("/SHUTDOWN")});
            EXPECT_TRUE(QTest::qWaitFor([this] { return !companion->isRunning(); }, 5000));
        }
        qputenv("XDG_RUNTIME_DIR", m_oldRuntime);
        qunsetenv("KONTAVO_CALLERID_LOG");
    }
    void install() {
        ASSERT_TRUE(QFile::link(kBin + QStringLiteral("/kontavo-sample-callerid"),
                                program.filePath(QStringLiteral("CallerID.exe"))));
    }
    bool shortcutExists() {
        return device.fs().fileExists(QStringLiteral("\\Windows\\StartUp\\CallerID.lnk"));
    }

    QTemporaryDir runtime;
    QTemporaryDir program;
    test::TempDevice device;
    ProcessLauncher launcher;
    std::unique_ptr<LocalWindowRegistry> windows;
    std::unique_ptr<CallerIdCompanion> companion;
    RecordedBoxes boxes;
    QByteArray m_oldRuntime;
};

TEST_F(CallerIdTest, AvailableOnlyOnAPhoneWithItsProgramOrWhileItRuns) {
    EXPECT_EQ(companion->programPath(), program.path().replace(u'/', u'\\') + "\\CallerID.exe");
    EXPECT_FALSE(companion->isAvailable());
    install();
    EXPECT_FALSE(companion->isAvailable()) << "not a phone";
    device.writeFile(QStringLiteral("\\Windows\\sms.dll"), "phone");
    EXPECT_TRUE(companion->isAvailable());
    device.settings().set(settings::kCallerIdState, 1);
    EXPECT_FALSE(companion->recordState());
    EXPECT_EQ(device.settings().get(settings::kCallerIdState), 0);
}

TEST_F(CallerIdTest, StartedAndStoppedWithItsStartupEntryAndState) {
    install();
    // Unticked while it does not run: nothing happens.
    EXPECT_EQ(companion->apply(false, nullptr), CallerIdCompanion::Outcome::Unchanged);
    EXPECT_EQ(companion->apply(true, nullptr), CallerIdCompanion::Outcome::Started);
    ASSERT_TRUE(QTest::qWaitFor([this] { return companion->isRunning(); }, 5000));
    EXPECT_EQ(device.settings().get(settings::kCallerIdState), 1);
    ASSERT_TRUE(shortcutExists());
    const QByteArray entry =
        readAll(device.host(QStringLiteral("\\Windows\\StartUp\\CallerID.lnk")));
    EXPECT_TRUE(entry.contains("Exec=\"" + companion->hostProgram().toUtf8() + "\""))
        << entry.toStdString();
    // Ticked while it runs: nothing happens.
    EXPECT_EQ(companion->apply(true, nullptr), CallerIdCompanion::Outcome::Unchanged);
    // What the category ringtones post after their file changed.
    EXPECT_TRUE(
        windows->postMessage(windows->findWindow(CallerIdCompanion::kWindowClass.toString()),
                             {CallerIdCompanion::kRingtonesChangedMessage, 0, 0}));
    EXPECT_EQ(companion->apply(false, nullptr), CallerIdCompanion::Outcome::Stopped);
    EXPECT_TRUE(QTest::qWaitFor([this] { return !companion->isRunning(); }, 5000));
    EXPECT_FALSE(shortcutExists());
    EXPECT_EQ(device.settings().get(settings::kCallerIdState), 0);
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_TRUE(boxes.shown[0].startsWith("Tarnwel Caller ID: You are close CallerID."));
    EXPECT_EQ(readAll(runtime.filePath("callerid.log")), "started\nmessage 3026 0 0\nstopped\n");
}

TEST_F(CallerIdTest, AProgramThatCannotStartIsReportedAndChangesNothing) {
    EXPECT_EQ(companion->apply(true, nullptr), CallerIdCompanion::Outcome::StartFailed);
    EXPECT_EQ(boxes.shown, QStringList(": Error while loading CallerID"));
    EXPECT_EQ(device.settings().get(settings::kCallerIdState), 0);
    EXPECT_FALSE(shortcutExists());
}

}  // namespace
}  // namespace kontavo
