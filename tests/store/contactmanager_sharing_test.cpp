// The contact manager sharing its index with other programs: as master it
// alone changes the index and brackets a rebuild with stop and reload; as
// slave it writes the database only, reads the index, and forwards preferred
// items; requests that come while the index is being worked on wait for it.
#include <gtest/gtest.h>

#include "contactmanagertestsupport.h"
#include "fakecontactindex.h"
#include "manualtimer.h"
#include "platform/sqliteobjectstore.h"
#include "store/contacts/contactmanager.h"
#include "store/contacts/contactprops.h"
#include "store/record/contactfields.h"
#include "support/tempdevice.h"

namespace kontavo {
namespace {

using F = ContactField;

// The other programs as the manager sees them; what it tells them goes to
// the index's call list, so that both can be read in one order.
class FakeSharing final : public IndexSharing {
public:
    explicit FakeSharing(QStringList& journal) : m_journal(journal) {}
    bool isMaster() const override { return master; }
    void broadcastStop() override { m_journal.append(QStringLiteral("broadcastStop")); }
    void broadcastReload() override { m_journal.append(QStringLiteral("broadcastReload")); }
    bool forwardPreferredItem(Oid oid, uint32_t tag) override {
        m_journal.append(QStringLiteral("forward %1 %2").arg(oid).arg(tag, 0, 16));
        return masterListening;
    }
    bool master = true;
    bool masterListening = true;

private:
    QStringList& m_journal;
};

class ContactManagerSharingTest : public ::testing::Test {
protected:
    ContactManagerSharingTest()
        : m_store(SqliteObjectStore::fileInRoot(m_device.root())),
          m_locale(QLocale(QLocale::English, QLocale::UnitedStates)) {
        auto index = std::make_unique<test::FakeContactIndex>();
        m_index = index.get();
        m_sharing = std::make_unique<FakeSharing>(m_index->calls);
        m_manager = std::make_unique<ContactManager>(m_store, std::move(index), m_device.fs(),
                                                     m_locale, m_clock.factory());
        m_manager->setSharing(m_sharing.get());
    }

    bool init() { return m_manager->init(&m_observer, nullptr, nullptr); }
    void notify(DbNotifyType type, Oid oid, uint64_t time = 0) {
        DbNotification notification{type, m_manager->databaseOid(), oid};
        notification.databaseTime = time;
        m_manager->handleNotification(notification);
    }
    ContactRecord person(const QString& last) {
        ContactRecord record;
        record.setField(F::LastName, last);
        return record;
    }
    std::optional<DbRecord> stored(Oid oid) {
        auto db = m_store.open(QStringLiteral("Contacts Database"), {});
        return db && db->seekOid(oid) ? db->readAll() : std::nullopt;
    }
    std::optional<uint32_t> preferredItem(Oid oid) {
        const std::optional<DbRecord> record = stored(oid);
        for (const PropValue& value : record ? record->props : PropList()) {
            if (value.tag() == kTagPreferredItem) {
                return uint32_t(value.toInt());
            }
        }
        return std::nullopt;
    }

