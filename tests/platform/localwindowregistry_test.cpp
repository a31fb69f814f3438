#include "platform/localwindowregistry.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QFile>
#include <QLocalSocket>
#include <QTemporaryDir>
#include <QTest>

#include "platform/windowtable.h"

namespace kontavo {
namespace {

// Records what reaches one window and answers sends with wParam + lParam.
struct Inbox {
    QList<WindowMessage> posted;
    QList<WindowMessage> sent;
    int foreground = 0;

    WindowReceiver receiver() {
        return {[this](const WindowMessage& message, bool isSend) {
                    (isSend ? sent : posted).append(message);
                    return int32_t(message.wParam + message.lParam);
                },
                [this] { ++foreground; }};
    }
};

class LocalWindowRegistryTest : public ::testing::Test {
protected:
    QTemporaryDir m_dir;
    LocalWindowRegistry m_windows{m_dir.path()};
    Inbox m_inbox;
};

TEST_F(LocalWindowRegistryTest, FindsWindowsByClassUntilTheyGoAway) {
    ASSERT_TRUE(m_windows.isOpen());
    EXPECT_EQ(m_windows.findWindow(QStringLiteral("TW.MAIN.WND.CLASS")), 0u);
    auto window = m_windows.createWindow(QStringLiteral("TW.MAIN.WND.CLASS"), m_inbox.receiver());
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(m_windows.findWindow(QStringLiteral("tw.main.wnd.class")), window->handle());
    EXPECT_TRUE(m_windows.isWindow(window->handle()));
    EXPECT_TRUE(m_windows.isWindow(window->handle() | 1));
    EXPECT_EQ(m_windows.findWindow(QStringLiteral("CALLERID_MAINCLASS")), 0u);
    const WindowHandle gone = window->handle();
    window.reset();
    EXPECT_EQ(m_windows.findWindow(QStringLiteral("TW.MAIN.WND.CLASS")), 0u);
    EXPECT_FALSE(m_windows.isWindow(gone));
}

TEST_F(LocalWindowRegistryTest, PostsArriveOnTheEventLoopInOrder) {
    auto window = m_windows.createWindow(QStringLiteral("W"), m_inbox.receiver());
    ASSERT_TRUE(m_windows.postMessage(window->handle(), {1149, 'v', 0x1A2B}));
    ASSERT_TRUE(m_windows.postMessage(window->handle(), {1149, 'e', 7}));
    ASSERT_TRUE(m_windows.setForegroundWindow(window->handle() | 1));
    EXPECT_TRUE(m_inbox.posted.isEmpty());  // a post never runs inside the call
    QTRY_COMPARE(m_inbox.posted.size(), 2);
    EXPECT_EQ(m_inbox.posted[0], (WindowMessage{1149, 'v', 0x1A2B}));
    EXPECT_EQ(m_inbox.posted[1], (WindowMessage{1149, 'e', 7}));
    QTRY_COMPARE(m_inbox.foreground, 1);
}

TEST_F(LocalWindowRegistryTest, SendToOwnWindowAnswersAtOnce) {
    auto window = m_windows.createWindow(QStringLiteral("W"), m_inbox.receiver());
    EXPECT_EQ(m_windows.sendMessage(window->handle(), {0xC000, 40, 2}), 42);
    ASSERT_EQ(m_inbox.sent.size(), 1);
    EXPECT_EQ(m_inbox.sent[0].id, 0xC000u);
}

TEST_F(LocalWindowRegistryTest, AWindowGoesAwayWhileAConnectionIsOpen) {
    auto window = m_windows.createWindow(QStringLiteral("W"), m_inbox.receiver());
    QLocalSocket client;
    client.connectToServer(m_dir.path() +
                           QStringLiteral("/w-%1").arg(window->handle(), 8, 16, QLatin1Char('0')));
    ASSERT_TRUE(client.waitForConnected(5000));
    client.write("KW");  // half a frame: the window keeps the connection open
    client.flush();
    QTest::qWait(50);
    window.reset();
    QTRY_COMPARE(client.state(), QLocalSocket::UnconnectedState);
    EXPECT_TRUE(m_inbox.posted.isEmpty());
    EXPECT_TRUE(m_inbox.sent.isEmpty());
}

TEST_F(LocalWindowRegistryTest, WindowsOfDeadProgramsAreRemovedWithTheirSockets) {
    WindowTable table(m_dir.path());
    // A program that died: its row and socket file stay behind.
    const auto dead = table.addWindow(QStringLiteral("TW.MAIN.WND.CLASS"), 0x7FFFFFF0);
    ASSERT_TRUE(dead);
    const QString socket =
        m_dir.path() + QStringLiteral("/w-%1").arg(*dead, 8, 16, QLatin1Char('0'));
    QFile(socket).open(QIODevice::WriteOnly);
    EXPECT_EQ(m_windows.findWindow(QStringLiteral("TW.MAIN.WND.CLASS")), 0u);
    EXPECT_FALSE(table.window(*dead));
    EXPECT_FALSE(QFile::exists(socket));
    EXPECT_FALSE(m_windows.postMessage(*dead, {1, 2, 3}));
    EXPECT_FALSE(m_windows.sendMessage(*dead, {1, 2, 3}));
}

// Another program looking for windows at the moment a window is being made
// (its row written, its socket not yet listening) must not take it for dead.
TEST_F(LocalWindowRegistryTest, AWindowBeingMadeIsNotTakenForDead) {
    WindowTable table(m_dir.path());
    const auto coming = table.addWindow(QStringLiteral("TW.MAIN.WND.CLASS"), qint64(getpid()));
    ASSERT_TRUE(coming);
    EXPECT_EQ(m_windows.findWindow(QStringLiteral("TW.MAIN.WND.CLASS")), 0u) << "not there yet";
    EXPECT_TRUE(table.window(*coming)) << "but its row stays";
}

TEST_F(LocalWindowRegistryTest, RegisteredMessagesAgreeBetweenRegistries) {
    LocalWindowRegistry other(m_dir.path());
    const uint32_t id = m_windows.registerWindowMessage(QStringLiteral("PimSyncSlaveStop"));
    EXPECT_GE(id, 0xC000u);
    EXPECT_EQ(other.registerWindowMessage(QStringLiteral("PimSyncSlaveStop")), id);
    EXPECT_EQ(m_windows.registerWindowMessage(QString()), 0u);
}

TEST(LocalWindowRegistryClosedTest, AnUnusableFolderFailsEveryCall) {
    LocalWindowRegistry windows(QStringLiteral("/nonexistent/kontavo-runtime"));
    EXPECT_FALSE(windows.isOpen());
    EXPECT_EQ(windows.createWindow(QStringLiteral("W"), {}), nullptr);
    EXPECT_EQ(windows.findWindow(QStringLiteral("W")), 0u);
    EXPECT_FALSE(windows.postMessage(2, {}));
}

}  // namespace
}  // namespace kontavo
