// The program's contact actions as the running program wires them: the
// main window with the program's store and contacts frame over a temporary
// device, and stand-ins of the desktop programs on PATH.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "contactsprogram.h"
#include "list/contactsframe.h"
#include "list/contactstoresession.h"
#include "list/framelistmodel.h"
#include "platform/locale.h"
#include "shell/shellids.h"
#include "shelltestsupport.h"
#include "store/settings/settingsstore.h"
#include "support/fakeprograms.h"
#include "ui/menubar.h"

namespace kontavo {
namespace {

class ProgramActionsTest : public ::testing::Test {
protected:
    void SetUp() override {
        fake.add(QStringLiteral("xdg-open"));
        fake.add(QStringLiteral("xdg-email"));
        ASSERT_TRUE(seedDemoContactsIfEmpty(rig.device.fs(), 5, Locale::user()));
    }
    void TearDown() override { window.reset(); }

    MainWndFrame& start() {
        window = rig.makeProgramWindow();
        EXPECT_TRUE(window->create());
        window->show();
        QApplication::setActiveWindow(window.get());
        EXPECT_TRUE(QTest::qWaitFor([this] { return window->isActiveWindow(); }));
        return *window;
    }
    ContactsFrame& frame() { return *dynamic_cast<ContactsFrame*>(window->contactsFrame()); }
    // Selects the first contact of the list and returns it.
    Oid selectFirst() {
        frame().list()->stepSelection(1);
        return frame().list()->selectedContact();
    }
    void command(int id) { sendWindowMessage(window.get(), {wm::kCommand, uint32_t(id), 0}); }

    test::FakePrograms fake;
    test::MainWindowRig rig;
    std::unique_ptr<MainWndFrame> window;
};

TEST_F(ProgramActionsTest, TheToolsMenuBeamsTheSelectedContactThroughTheSender) {
    start();
    for (const int id : {41286, 41211, shell::kCmdOptions}) {
        EXPECT_TRUE(window->menuBar()->action(id)->isEnabled()) << id;
    }
    ASSERT_NE(selectFirst(), 0u);
    command(41286);
    const QList<test::FakePrograms::Call> calls = fake.waitForCalls(1);
    ASSERT_EQ(calls.size(), 1);
    EXPECT_EQ(calls[0][0], "xdg-open");
    EXPECT_TRUE(calls[0][1].startsWith(rig.device.root() + QStringLiteral("/Outbox/Contacts-")));
    QFile file(calls[0][1]);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().startsWith("BEGIN:VCARD\r\n"));
}

TEST_F(ProgramActionsTest, OnAPhoneTheTalkKeyDialsTheSelectedContact) {
    rig.device.writeFile(QStringLiteral("\\Windows\\sms.dll"), "phone");
    start();
    EXPECT_TRUE(window->hasTalkKey());
    // Not every demonstration contact has a phone: the key goes down on one
    // contact after the other until a call is made.
    QList<test::FakePrograms::Call> calls;
    for (int step = 0; step < 5 && calls.isEmpty(); ++step) {
        ASSERT_NE(selectFirst(), 0u);
        QTest::keyClick(window.get(), Qt::Key_F3);
        QTest::qWait(300);
        calls = fake.calls();
    }
    ASSERT_EQ(calls.size(), 1);
    EXPECT_EQ(calls[0][0], "xdg-open");
    EXPECT_TRUE(calls[0][1].startsWith("tel:")) << calls[0][1].toStdString();
}

TEST_F(ProgramActionsTest, TheToolsMenuWithItsNewItemFitsTheScreen) {
    start();
    MenuBar& bar = *window->menuBar();
    QMenu* tools = bar.popupOf(1);
    ASSERT_NE(tools, nullptr);
    QTimer::singleShot(50, [&] {
        QMenu* shown = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_EQ(shown, tools);
        EXPECT_LE(shown->height(), window->height());
        EXPECT_LE(shown->width(), window->width());
        const QString folder = QStringLiteral(KONTAVO_BIN_DIR "/../screenshots");
        QDir().mkpath(folder);
        shown->grab().save(folder + QStringLiteral("/tools-menu-96.png"));
        shown->close();
    });
    QTest::mouseClick(bar.buttons()[1], Qt::LeftButton);
    QTest::qWait(100);
}

}  // namespace
}  // namespace kontavo
