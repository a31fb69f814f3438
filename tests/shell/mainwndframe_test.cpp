#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "comm/dialmethod.h"
#include "diag/resources.h"
#include "platform/screen.h"
#include "shell/progresswnd.h"
#include "shell/shellids.h"
#include "shelltestsupport.h"
#include "store/sync/pimsync.h"
#include "ui/menubar.h"

namespace kontavo {
namespace {

class MainWndFrameTest : public ::testing::Test {
protected:
    // Creates the main window from `services` and makes it the active window.
    MainWndFrame& start(const MainWndServices& services) {
        m_window = m_rig.makeWindow(services);
        EXPECT_TRUE(m_window->create());
        m_window->show();
        activate();
        return *m_window;
    }
    MainWndFrame& start() { return start(m_rig.services()); }
    void activate() {
        QApplication::setActiveWindow(m_window.get());
        QTRY_VERIFY(m_window->isActiveWindow());
    }
    // Another window takes the focus (as another program's would).
    void deactivate() {
        m_other.show();
        QApplication::setActiveWindow(&m_other);
        QTRY_VERIFY(!m_window->isActiveWindow());
    }
    void command(int id) { sendWindowMessage(m_window.get(), {wm::kCommand, uint32_t(id), 0}); }
    const QStringList& events() const { return m_rig.journal.events; }

