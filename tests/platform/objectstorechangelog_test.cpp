#include <gtest/gtest.h>

#include "platform/objectstorewriter.h"
#include "platform/sqlitedb.h"
#include "platform/sqliteobjectstore.h"
#include "support/tempdevice.h"

namespace kontavo {
namespace {

constexpr PropTag kFirst = 0x3A06001F;
const QString kContacts = QStringLiteral("Contacts Database");
const QString kOther = QStringLiteral("Other Database");

using Changes = QList<DbNotification>;

class ObjectStoreChangeLogTest : public ::testing::Test {
protected:
    ObjectStoreChangeLogTest() : m_store(file()) {}

    QString file() const { return SqliteObjectStore::fileInRoot(m_device.root()); }
    std::unique_ptr<ObjectDatabase> open(ObjectStore& store, const QString& name) {
        DbOpenOptions options;
        options.createIfMissing = true;
        return store.open(name, options);
    }
    static Oid add(ObjectDatabase& db, const QString& text = QStringLiteral("x")) {
        return db.write(0, {PropValue::string(kFirst, text)});
    }
    static uint64_t timeOf(ObjectDatabase& db) { return db.info().value_or(DbInfo()).lastModified; }
    static DbNotification change(DbNotifyType type, const ObjectDatabase& db, Oid oid) {
        return {type, db.oid(), oid};
    }

    test::TempDevice m_device;
    SqliteObjectStore m_store;
};

TEST_F(ObjectStoreChangeLogTest, EachTimeOfTheDatabaseGivesExactlyTheChangesMadeAfterIt) {
    auto contacts = open(m_store, kContacts);
    auto other = open(m_store, kOther);
    const uint64_t start = timeOf(*contacts);
    const Oid a = add(*contacts);
    const uint64_t afterCreate = timeOf(*contacts);
    add(*other);  // another database's change in between
    ASSERT_TRUE(contacts->write(a, {PropValue::string(kFirst, "y")}));
    const uint64_t afterChange = timeOf(*contacts);
    const Oid b = add(*contacts);
    ASSERT_TRUE(contacts->deleteRecord(a));
    const uint64_t now = timeOf(*contacts);

    using T = DbNotifyType;
    const Changes all{change(T::Created, *contacts, a), change(T::Changed, *contacts, a),
                      change(T::Created, *contacts, b), change(T::RecordDeleted, *contacts, a)};
    EXPECT_EQ(contacts->changesSince(afterCreate), all.mid(1));
    EXPECT_EQ(contacts->changesSince(afterChange), all.mid(2));
    EXPECT_EQ(contacts->changesSince(now), Changes());
    // The database's own creation is no logged change: only its current
    // time says that nothing happened since.
    EXPECT_EQ(contacts->changesSince(start), std::nullopt);
    EXPECT_EQ(contacts->lastError(), DbError::SeekFailed);
    // A time the database has not had is no place in the log.
    EXPECT_EQ(contacts->changesSince(now + 1), std::nullopt);
    EXPECT_EQ(other->changesSince(timeOf(*other)), Changes());
}

TEST_F(ObjectStoreChangeLogTest, ChangesOfABatchAndOfAnotherProcessEachHaveTheirOwnTime) {
    auto contacts = open(m_store, kContacts);
    add(*contacts);
    const uint64_t before = timeOf(*contacts);
    QList<uint64_t> times;
    QList<Oid> made;
    ASSERT_TRUE(m_store.runBatch([&] {
        for (int i = 0; i < 5; ++i) {
            made.append(add(*contacts));
            times.append(timeOf(*contacts));
        }
        return true;
    }));
    SqliteObjectStore otherProcess(file());
    auto theirs = open(otherProcess, kContacts);
    ASSERT_TRUE(theirs->deleteRecord(made[2]));
    const Changes seen = contacts->changesSince(before).value_or(Changes());
    ASSERT_EQ(seen.size(), 6);
    EXPECT_EQ(seen.last(), change(DbNotifyType::RecordDeleted, *contacts, made[2]));
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(seen[i], change(DbNotifyType::Created, *contacts, made[i]));
        // Every change inside the batch can be started from.
        EXPECT_EQ(contacts->changesSince(times[i]).value_or(Changes()).size(), 5 - i);
    }
    EXPECT_EQ(theirs->changesSince(times[4]), seen.mid(5));
}

TEST_F(ObjectStoreChangeLogTest, ATimeWhoseChangeWasTrimmedFromTheLogIsNoLongerCovered) {
    auto contacts = open(m_store, kContacts);
    const Oid first = add(*contacts);
    const uint64_t old = timeOf(*contacts);
    const int64_t count = ObjectStoreWriter::kLogKeep + ObjectStoreWriter::kTrimEvery;
    uint64_t recent = 0;
    Oid last = 0;
    ASSERT_TRUE(m_store.runBatch([&] {
        for (int64_t i = 0; i < count; ++i) {
            last = contacts->write(first, {PropValue::string(kFirst, QString::number(i))});
            if (i == count - 3) {
                recent = timeOf(*contacts);
            }
        }
        return last != 0;
    }));
    EXPECT_EQ(contacts->changesSince(old), std::nullopt);
    EXPECT_EQ(contacts->lastError(), DbError::SeekFailed);
    const Changes tail(2, change(DbNotifyType::Changed, *contacts, first));
    EXPECT_EQ(contacts->changesSince(recent), tail);
}

TEST_F(ObjectStoreChangeLogTest, ALogWrittenWithoutTimesGetsThemForLaterChangesOnly) {
    Oid first = 0;
    {
        auto contacts = open(m_store, kContacts);
        first = add(*contacts);
    }
    uint64_t oldTime = 0;
    {
        // The store as an earlier version left it: no time in the log.
        SqliteDb raw;
        ASSERT_TRUE(raw.open(file()));
        ASSERT_TRUE(
            raw.exec("DROP INDEX changes_by_time; ALTER TABLE changes DROP COLUMN modified;"
                     "INSERT INTO changes(kind, db, oid) SELECT 1030, oid, 0 FROM databases;"
                     "UPDATE databases SET modified=modified+10;"));
        SqliteStatement time(raw, "SELECT modified FROM databases");
        ASSERT_TRUE(time.step());
        oldTime = uint64_t(time.columnInt(0));
    }
    SqliteObjectStore upgraded(file());
    ASSERT_TRUE(upgraded.isOpen());
    auto contacts = open(upgraded, kContacts);
    EXPECT_EQ(contacts->changesSince(oldTime), Changes());
    ASSERT_TRUE(contacts->write(first, {PropValue::string(kFirst, "z")}));
    EXPECT_EQ(contacts->changesSince(oldTime), std::nullopt);
    const uint64_t afterUpgrade = timeOf(*contacts);
    const Oid second = add(*contacts);
    EXPECT_EQ(contacts->changesSince(afterUpgrade),
              Changes{change(DbNotifyType::Created, *contacts, second)});
}

}  // namespace
}  // namespace kontavo
