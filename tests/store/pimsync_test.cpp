// The coordination block between the programs sharing an index: its bytes,
// who becomes master, and which messages go where, with the programs played
// by PimSync objects of this process over one real block and mutex, and the
// windows between them by a registry that records every send.
#include "store/sync/pimsync.h"

#include <gtest/gtest.h>

#include <QHash>
#include <QSet>
#include <array>
#include <memory>

#include "platform/namedmutex.h"
#include "support/tempdevice.h"

namespace kontavo {
namespace {

using Message = PimSync::Message;

// One message as sent: to whom, which, and whether the block's mutex was
// free at that moment.
struct Sent {
    WindowHandle to = 0;
    QString name;
    uint32_t wParam = 0;
    uint32_t lParam = 0;
    bool mutexFree = true;
};

QString nameOf(Message message) {
    return QLatin1String(PimSync::kMessageNames[size_t(message)]);
}

// What a participant was asked to do.
class RecordingParticipant final : public IndexParticipant {
public:
    void takeOverIndex() override { calls.append(QStringLiteral("takeOver")); }
    void leaveMasterMode() override { calls.append(QStringLiteral("leave")); }
    void stopIndex() override { calls.append(QStringLiteral("stop")); }
    void reloadIndex() override { calls.append(QStringLiteral("reload")); }
    bool takePreferredItem(Oid oid, uint32_t tag) override {
        calls.append(QStringLiteral("item %1 %2").arg(oid).arg(tag, 0, 16));
        return true;
    }
    QStringList calls;
};

// The windows of the "programs": a window lives while it is in `alive`;
// a send to a live window is handed to the PimSync and participant that own
// it, as the program's window procedure would.
class FakeWindows final : public WindowRegistry {
public:
    explicit FakeWindows(QString scope) : m_scope(std::move(scope)) {}

    std::unique_ptr<WindowEndpoint> createWindow(const QString&, WindowReceiver) override {
        return nullptr;
    }
    WindowHandle findWindow(const QString&) override { return 0; }
    bool isWindow(WindowHandle window) override { return alive.contains(window); }
    bool postMessage(WindowHandle, const WindowMessage&) override { return false; }
    std::optional<int32_t> sendMessage(WindowHandle window, const WindowMessage& message,
                                       int) override {
        NamedMutex probe(m_scope, QLatin1String(PimSync::kMutexName));
        const bool free = probe.tryLock();
        probe.unlock();
        sent.append({window, m_names.key(message.id), message.wParam, message.lParam, free});
        if (!alive.contains(window)) {
            return std::nullopt;
        }
        if (const auto it = owners.constFind(window); it != owners.cend()) {
            if (const std::optional<Message> known = it->first->messageOf(message.id)) {
                it->first->handleMessage(*known, message.wParam, message.lParam, *it->second);
            }
        }
        return 0;
    }
    uint32_t registerWindowMessage(const QString& name) override {
        if (refuseMessages) {
            return 0;
        }
        if (!m_names.contains(name)) {
            m_names.insert(name, kFirstRegisteredMessage + uint32_t(m_names.size()));
        }
        return m_names.value(name);
    }
    bool setForegroundWindow(WindowHandle) override { return false; }

    // The sends so far as "name>window", clearing them.
    QStringList takeSent() {
        QStringList lines;
        for (const Sent& s : sent) {
            lines.append(QStringLiteral("%1>%2").arg(s.name).arg(s.to));
        }
        sent.clear();
        return lines;
    }

    QSet<WindowHandle> alive;
    QList<Sent> sent;
    QHash<WindowHandle, std::pair<PimSync*, RecordingParticipant*>> owners;
    bool refuseMessages = false;

private:
    QString m_scope;
    QHash<QString, uint32_t> m_names;
};

// A program taking part: its coordination object, its window, and what it
// was asked to do.
struct Program {
    Program(FakeWindows& windows, const QString& scope, WindowHandle handle)
        : sync(windows, scope), window(handle) {
        windows.alive.insert(handle);
        windows.owners.insert(handle, {&sync, &participant});
    }
    PimSync sync;
    RecordingParticipant participant;
    WindowHandle window;
};

class PimSyncTest : public ::testing::Test {
protected:
    PimSyncTest() : m_windows(m_device.root()) {}

    // A program with window `handle`, its block open and its window
    // registered as its start-up does.
    Program& start(WindowHandle handle) {
        m_programs.push_back(std::make_unique<Program>(m_windows, m_device.root(), handle));
        Program& program = *m_programs.back();
        EXPECT_TRUE(program.sync.open());
        program.sync.registerWindow(handle);
        return program;
    }
    static QString line(Message message, WindowHandle to) {
        return QStringLiteral("%1>%2").arg(nameOf(message)).arg(to);
    }