    test::MainWindowRig m_rig;
    QWidget m_other;
    std::unique_ptr<MainWndFrame> m_window;
};

TEST_F(MainWndFrameTest, CreatesTheScreenWithFramesAboveTheMenuBar) {
    MainWndFrame& window = start();
    EXPECT_EQ(window.size(), QSize(240, 320));
    EXPECT_EQ(window.clientRect(), QRect(0, 0, 240, 294));
    EXPECT_EQ(window.menuBar()->geometry(), QRect(0, 294, 240, 26));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Kontavo"));
    EXPECT_EQ(window.contactsFrame()->geometry(), QRect(0, 0, 240, 294));
    EXPECT_EQ(window.activeFrame(), window.contactsFrame());
    EXPECT_TRUE(window.contactsFrame()->isVisible());
    EXPECT_FALSE(window.appointmentsFrame()->isVisible());
    EXPECT_EQ(MainWndFrame::instance(), &window);
    EXPECT_EQ(m_rig.windows.findWindow(QStringLiteral("TW.MAIN.WND.CLASS")), window.handle());
    EXPECT_EQ(m_rig.device.settings().get(settings::kProgramPath),
              QStringLiteral("\\opt\\kontavo\\bin\\Kontavo.exe"));
    EXPECT_EQ(events().mid(0, 2), (QStringList{QStringLiteral("store opened"),
                                               QStringLiteral("frame made with store 1")}));
    EXPECT_TRUE(m_rig.boxes.shown.isEmpty());
}

TEST_F(MainWndFrameTest, DoubleResolutionDoublesEveryLength) {
    const Screen saved = Screen::current();
    Screen::setCurrent(Screen(192, 192));
    MainWndFrame& window = start();
    EXPECT_EQ(window.size(), QSize(480, 640));
    EXPECT_EQ(window.menuBar()->height(), 52);
    EXPECT_EQ(window.clientRect(), QRect(0, 0, 480, 588));
    m_window.reset();
    Screen::setCurrent(saved);
}

TEST_F(MainWndFrameTest, MenuBarOffersEveryCommandThatCanRun) {
    MainWndFrame& window = start();
    const QList<int> expected = {41209, 41283, 41284, 41208, 41286, 41211, 41207,
                                 41147, 41300, 42330, 42331, 41229, 41290, 40004, 41214,
                                 41266, 41264, 41231, 41232, 41233, 41216, 41217, 41218};
    EXPECT_EQ(window.menuBar()->commandIds(), expected);
    for (int id : expected) {
        const bool laterDialog = id == shell::kCmdOptions || id == shell::kCmdEditTemplate;
        EXPECT_EQ(window.menuBar()->action(id)->isEnabled(), !laterDialog) << id;
    }
}

TEST_F(MainWndFrameTest, WithoutAContactsFrameOnlyTheAppointmentsFrameShows) {
    MainWndServices services = m_rig.services();
    services.createContactsFrame = nullptr;
    services.runOptions = [this](MainWndFrame&) {
        m_rig.journal.events << QStringLiteral("options");
    };
    MainWndFrame& window = start(services);
    EXPECT_EQ(window.contactsFrame(), nullptr);
    EXPECT_EQ(window.activeFrame(), window.appointmentsFrame());
    EXPECT_TRUE(window.appointmentsFrame()->isVisible());
    EXPECT_FALSE(window.menuBar()->action(41209)->isEnabled());
    EXPECT_FALSE(window.menuBar()->action(41290)->isEnabled());
    EXPECT_TRUE(window.menuBar()->action(shell::kCmdOptions)->isEnabled());
    EXPECT_TRUE(window.menuBar()->action(shell::kCmdExit)->isEnabled());
    command(shell::kCmdOptions);
    EXPECT_EQ(events().last(), QStringLiteral("options"));
}

TEST_F(MainWndFrameTest, NewerPlatformIsRefusedWithItsMessage) {
    MainWndServices services = m_rig.services();
    services.platformVersion = {5, 0};
    m_window = m_rig.makeWindow(services);
    EXPECT_FALSE(m_window->create());
    ASSERT_EQ(m_rig.boxes.shown.size(), 1);
    EXPECT_EQ(m_rig.boxes.shown[0].first, loadString(41287));
    EXPECT_EQ(m_rig.boxes.shown[0].second, QStringLiteral("Error"));
    EXPECT_EQ(m_rig.windows.findWindow(QStringLiteral("TW.MAIN.WND.CLASS")), 0u);
    EXPECT_FALSE(events().contains(QStringLiteral("store opened")));
    EXPECT_TRUE(m_rig.quitCodes.isEmpty());
}

TEST_F(MainWndFrameTest, StoreThatCannotOpenFailsTheStartWithItsMessage) {
    MainWndServices services = m_rig.services();
    services.openContactStore = [](FrameHost&, QString* why) {
        *why = QStringLiteral("Cannot open the contact store /d/objectstore.db: disk I/O error.");
        return std::unique_ptr<ContactStoreLink>();
    };
    m_window = m_rig.makeWindow(services);
    EXPECT_FALSE(m_window->create());
    ASSERT_EQ(m_rig.boxes.shown.size(), 1);
    // The box says what failed and why; its caption names no source file.
    EXPECT_EQ(m_rig.boxes.shown[0].first,
              QStringLiteral("Unable connect to server\nCannot open the contact store "
                             "/d/objectstore.db: disk I/O error."));
    EXPECT_EQ(m_rig.boxes.shown[0].second, QStringLiteral("Error"));
    EXPECT_TRUE(events().isEmpty());  // no frame was made
    EXPECT_EQ(m_rig.windows.findWindow(QStringLiteral("TW.MAIN.WND.CLASS")), 0u);
    EXPECT_EQ(MainWndFrame::instance(), nullptr);
}

TEST_F(MainWndFrameTest, DialMethodDefaultsByDeviceAndStoredOnesStay) {
    start();
    EXPECT_EQ(m_rig.device.settings().get(settings::kDialupMode), kDialNone);
    m_window.reset();
    m_rig.device.settings().set(settings::kDialupMode, 0);
    m_rig.device.writeFile(QStringLiteral("\\Windows\\sms.dll"), "phone");
    start();
    EXPECT_EQ(m_rig.device.settings().get(settings::kDialupMode), kDialJustCall);
    m_window.reset();
    m_rig.device.settings().set(settings::kDialupMode, kDialAddIn);
    start();
    EXPECT_EQ(m_rig.device.settings().get(settings::kDialupMode), kDialAddIn);
    EXPECT_EQ(currentDialupMode(), kDialAddIn) << "the start-up value is the current one";
}

TEST_F(MainWndFrameTest, DoubleSizedSettingSetsTheViewRadioGroup) {
    m_rig.device.settings().set(settings::kIsDoubleSized, 1);
    MainWndFrame& window = start();
    EXPECT_TRUE(window.menuBar()->action(shell::kCmdTwoLineDisplay)->isChecked());
    EXPECT_FALSE(window.menuBar()->action(shell::kCmdOneLineDisplay)->isChecked());
}

TEST_F(MainWndFrameTest, ActivationRestoresTheSipItFoundAtDeactivation) {
    MainWndFrame& window = start();
    EXPECT_FALSE(m_rig.shell.isSipUp());  // forced down at creation
    QTest::mouseClick(window.menuBar()->sipButton(), Qt::LeftButton);
    EXPECT_TRUE(m_rig.shell.isSipUp());
    EXPECT_TRUE(window.sipWasUp());
    EXPECT_EQ(window.sipTop(), 214);
    deactivate();
    EXPECT_FALSE(window.isWindowActive());
    m_rig.shell.setSipUp(false);  // another program lowers it
    EXPECT_TRUE(window.sipWasUp());
    activate();
    EXPECT_TRUE(m_rig.shell.isSipUp());
    // And the other way round: down at deactivation stays down.
    m_rig.shell.setSipUp(false);
    EXPECT_FALSE(window.sipTop());
    deactivate();
    m_rig.shell.setSipUp(true);
    activate();
    EXPECT_FALSE(m_rig.shell.isSipUp());
}

TEST_F(MainWndFrameTest, BusyWindowLeavesTheSipAlone) {
    MainWndFrame& window = start();
    window.setBusy(true);
    m_rig.shell.setSipUp(true);
    EXPECT_FALSE(window.sipWasUp());
    deactivate();
    EXPECT_TRUE(window.isWindowActive());  // busy: the flag stays as it was
    activate();
    EXPECT_TRUE(m_rig.shell.isSipUp());
    EXPECT_TRUE(events().contains(QStringLiteral("activate 0")));
    EXPECT_TRUE(events().contains(QStringLiteral("activate 1")));
}

TEST_F(MainWndFrameTest, SwitchingFramesRebuildsTheMenuBarOnce) {
    MainWndFrame& window = start();
    const MenuBar* before = window.menuBar();
    window.switchFrame(FrameHost::kAppointmentsFrame);
    EXPECT_EQ(window.activeFrame(), window.appointmentsFrame());
    EXPECT_TRUE(window.appointmentsFrame()->isVisible());
    EXPECT_FALSE(window.contactsFrame()->isVisible());
    const MenuBar* rebuilt = window.menuBar();
    EXPECT_NE(rebuilt, before);
    EXPECT_EQ(rebuilt->commandIds().size(), 23);
    window.switchFrame(FrameHost::kAppointmentsFrame);
    EXPECT_EQ(window.menuBar(), rebuilt);  // already active: nothing happens
    command(41209);                        // the appointments frame handles nothing
    EXPECT_FALSE(events().contains(QStringLiteral("command 41209")));
    window.switchFrame(FrameHost::kContactsFrame);
    EXPECT_EQ(window.activeFrame(), window.contactsFrame());
    command(41209);
    EXPECT_EQ(events().last(), QStringLiteral("command 41209"));
    window.switchFrame(7);
    EXPECT_EQ(window.activeFrame(), window.contactsFrame());
}

TEST_F(MainWndFrameTest, MenuTapsReachTheActiveFrame) {
    MainWndFrame& window = start();
    QTest::mouseClick(window.menuBar()->buttons()[0], Qt::LeftButton);  // "New"
    QTRY_COMPARE(events().last(), QStringLiteral("command 41209"));
    window.menuBar()->action(41217)->trigger();  // View > Sort By > File As
    QTRY_COMPARE(events().last(), QStringLiteral("command 41217"));
}

TEST_F(MainWndFrameTest, OtherProgramsOpenContactsAndReachTheStore) {
    MainWndFrame& window = start();
    LocalWindowRegistry other(m_rig.runtimeFolder);
    const WindowHandle main = other.findWindow(QStringLiteral("TW.MAIN.WND.CLASS"));
    ASSERT_EQ(main, window.handle());
    other.postMessage(main, {shell::kWmOpenContact, 'x', 5});
    other.postMessage(main, {shell::kWmOpenContact, 'v', 0x1A2B});
    QTRY_VERIFY(events().contains(QStringLiteral("open v 1a2b")));
    EXPECT_FALSE(events().contains(QStringLiteral("open x 5")));
    const uint32_t linkType = other.registerWindowMessage(QStringLiteral("PimSyncUpdateLinkType"));
    EXPECT_EQ(other.sendMessage(main, {linkType, 5, 7}), 0);
    EXPECT_EQ(events().last(), QStringLiteral("store 4 5 7"));
    const uint32_t master = other.registerWindowMessage(QStringLiteral("PimSyncChangeToMaster"));
    other.sendMessage(main, {master, 0, 0});
    EXPECT_EQ(events().last(), QStringLiteral("store 0 0 0"));
    other.sendMessage(main, {1023, 1, 2});
    EXPECT_EQ(events().last(), QStringLiteral("store 5 1 2"));
}

// Another program keeps the index when the window is made: the window
// registers behind it, takes the index over once it is up (the other is told
// to be slave, to stop and to reload), and at its end hands the index back
// after its contact store has closed.
TEST_F(MainWndFrameTest, TheWindowTakesTheIndexOverAndHandsItBackAtItsEnd) {
    LocalWindowRegistry otherWindows(m_rig.runtimeFolder);
    PimSync otherSync(otherWindows, m_rig.device.root());
    QStringList& journal = m_rig.journal.events;
    auto otherWindow = otherWindows.createWindow(
        QStringLiteral("OTHER"),
        {[&](const WindowMessage& message, bool) {
             if (const auto known = otherSync.messageOf(message.id)) {
                 journal << QStringLiteral("other %1")
                                .arg(QLatin1String(PimSync::kMessageNames[size_t(*known)]));
             }
             return 0;
         },
         {}});
    ASSERT_NE(otherWindow, nullptr);
    ASSERT_TRUE(otherSync.open());
    ASSERT_TRUE(otherSync.registerWindow(otherWindow->handle()));
    ASSERT_TRUE(otherSync.isMaster());

    MainWndFrame& window = start();
    EXPECT_EQ(otherSync.participants(),
              (QList<WindowHandle>{window.handle(), otherWindow->handle()}));
    EXPECT_TRUE(window.sharing()->isMaster());
    const qsizetype opened = journal.indexOf(QStringLiteral("store opened"));
    const qsizetype slave = journal.indexOf(QStringLiteral("other PimSyncChangeToSlave"));
    ASSERT_GE(opened, 0);
    ASSERT_GT(slave, opened) << "the store opened before the window took over";
    EXPECT_EQ(journal.mid(slave, 4),
              (QStringList{"other PimSyncChangeToSlave", "other PimSyncSlaveStop", "store 0 0 0",
                           "other PimSyncSlaveReload"}));

    m_window.reset();
    const qsizetype closed = journal.indexOf(QStringLiteral("store closed"));
    const qsizetype handed = journal.indexOf(QStringLiteral("other PimSyncChangeToMaster"));
    ASSERT_GE(closed, 0);
    EXPECT_GT(handed, closed) << "the index is handed over only after the store closed";
    EXPECT_EQ(otherSync.participants(), QList<WindowHandle>{otherWindow->handle()});
}

TEST_F(MainWndFrameTest, TalkKeyCallsOnPhonesOnly) {
    start();
    QTest::keyClick(m_window.get(), Qt::Key_F3);
    QTest::qWait(20);
    EXPECT_FALSE(events().contains(QStringLiteral("call")));
    m_window.reset();
    m_rig.device.writeFile(QStringLiteral("\\Windows\\sms.dll"), "phone");
    MainWndFrame& window = start();
    EXPECT_TRUE(window.hasTalkKey());
    QTest::keyClick(m_window.get(), Qt::Key_F3);
    QTRY_VERIFY(events().contains(QStringLiteral("call")));
    deactivate();
    EXPECT_FALSE(window.hasTalkKey());
    EXPECT_EQ(m_rig.shell.keyOverride(114), 0u);
}

TEST_F(MainWndFrameTest, ControlQClosesAndShutsDownInOrder) {
    MainWndFrame& window = start();
    m_rig.shell.setAccelerators(&window, *AcceleratorTable::load(103));
    QTest::keyClick(m_window.get(), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(m_rig.quitCodes, QList<int>{0});
    const qsizetype frame = events().indexOf(QStringLiteral("contacts frame destroyed"));
    const qsizetype store = events().indexOf(QStringLiteral("store closed"));
    EXPECT_GE(events().indexOf(QStringLiteral("activate 0 self")), 0);
    EXPECT_GE(frame, 0);
    EXPECT_GT(store, frame);
    EXPECT_EQ(m_rig.windows.findWindow(QStringLiteral("TW.MAIN.WND.CLASS")), 0u);
    EXPECT_EQ(MainWndFrame::instance(), nullptr);
    EXPECT_FALSE(window.isVisible());
    m_window.reset();
    EXPECT_EQ(m_rig.quitCodes, QList<int>{0});  // once only
}

TEST_F(MainWndFrameTest, ExitFromTheMenuEndsTheProgram) {
    MainWndFrame& window = start();
    window.menuBar()->action(shell::kCmdExit)->trigger();
    QTRY_COMPARE(m_rig.quitCodes, QList<int>{0});
    EXPECT_FALSE(window.isCreated());
}

TEST_F(MainWndFrameTest, ScreenChangeRelaysTheContactsFrameAndSipChangesReachTheFrame) {
    start();
    sendWindowMessage(m_window.get(), {wm::kSettingChange, wm::kSettingReset, 0});
    EXPECT_EQ(events().last(), QStringLiteral("refresh 240x294"));
    EXPECT_FALSE(events().contains(QStringLiteral("setting 12290")));
    m_rig.shell.setSipUp(true);
    EXPECT_EQ(events().last(), QStringLiteral("setting 224"));
}

TEST_F(MainWndFrameTest, ProgressWindowCountsFromOneToTwenty) {
    MainWndFrame& window = start();
    window.stepProgress();  // nothing to step yet
    window.createProgress();
    ASSERT_NE(window.progress(), nullptr);
    EXPECT_EQ(window.progress()->title(), QStringLiteral("Reindex database"));
    EXPECT_EQ(window.progress()->minimum(), 1);
    EXPECT_EQ(window.progress()->maximum(), 20);
    EXPECT_EQ(window.progress()->stepSize(), 1);
    window.stepProgress();
    EXPECT_EQ(window.progress()->position(), 2);
    window.setProgressRange(0, 5);
    window.setProgressStep(2);
    window.setProgressText(QStringLiteral("Contacts"));
    for (int i = 0; i < 4; ++i) {
        window.stepProgress();
    }
    EXPECT_EQ(window.progress()->position(), 5);
    EXPECT_EQ(window.progress()->text(), QStringLiteral("Contacts"));
    window.closeProgress();
    EXPECT_EQ(window.progress(), nullptr);
}

TEST_F(MainWndFrameTest, AboutBoxShowsVersionAndBuild) {
    start();
    QString version;
    QString build;
    QTimer::singleShot(0, [&] {
        QWidget* about = QApplication::activeModalWidget();
        ASSERT_NE(about, nullptr);
        version = about->findChild<QLabel*>(QStringLiteral("Version"))->text();
        build = about->findChild<QLabel*>(QStringLiteral("Build"))->text();
        static_cast<QDialog*>(about)->accept();
    });
    command(shell::kCmdAbout);
    EXPECT_EQ(version, QStringLiteral("Version 9.8.7"));
    EXPECT_EQ(build, QStringLiteral("Build test build"));
}

TEST_F(MainWndFrameTest, FramesCanDisableTheMainWindowAndClearTheList) {
    MainWndFrame& window = start();
    window.enableMainWindow(false);
    EXPECT_FALSE(window.isEnabled());
    window.enableMainWindow(true);
    EXPECT_TRUE(window.isEnabled());
    window.clearListSelection();
    EXPECT_EQ(events().last(), QStringLiteral("clear selection"));
}

}  // namespace
}  // namespace kontavo
