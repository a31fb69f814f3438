// Windows between two real processes: this test program starts itself again
// as the peer (WindowPeerProcess.Serve with KONTAVO_WINDOW_PEER set).
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>

#include "platform/localwindowregistry.h"

namespace kontavo {
namespace {

constexpr char kPeerFolder[] = "KONTAVO_WINDOW_PEER";
const QStringList kSyncNames = {
    QStringLiteral("PimSyncChangeToMaster"), QStringLiteral("PimSyncChangeToSlave"),
    QStringLiteral("PimSyncSlaveReload"), QStringLiteral("PimSyncSlaveStop"),
    QStringLiteral("PimSyncUpdateLinkType")};

// What the peer does with each message.
constexpr uint32_t kAdd = 0x500;       // send: answers wParam + lParam
constexpr uint32_t kCallBack = 0x501;  // post: sends kReport(wParam, lParam) to "TEST"
constexpr uint32_t kAskBack = 0x502;   // send: sends kQuestion to "TEST", answers its result + 1
constexpr uint32_t kDie = 0x503;       // send: the peer ends without answering
constexpr uint32_t kQuit = 0x504;      // post: the peer ends
constexpr uint32_t kReport = 0x600;
constexpr uint32_t kQuestion = 0x601;

int32_t peerAnswer(LocalWindowRegistry& windows, QEventLoop& loop, const WindowMessage& message) {
    const WindowHandle test = windows.findWindow(QStringLiteral("TEST"));
    switch (message.id) {
        case kAdd:
            return int32_t(message.wParam + message.lParam);
        case kCallBack:
            windows.sendMessage(test, {kReport, message.wParam, message.lParam});
            return 0;
        case kAskBack:
            return windows.sendMessage(test, {kQuestion, 0, 0}).value_or(-100) + 1;
        case kDie:
            std::_Exit(3);
        case kQuit:
            loop.quit();
            return 0;
        default:
            return -1;
    }
}

TEST(WindowPeerProcess, Serve) {
    const QString folder = qEnvironmentVariable(kPeerFolder);
    if (folder.isEmpty()) {
        GTEST_SKIP() << "runs only as the peer of the cross-process window tests";
    }
    LocalWindowRegistry windows(folder);
    QEventLoop loop;
    WindowReceiver receiver;
    receiver.message = [&](const WindowMessage& message, bool) {
        return peerAnswer(windows, loop, message);
    };
    auto window = windows.createWindow(QStringLiteral("PEER"), receiver);
    ASSERT_NE(window, nullptr);
    QStringList ids;
    for (const QString& name : kSyncNames) {
        ids.append(QString::number(windows.registerWindowMessage(name)));
    }
    std::printf("ready %s\n", qPrintable(ids.join(QLatin1Char(' '))));
    std::fflush(stdout);
    loop.exec();
}

class WindowPeerTest : public ::testing::Test {
protected:
    void SetUp() override {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QLatin1String(kPeerFolder), m_dir.path());
        m_peer.setProcessEnvironment(environment);
        m_peer.start(QCoreApplication::applicationFilePath(),
                     {QStringLiteral("--gtest_filter=WindowPeerProcess.Serve")});
        QElapsedTimer timer;
        timer.start();
        const auto ready = [this] {
            const qsizetype start = m_peerLine.indexOf("ready");
            return start >= 0 && m_peerLine.indexOf('\n', start) > start;
        };
        while (!ready() && timer.elapsed() < 60000 && m_peer.state() != QProcess::NotRunning) {
            m_peer.waitForReadyRead(100);
            m_peerLine += m_peer.readAllStandardOutput();
        }
        m_peerLine = m_peerLine.mid(m_peerLine.indexOf("ready"));
        m_peerLine = m_peerLine.left(m_peerLine.indexOf('\n'));
        ASSERT_TRUE(m_peerLine.startsWith("ready")) << m_peerLine.toStdString();
        m_test =
            m_windows.createWindow(QStringLiteral("TEST"), {[this](const WindowMessage& m, bool) {
                                                                m_received.append(m);
                                                                return m.id == kQuestion ? 41 : 0;
                                                            },
                                                            {}});
        m_peerWindow = m_windows.findWindow(QStringLiteral("PEER"));
        ASSERT_NE(m_peerWindow, 0u);
    }
    void TearDown() override {
        if (m_peer.state() != QProcess::NotRunning) {
            m_windows.postMessage(m_peerWindow, {kQuit, 0, 0});
            if (!m_peer.waitForFinished(5000)) {
                m_peer.kill();
                m_peer.waitForFinished();
            }
        }
    }