    test::TempDevice m_device;
    FakeWindows m_windows;
    std::vector<std::unique_ptr<Program>> m_programs;
};

TEST(PimSyncBlockTest, BytesFollowTheLayout) {
    PimSyncBlock block;
    block.setParticipants({0x11223344, 0xA0B0C0D0});
    block.flags[4] = 1;
    block.flags[6] = -2;
    std::array<uint8_t, PimSyncBlock::kBytes> bytes{};
    bytes.fill(0xEE);
    block.encode(bytes.data());
    const std::array<uint8_t, 8> windows = {0x44, 0x33, 0x22, 0x11, 0xD0, 0xC0, 0xB0, 0xA0};
    EXPECT_TRUE(std::equal(windows.begin(), windows.end(), bytes.begin()));
    for (int at = 8; at < 40; ++at) {
        EXPECT_EQ(bytes[size_t(at)], 0) << "empty slot byte " << at;
    }
    EXPECT_EQ(bytes[40 + 16], 1);
    EXPECT_EQ(bytes[40 + 19], 0);
    EXPECT_EQ(bytes[40 + 24], 0xFE);
    EXPECT_EQ(bytes[40 + 27], 0xFF);
    EXPECT_EQ(PimSyncBlock::decode(bytes.data()), block);
}

TEST(PimSyncBlockTest, ADamagedListWithGapsYieldsEveryListedWindowInOrder) {
    std::array<uint8_t, PimSyncBlock::kBytes> bytes{};
    bytes[4] = 7;   // slot 1
    bytes[36] = 9;  // slot 9
    const PimSyncBlock block = PimSyncBlock::decode(bytes.data());
    EXPECT_EQ(block.participants(), (QList<WindowHandle>{7, 9}));
    PimSyncBlock tidy;
    tidy.setParticipants(block.participants());
    EXPECT_EQ(tidy.windows[0], 7u);
    EXPECT_EQ(tidy.windows[1], 9u);
    EXPECT_EQ(tidy.windows[2], 0u);
}

TEST_F(PimSyncTest, TheFirstToRegisterIsMasterAndLaterOnesFollowInOrder) {
    Program& a = start(2);
    Program& b = start(4);
    EXPECT_TRUE(a.sync.isMaster());
    EXPECT_TRUE(b.sync.isRegistered());
    EXPECT_FALSE(b.sync.isMaster());
    EXPECT_EQ(b.sync.participants(), (QList<WindowHandle>{2, 4}));
    EXPECT_TRUE(m_windows.takeSent().isEmpty());
}

TEST_F(PimSyncTest, AnEleventhParticipantStaysOutside) {
    for (WindowHandle handle = 2; handle <= 20; handle += 2) {
        ASSERT_TRUE(start(handle).sync.isRegistered());
    }
    Program& eleventh = start(22);
    EXPECT_FALSE(eleventh.sync.isRegistered());
    EXPECT_FALSE(eleventh.sync.isMaster()) << "the block is open: not its own master";
    EXPECT_FALSE(eleventh.sync.forwardPreferredItem(5, 0x3A1C001F));
    eleventh.sync.becomeMaster();
    EXPECT_FALSE(eleventh.sync.isMaster());
    EXPECT_EQ(eleventh.sync.participants().size(), 10);
    EXPECT_FALSE(eleventh.sync.participants().contains(22));
    EXPECT_TRUE(m_windows.takeSent().isEmpty());
}

TEST_F(PimSyncTest, BecomingMasterFromSlotZeroSendsNothing) {
    Program& a = start(2);
    start(4);
    a.sync.becomeMaster();
    EXPECT_TRUE(a.sync.isMaster());
    EXPECT_TRUE(m_windows.takeSent().isEmpty());
}

TEST_F(PimSyncTest, BecomingMasterTakesSlotZeroAndTellsEveryoneOutsideTheMutex) {
    Program& a = start(2);
    Program& b = start(4);
    Program& c = start(6);
    c.sync.becomeMaster();
    EXPECT_TRUE(c.sync.isMaster());
    EXPECT_FALSE(a.sync.isMaster());
    EXPECT_EQ(c.sync.participants(), (QList<WindowHandle>{6, 4, 2}));
    for (const Sent& sent : m_windows.sent) {
        EXPECT_TRUE(sent.mutexFree) << sent.name.toStdString() << " sent under the mutex";
    }
    EXPECT_EQ(m_windows.takeSent(),
              (QStringList{line(Message::ChangeToSlave, 2), line(Message::SlaveStop, 4),
                           line(Message::SlaveStop, 2), line(Message::ChangeToMaster, 6),
                           line(Message::SlaveReload, 4), line(Message::SlaveReload, 2)}));
    EXPECT_EQ(a.participant.calls, (QStringList{"leave", "stop", "reload"}));
    EXPECT_EQ(b.participant.calls, (QStringList{"stop", "reload"}));
    EXPECT_EQ(c.participant.calls, QStringList{"takeOver"});
}

TEST_F(PimSyncTest, ADeadMasterIsReplacedByTheNextRegistration) {
    start(2);
    Program& b = start(4);
    Program& c = start(6);
    m_windows.alive.remove(2);  // killed without unregistering
    Program& d = start(8);
    EXPECT_EQ(d.sync.participants(), (QList<WindowHandle>{4, 6, 8}));
    EXPECT_TRUE(b.sync.isMaster());
    EXPECT_FALSE(d.sync.isMaster());
    EXPECT_EQ(b.participant.calls, (QStringList{"takeOver"}));
    EXPECT_TRUE(c.participant.calls.isEmpty());
    EXPECT_TRUE(m_windows.takeSent().contains(line(Message::ChangeToMaster, 4)));
}

TEST_F(PimSyncTest, ADeadSlaveIsDroppedWithoutChangingTheMaster) {
    Program& a = start(2);
    start(4);
    start(6);
    m_windows.alive.remove(4);
    a.sync.compact();
    EXPECT_EQ(a.sync.participants(), (QList<WindowHandle>{2, 6}));
    EXPECT_TRUE(m_windows.takeSent().isEmpty());
}

TEST_F(PimSyncTest, AMasterLeavingHandsOverToTheNextInLine) {
    Program& a = start(2);
    Program& b = start(4);
    Program& c = start(6);
    a.sync.unregisterWindow();
    EXPECT_FALSE(a.sync.isRegistered());
    EXPECT_TRUE(b.sync.isMaster());
    EXPECT_EQ(b.sync.participants(), (QList<WindowHandle>{4, 6}));
    EXPECT_EQ(m_windows.takeSent(),
              (QStringList{line(Message::SlaveStop, 6), line(Message::ChangeToMaster, 4),
                           line(Message::SlaveReload, 6)}));
    EXPECT_EQ(c.participant.calls, (QStringList{"stop", "reload"}));

    c.sync.unregisterWindow();  // a slave leaving tells nobody
    EXPECT_TRUE(m_windows.takeSent().isEmpty());
    EXPECT_EQ(b.sync.participants(), QList<WindowHandle>{4});
}

TEST_F(PimSyncTest, OnlyASlaveForwardsPreferredItemsAndOnlyToTheMaster) {
    Program& a = start(2);
    Program& b = start(4);
    EXPECT_FALSE(a.sync.forwardPreferredItem(77, 0x3A08001F));
    EXPECT_TRUE(b.sync.forwardPreferredItem(77, 0x3A08001F));
    ASSERT_EQ(m_windows.sent.size(), 1);
    EXPECT_EQ(m_windows.sent[0].to, 2u);
    EXPECT_EQ(m_windows.sent[0].wParam, 77u);
    EXPECT_EQ(m_windows.sent[0].lParam, 0x3A08001Fu);
    EXPECT_EQ(a.participant.calls, QStringList{"item 77 3a08001f"});
}

TEST_F(PimSyncTest, OnlyTheMasterBroadcasts) {
    Program& a = start(2);
    Program& b = start(4);
    b.sync.broadcastStop();
    EXPECT_TRUE(m_windows.takeSent().isEmpty());
    a.sync.broadcastStop();
    a.sync.broadcastReload();
    EXPECT_EQ(m_windows.takeSent(),
              (QStringList{line(Message::SlaveStop, 4), line(Message::SlaveReload, 4)}));
}

TEST_F(PimSyncTest, ChangeFlagsAreSharedAndOnlySevenExist) {
    Program& a = start(2);
    Program& b = start(4);
    a.sync.setFlag(4, 1);
    a.sync.setFlag(7, 1);
    a.sync.setFlag(-1, 1);
    EXPECT_EQ(b.sync.flag(4), 1);
    EXPECT_EQ(b.sync.flag(5), 0);
    EXPECT_EQ(b.sync.flag(7), 0);
    EXPECT_EQ(b.sync.participants(), (QList<WindowHandle>{2, 4})) << "flags leave the list be";
}

TEST_F(PimSyncTest, AProgramThatCannotOpenTheBlockIsItsOwnMaster) {
    m_windows.refuseMessages = true;
    PimSync sync(m_windows, m_device.root());
    EXPECT_FALSE(sync.open());
    EXPECT_FALSE(sync.registerWindow(2));
    EXPECT_TRUE(sync.isMaster());
    EXPECT_FALSE(sync.forwardPreferredItem(1, 2));
    sync.broadcastStop();
    EXPECT_TRUE(m_windows.takeSent().isEmpty());
}

}  // namespace
}  // namespace kontavo
