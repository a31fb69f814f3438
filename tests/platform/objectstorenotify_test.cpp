#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTest>

#include "platform/objectstorewriter.h"
#include "platform/sqlitedb.h"
#include "platform/sqliteobjectstore.h"
#include "support/tempdevice.h"

namespace kontavo {
namespace {

constexpr PropTag kFirst = 0x3A06001F;
const QString kContacts = QStringLiteral("Contacts Database");

using Events = QList<DbNotification>;

DbNotification event(DbNotifyType type, Oid parent, Oid oid) {
    return {type, parent, oid};
}

class ObjectStoreNotifyTest : public ::testing::Test {
protected:
    ObjectStoreNotifyTest() : m_store(file()) {}

    QString file() const { return SqliteObjectStore::fileInRoot(m_device.root()); }
    std::unique_ptr<ObjectDatabase> openListening(ObjectStore& store, const QString& name,
                                                  Events& events) {
        DbOpenOptions options;
        options.createIfMissing = true;
        options.notify = [&events](const DbNotification& e) { events.append(e); };
        return store.open(name, options);
    }
    std::unique_ptr<ObjectDatabase> open(const QString& name) {
        DbOpenOptions options;
        options.createIfMissing = true;
        return m_store.open(name, options);
    }
    static Oid add(ObjectDatabase& db) { return db.write(0, {PropValue::string(kFirst, "x")}); }

    test::TempDevice m_device;
    SqliteObjectStore m_store;
};

TEST_F(ObjectStoreNotifyTest, AnotherHandleHearsCreatedChangedDeletedOnTheEventLoop) {
    Events heard;
    auto listener = openListening(m_store, kContacts, heard);
    auto writer = open(kContacts);
    const Oid oid = add(*writer);
    ASSERT_TRUE(writer->write(oid, {PropValue::deletion(kFirst)}));
    ASSERT_TRUE(writer->deleteRecord(oid));
    EXPECT_TRUE(heard.isEmpty());  // never from inside the writing call
    const Oid db = writer->oid();
    const Events expected{event(DbNotifyType::Created, db, oid),
                          event(DbNotifyType::Changed, db, oid),
                          event(DbNotifyType::RecordDeleted, db, oid)};
    EXPECT_TRUE(QTest::qWaitFor([&] { return heard.size() >= 3; }, 5000));
    EXPECT_EQ(heard, expected);
}

TEST_F(ObjectStoreNotifyTest, OnlyTheHandlesOfTheChangedDatabaseHearIt) {
    Events contactsHeard;
    Events categoriesHeard;
    auto contacts = openListening(m_store, kContacts, contactsHeard);
    auto categories = openListening(m_store, "\\Categories Database", categoriesHeard);
    const Oid category = add(*categories);
    const Oid contact = add(*contacts);  // the writing handle hears itself too
    EXPECT_TRUE(QTest::qWaitFor([&] { return !contactsHeard.isEmpty(); }, 5000));
    QTest::qWait(50);
    EXPECT_EQ(contactsHeard, Events{event(DbNotifyType::Created, contacts->oid(), contact)});
    EXPECT_EQ(categoriesHeard, Events{event(DbNotifyType::Created, categories->oid(), category)});
}

TEST_F(ObjectStoreNotifyTest, ChangesThroughAnotherConnectionAreHeard) {
    Events heard;
    auto listener = openListening(m_store, kContacts, heard);
    SqliteObjectStore other(file());
    auto writer = other.open(kContacts, {});
    const Oid oid = add(*writer);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !heard.isEmpty(); }, 5000));
    EXPECT_EQ(heard, Events{event(DbNotifyType::Created, writer->oid(), oid)});
}

TEST_F(ObjectStoreNotifyTest, AHandleHearsOnlyChangesAfterItOpened) {
    auto writer = open(kContacts);
    add(*writer);
    Events heard;
    auto listener = openListening(m_store, kContacts, heard);
    const Oid later = add(*writer);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !heard.isEmpty(); }, 5000));
    QTest::qWait(50);
    EXPECT_EQ(heard, Events{event(DbNotifyType::Created, writer->oid(), later)});
}

TEST_F(ObjectStoreNotifyTest, BatchIsHeardAfterItsCommitAndARolledBackOneNever) {
    Events heard;
    auto listener = openListening(m_store, kContacts, heard);
    auto writer = open(kContacts);
    m_store.runBatch([&] {
        add(*writer);
        QCoreApplication::processEvents();
        QTest::qWait(2 * 200);
        return false;
    });
    QTest::qWait(3 * 200);
    EXPECT_TRUE(heard.isEmpty());
    Oid a = 0;
    Oid b = 0;
    ASSERT_TRUE(m_store.runBatch([&] {
        a = add(*writer);
        b = add(*writer);
        QTest::qWait(2 * 200);
        return heard.isEmpty();
    }));
    EXPECT_TRUE(QTest::qWaitFor([&] { return heard.size() >= 2; }, 5000));
    EXPECT_EQ(heard, (Events{event(DbNotifyType::Created, writer->oid(), a),
                             event(DbNotifyType::Created, writer->oid(), b)}));
}

TEST_F(ObjectStoreNotifyTest, AHandleMayBeClosedInsideItsOwnCallback) {
    Events heard;
    std::unique_ptr<ObjectDatabase> first;
    DbOpenOptions options;
    options.createIfMissing = true;
    options.notify = [&](const DbNotification& e) {
        heard.append(e);
        first.reset();
    };
    first = m_store.open(kContacts, options);
    Events secondHeard;
    auto second = openListening(m_store, kContacts, secondHeard);
    add(*second);
    add(*second);
    EXPECT_TRUE(QTest::qWaitFor([&] { return secondHeard.size() >= 2; }, 5000));
    EXPECT_EQ(heard.size(), 1);
    EXPECT_EQ(first, nullptr);
}

TEST_F(ObjectStoreNotifyTest, AListenerBehindTheTrimmedLogIsToldItLostChanges) {
    Events heard;
    auto listener = openListening(m_store, kContacts, heard);
    SqliteObjectStore other(file());
    auto writer = other.open(kContacts, {});
    Oid last = 0;
    // Enough changes for the log to be trimmed past everything the listener
    // has seen; it reads none of them until the batch is committed.
    const int64_t count = ObjectStoreWriter::kLogKeep + ObjectStoreWriter::kTrimEvery;
    ASSERT_TRUE(other.runBatch([&] {
        for (int64_t i = 0; i < count; ++i) {
            last = add(*writer);
        }
        return last != 0;
    }));
    SqliteDb raw;
    ASSERT_TRUE(raw.open(file()));
    SqliteStatement logSize(raw, "SELECT COUNT(*) FROM changes");
    ASSERT_TRUE(logSize.step());
    EXPECT_LE(logSize.columnInt(0), ObjectStoreWriter::kLogKeep + ObjectStoreWriter::kTrimEvery);
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return !heard.isEmpty() && heard.last().oid == last; }, 10000));
    ASSERT_FALSE(heard.isEmpty());
    EXPECT_EQ(heard.first(), event(DbNotifyType::ChangesLost, writer->oid(), 0));
    EXPECT_EQ(heard.size(), 1 + ObjectStoreWriter::kLogKeep);
}

}  // namespace
}  // namespace kontavo