    test::TempDevice m_device;
    SqliteObjectStore m_store;
    Locale m_locale;
    test::ManualClock m_clock;
    test::RecordingObserver m_observer;
    test::FakeContactIndex* m_index = nullptr;
    std::unique_ptr<FakeSharing> m_sharing;
    std::unique_ptr<ContactManager> m_manager;
};

TEST_F(ContactManagerSharingTest, ASlaveWritesTheDatabaseAndNeverChangesTheIndex) {
    m_sharing->master = false;
    ASSERT_TRUE(init());
    EXPECT_EQ(m_index->calls, QStringList{"attach"}) << "no rebuild, no synchronisation";
    ContactRecord record = person("Slavin");
    ASSERT_TRUE(m_manager->addContact(record));
    ASSERT_NE(record.oid, 0u);
    record.setField(F::Company, "Elsewhere Ltd");
    ASSERT_TRUE(m_manager->updateContact(record));
    notify(DbNotifyType::Created, record.oid);
    m_clock.advance(ChangeQueue::kDebounceMs);
    EXPECT_EQ(m_observer.count(QStringLiteral("created %1").arg(record.oid)), 1);
    ASSERT_TRUE(m_manager->deleteContact(record.oid));
    EXPECT_FALSE(stored(record.oid).has_value());
    EXPECT_FALSE(m_manager->reindex());
    EXPECT_FALSE(m_manager->rebuildWords());
    m_clock.advance(10 * ContactManager::kFlushDelayMs);
    m_manager->shutdown();
    for (const char* change :
         {"insert", "update", "remove", "rebuild", "rebuildWords", "startFlush", "recordTime"}) {
        EXPECT_EQ(m_index->count(QLatin1String(change)), 0) << change;
    }
}

TEST_F(ContactManagerSharingTest, ASlaveHandsPreferredItemsToTheMaster) {
    m_sharing->master = false;
    ASSERT_TRUE(init());
    ContactRecord record = person("Pref");
    ASSERT_TRUE(m_manager->addContact(record));
    const uint32_t tag = fieldInfo(F::MobilePhone).tag();
    ASSERT_TRUE(m_manager->setPreferredItem(record.oid, tag));
    EXPECT_TRUE(
        m_index->calls.contains(QStringLiteral("forward %1 %2").arg(record.oid).arg(tag, 0, 16)));
    EXPECT_EQ(preferredItem(record.oid), std::nullopt) << "the master writes it, not the slave";
    // With no master to take it, the slave writes it itself.
    m_sharing->masterListening = false;
    ASSERT_TRUE(m_manager->setPreferredItem(record.oid, tag));
    EXPECT_EQ(preferredItem(record.oid), tag);

    // The master's side: a forwarded item is written and the list told.
    m_observer.calls.clear();
    ASSERT_TRUE(m_manager->takePreferredItem(record.oid, 0));
    EXPECT_EQ(m_observer.calls, QStringList{QStringLiteral("changed %1").arg(record.oid)});
}

TEST_F(ContactManagerSharingTest, TheMasterBracketsEveryRebuildWithStopAndReload) {
    ASSERT_TRUE(init());
    EXPECT_EQ(m_index->calls, (QStringList{"open", "broadcastStop", "rebuild", "broadcastReload"}));
    m_index->calls.clear();
    ASSERT_TRUE(m_manager->reindex());
    EXPECT_EQ(m_index->calls,
              (QStringList{"stopFlush", "broadcastStop", "rebuild", "broadcastReload"}));
    m_index->calls.clear();
    m_manager->handleNotification({DbNotifyType::ChangesLost, m_manager->databaseOid(), 0});
    m_clock.advance(ChangeQueue::kDebounceMs);
    EXPECT_EQ(m_index->calls,
              (QStringList{"stopFlush", "broadcastStop", "rebuild", "broadcastReload"}));
}

TEST_F(ContactManagerSharingTest, AMasterDemotedWhileTellingTheOthersLeavesTheRebuild) {
    m_index->openResult = ContactIndex::OpenResult::Current;
    ASSERT_TRUE(init());
    m_index->calls.clear();
    // Another program took over while the others were being told to stop.
    struct Demoting final : public IndexSharing {
        FakeSharing& inner;
        explicit Demoting(FakeSharing& sharing) : inner(sharing) {}
        bool isMaster() const override { return inner.master; }
        void broadcastStop() override {
            inner.broadcastStop();
            inner.master = false;
        }
        void broadcastReload() override { inner.broadcastReload(); }
        bool forwardPreferredItem(Oid oid, uint32_t tag) override {
            return inner.forwardPreferredItem(oid, tag);
        }
    } demoting(*m_sharing);
    m_manager->setSharing(&demoting);
    EXPECT_FALSE(m_manager->reindex());
    EXPECT_EQ(m_index->count("rebuild"), 0);
    m_manager->setSharing(m_sharing.get());
}

TEST_F(ContactManagerSharingTest, StopClosesTheIndexAndReloadAttachesItAgain) {
    m_sharing->master = false;
    ASSERT_TRUE(init());
    m_index->calls.clear();
    m_observer.calls.clear();
    m_manager->stopIndex();
    EXPECT_EQ(m_index->calls, QStringList{"close"});
    EXPECT_EQ(m_observer.calls, QStringList{"idle 0"});
    m_manager->reloadIndex();
    EXPECT_EQ(m_index->calls, (QStringList{"close", "close", "attach"}));
    EXPECT_EQ(m_observer.calls, (QStringList{"idle 0", "idle 1", "reloaded"}));
}

TEST_F(ContactManagerSharingTest, TakingOverOpensTheIndexForChangesAndWritesItBackSoon) {
    m_sharing->master = false;
    ASSERT_TRUE(init());
    m_index->openResult = ContactIndex::OpenResult::Stale;
    m_index->calls.clear();
    m_sharing->master = true;
    m_manager->takeOverIndex();
    EXPECT_EQ(m_index->calls, (QStringList{"close", "open", "synchronize"}));
    EXPECT_TRUE(m_manager->isFlushPending());
    EXPECT_EQ(m_observer.calls.mid(m_observer.calls.size() - 2),
              (QStringList{"idle 1", "reloaded"}));

    ContactRecord record = person("Newly");
    ASSERT_TRUE(m_manager->addContact(record));
    EXPECT_EQ(m_index->count("insert"), 1);

    // Handing over again: closed (the real index writes back on close) and
    // only read from then on.
    m_index->calls.clear();
    m_sharing->master = false;
    m_manager->leaveMasterMode();
    EXPECT_EQ(m_index->calls, (QStringList{"close", "attach"}));
    EXPECT_FALSE(m_manager->isFlushPending());
}

// What a slave heard before it took over is in the index it takes over:
// those notifications are not worked through again (15 of them would rebuild
// the index a second time).
TEST_F(ContactManagerSharingTest, TakingOverDropsTheNotificationsTheIndexCovers) {
    m_sharing->master = false;
    ASSERT_TRUE(init());
    const uint64_t before =
        m_store.open(QStringLiteral("Contacts Database"), {})->info()->lastModified;
    for (Oid oid = 1; oid <= 20; ++oid) {
        notify(DbNotifyType::Created, 100 + oid, oid == 20 ? before : 0);
    }
    notify(DbNotifyType::Changed, 500, before + 1000000);  // after the index was read
    m_sharing->master = true;
    m_index->openResult = ContactIndex::OpenResult::Current;
    m_manager->takeOverIndex();
    m_index->calls.clear();
    m_clock.advance(ChangeQueue::kDebounceMs);
    EXPECT_EQ(m_index->count("rebuild"), 0);
    EXPECT_EQ(m_index->lastDatabaseTime, before + 1000000) << "the later one was applied";
}

TEST_F(ContactManagerSharingTest, RequestsArrivingDuringARebuildWaitForItsEnd) {
    ASSERT_TRUE(init());
    m_index->calls.clear();
    m_index->duringRebuild = [this] {
        m_index->calls.append("(inside)");
        m_manager->stopIndex();
        m_manager->handleQueue();
    };
    notify(DbNotifyType::Changed, 12345);
    ASSERT_TRUE(m_manager->reindex());
    m_index->duringRebuild = nullptr;
    EXPECT_EQ(m_index->calls, (QStringList{"stopFlush", "broadcastStop", "rebuild", "(inside)",
                                           "broadcastReload", "close"}));
    EXPECT_TRUE(m_manager->isQueuePending()) << "the queue waits for the rebuild too";
}

TEST_F(ContactManagerSharingTest, TheIndexClaimsOnlyTheTimeOfChangesItApplied) {
    m_index->openResult = ContactIndex::OpenResult::Current;
    ASSERT_TRUE(init());
    const uint64_t atOpen = m_manager->appliedTime();
    ASSERT_NE(atOpen, 0u);
    // Its own change is indexed at once, but claims no later time until its
    // notification has been handled.
    ContactRecord record = person("Own");
    ASSERT_TRUE(m_manager->addContact(record));
    EXPECT_EQ(m_index->lastDatabaseTime, atOpen);
    notify(DbNotifyType::Created, record.oid, atOpen + 5);
    m_clock.advance(ChangeQueue::kDebounceMs);
    EXPECT_EQ(m_index->count("update"), 0) << "found indexed as it is";
    EXPECT_EQ(m_index->lastDatabaseTime, atOpen + 5);
    EXPECT_EQ(m_manager->appliedTime(), atOpen + 5);
    // A notification that arrived but was not yet handled is applied at
    // shutdown, with its time.
    auto db = m_store.open(QStringLiteral("Contacts Database"), {});
    const Oid elsewhere = db->write(0, {PropValue::string(fieldInfo(F::LastName).tag(), "Else")});
    notify(DbNotifyType::Created, elsewhere, atOpen + 9);
    m_manager->shutdown();
    EXPECT_EQ(m_index->contacts.count(elsewhere), 1u);
    EXPECT_EQ(m_index->lastDatabaseTime, atOpen + 9);
}

}  // namespace
}  // namespace kontavo