    QTemporaryDir m_dir;
    LocalWindowRegistry m_windows{m_dir.path()};
    QProcess m_peer;
    QByteArray m_peerLine;
    std::unique_ptr<WindowEndpoint> m_test;
    WindowHandle m_peerWindow = 0;
    QList<WindowMessage> m_received;
};

TEST_F(WindowPeerTest, RegisteredMessagesHaveTheSameNumbersInBothProcesses) {
    QStringList ours;
    // Registered in the opposite order, still the same numbers.
    for (qsizetype i = kSyncNames.size() - 1; i >= 0; --i) {
        ours.prepend(QString::number(m_windows.registerWindowMessage(kSyncNames[i])));
    }
    EXPECT_EQ(QString::fromLatin1(m_peerLine),
              QStringLiteral("ready ") + ours.join(QLatin1Char(' ')));
    EXPECT_EQ(QSet<QString>(ours.begin(), ours.end()).size(), 5);
}

TEST_F(WindowPeerTest, SendsReturnTheResultAndPostsArrive) {
    EXPECT_EQ(m_windows.sendMessage(m_peerWindow, {kAdd, 40, 2}), 42);
    ASSERT_TRUE(m_windows.postMessage(m_peerWindow, {kCallBack, 7, 9}));
    QTRY_COMPARE(m_received.size(), 1);
    EXPECT_EQ(m_received[0], (WindowMessage{kReport, 7, 9}));
}

TEST_F(WindowPeerTest, AHeldProgramAnswersOnlyOnceTheHoldIsGone) {
    {
        const WindowMessageHold hold;
        // The peer now sends to us and waits for our answer.
        ASSERT_TRUE(m_windows.postMessage(m_peerWindow, {kCallBack, 3, 4}));
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < 700) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        }
        EXPECT_TRUE(m_received.isEmpty()) << "handled while held";
    }
    QTRY_COMPARE(m_received.size(), 1);
    EXPECT_EQ(m_received[0], (WindowMessage{kReport, 3, 4}));
    EXPECT_EQ(m_windows.sendMessage(m_peerWindow, {kAdd, 1, 2}), 3) << "the peer went on";
}

TEST_F(WindowPeerTest, MutualSendsDoNotDeadlock) {
    // The peer sends back to us while we wait: our wait answers it.
    EXPECT_EQ(m_windows.sendMessage(m_peerWindow, {kAskBack, 0, 0}, 60000), 42);
    ASSERT_EQ(m_received.size(), 1);
    EXPECT_EQ(m_received[0].id, kQuestion);
}

TEST_F(WindowPeerTest, SendToAWindowWhoseProgramDiesFailsFast) {
    QElapsedTimer timer;
    timer.start();
    EXPECT_FALSE(m_windows.sendMessage(m_peerWindow, {kDie, 0, 0}));
    EXPECT_LT(timer.elapsed(), 30000);  // failed, not hung
    ASSERT_TRUE(m_peer.waitForFinished(10000));
    timer.restart();
    EXPECT_FALSE(m_windows.sendMessage(m_peerWindow, {kAdd, 1, 1}));
    EXPECT_FALSE(m_windows.postMessage(m_peerWindow, {kAdd, 1, 1}));
    EXPECT_EQ(m_windows.findWindow(QStringLiteral("PEER")), 0u);
    EXPECT_LT(timer.elapsed(), 30000);
}

TEST_F(WindowPeerTest, KilledProgramsWindowIsGoneForEveryone) {
    m_peer.kill();
    ASSERT_TRUE(m_peer.waitForFinished(10000));
    EXPECT_FALSE(m_windows.isWindow(m_peerWindow));
    EXPECT_FALSE(m_windows.sendMessage(m_peerWindow, {kAdd, 1, 1}, -1));
    EXPECT_EQ(m_windows.findWindow(QStringLiteral("PEER")), 0u);
}

}  // namespace
}  // namespace kontavo
