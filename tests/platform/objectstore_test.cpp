#include <gtest/gtest.h>

#include "platform/platformerrors.h"
#include "platform/sqlitedb.h"
#include "platform/sqliteobjectstore.h"
#include "support/tempdevice.h"

namespace kontavo {
namespace {

constexpr PropTag kFirst = 0x3A06001F;
constexpr PropTag kLast = 0x3A11001F;
constexpr PropTag kMiddle = 0x4024001F;
constexpr PropTag kPreferred = 0x00500003;
constexpr PropTag kPosition = 0x40020002;
constexpr PropTag kBirthday = 0x40010040;
constexpr PropTag kMask = 0x00160041;
constexpr PropTag kNotes = 0x00170041;

class ObjectStoreTest : public ::testing::Test {
protected:
    ObjectStoreTest() : m_store(SqliteObjectStore::fileInRoot(m_device.root())) {}

    std::unique_ptr<ObjectDatabase> open(const QString& name, PropTag sortTag = 0) {
        DbOpenOptions options;
        options.sortTag = sortTag;
        options.createIfMissing = true;
        return m_store.open(name, options);
    }
    static Oid add(ObjectDatabase& db, const QString& first) {
        return db.write(0, {PropValue::string(kFirst, first)});
    }
    static QString firstName(ObjectDatabase& db) {
        const auto record = db.read({kFirst});
        return record ? record->props[0].toString() : QStringLiteral("<no record>");
    }

    test::TempDevice m_device;
    SqliteObjectStore m_store;
};

TEST_F(ObjectStoreTest, OpensDatabasesByNameIgnoringCase) {
    ASSERT_TRUE(m_store.isOpen());
    const auto created = open("Contacts Database");
    ASSERT_NE(created, nullptr);
    EXPECT_NE(created->oid(), 0u);
    const auto again = m_store.open("CONTACTS database", {});
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->oid(), created->oid());
    EXPECT_EQ(again->name(), QStringLiteral("Contacts Database"));

    EXPECT_EQ(m_store.open("\\Categories Database", {}), nullptr);
    EXPECT_EQ(m_store.lastError(), DbError::FileNotFound);
    EXPECT_EQ(open(QString()), nullptr);
    EXPECT_EQ(m_store.lastError(), DbError::InvalidParameter);
}

TEST_F(ObjectStoreTest, OidsAreUniqueAcrossDatabasesAndNeverReused) {
    auto contacts = open("Contacts Database");
    auto categories = open("\\Categories Database");
    QList<Oid> oids{contacts->oid(), categories->oid()};
    for (int i = 0; i < 3; ++i) {
        oids.append(add(*contacts, "c"));
        oids.append(add(*categories, "k"));
    }
    ASSERT_TRUE(contacts->deleteRecord(oids[2]));
    oids.append(add(*contacts, "after delete"));
    QList<Oid> unique = oids;
    std::sort(unique.begin(), unique.end());
    unique.erase(std::unique(unique.begin(), unique.end()), unique.end());
    EXPECT_EQ(unique.size(), oids.size());
    EXPECT_FALSE(oids.contains(0u));
}

TEST_F(ObjectStoreTest, WriteMergesAndDeleteFlagRemovesProperties) {
    auto db = open("Contacts Database");
    const Oid oid =
        db->write(0, {PropValue::string(kFirst, "Anna"), PropValue::string(kMiddle, "Maria"),
                      PropValue::deletion(kLast)});  // nothing to delete yet
    ASSERT_NE(oid, 0u);
    ASSERT_EQ(db->write(oid, {PropValue::deletion(kMiddle), PropValue::string(kLast, "Lee"),
                              PropValue::string(kLast, "Li")}),
              oid);
    // The flag or'ed into the tag deletes as well.
    ASSERT_EQ(db->write(oid, {PropValue::string(kPreferred, "x"),
                              PropValue::int32(kPreferred | kPropDelete, 0)}),
              0u);  // a string under an integer tag is refused whole
    ASSERT_EQ(db->write(oid, {PropValue::int32(kPreferred, 5)}), oid);
    ASSERT_EQ(db->write(oid, {PropValue::int32(kPreferred | kPropDelete, 0)}), oid);
    ASSERT_TRUE(db->seekOid(oid));
    const auto record = db->readAll();
    ASSERT_TRUE(record.has_value());
    EXPECT_EQ(record->oid, oid);
    ASSERT_EQ(record->props.size(), 2);
    EXPECT_EQ(record->props[0], PropValue::string(kFirst, "Anna"));
    EXPECT_EQ(record->props[1], PropValue::string(kLast, "Li"));  // the last value wins
}

TEST_F(ObjectStoreTest, FailedWritesReportWhy) {
    auto contacts = open("Contacts Database");
    auto other = open("Other");
    const Oid foreign = add(*other, "x");
    EXPECT_EQ(contacts->write(0x7FFFFFF0, {PropValue::string(kFirst, "x")}), 0u);
    EXPECT_EQ(contacts->lastError(), DbError::NotFound);
    EXPECT_EQ(contacts->write(foreign, {PropValue::string(kFirst, "x")}), 0u);
    EXPECT_EQ(contacts->lastError(), DbError::NotFound);
    EXPECT_FALSE(contacts->deleteRecord(foreign));
    EXPECT_EQ(contacts->lastError(), DbError::NotFound);
    // A value built for another type than its tag's, and read-only flags.
    EXPECT_EQ(contacts->write(0, {PropValue::string(kPreferred, "x")}), 0u);
    EXPECT_EQ(contacts->lastError(), DbError::InvalidParameter);
    EXPECT_EQ(contacts->write(0, {PropValue::notFound(kFirst)}), 0u);
    EXPECT_EQ(contacts->lastError(), DbError::InvalidParameter);
    EXPECT_EQ(contacts->info()->recordCount, 0u);
    ASSERT_TRUE(other->seekOid(foreign));
    EXPECT_EQ(firstName(*other), QStringLiteral("x"));
}

TEST_F(ObjectStoreTest, ListedReadMarksMissingPropertiesNotFound) {
    auto db = open("Contacts Database");
    const Oid oid =
        db->write(0, {PropValue::string(kLast, "Petrov"), PropValue::int32(kPreferred, 7)});
    ASSERT_TRUE(db->seekOid(oid));
    const auto record = db->read({kPreferred, kFirst, kLast, kPreferred});
    ASSERT_TRUE(record.has_value());
    ASSERT_EQ(record->props.size(), 4);
    EXPECT_EQ(record->props[0].toInt(), 7);
    EXPECT_TRUE(record->props[1].isNotFound());
    EXPECT_EQ(record->props[1].flags(), kPropNotFound);
    EXPECT_EQ(record->props[1].tag(), kFirst);
    EXPECT_EQ(record->props[2].toString(), QStringLiteral("Petrov"));
    EXPECT_EQ(record->props[3].toInt(), 7);
}

TEST_F(ObjectStoreTest, EveryTypeRoundTripsWithEmptyValuesDistinctFromAbsent) {
    auto db = open("Contacts Database");
    const QByteArray notes(70000, '\x7F');
    const PropList written{PropValue::int16(kPosition, -32768),
                           PropValue::int32(kPreferred, INT32_MIN),
                           PropValue::fileTime(kBirthday, ~0ull),
                           PropValue::string(kFirst, QString()),
                           PropValue::string(kLast, QString(300, QChar(0x0416))),
                           PropValue::blob(kMask, QByteArray()),
                           PropValue::blob(kNotes, notes)};
    const Oid oid = db->write(0, written);
    ASSERT_TRUE(db->seekOid(oid));
    const auto all = db->readAll();
    ASSERT_TRUE(all.has_value());
    ASSERT_EQ(all->props.size(), written.size());
    for (const PropValue& value : written) {
        EXPECT_TRUE(all->props.contains(value)) << std::hex << value.tag();
    }
    const auto listed = db->read({kFirst, kMask, kNotes, kMiddle});
    EXPECT_FALSE(listed->props[0].isNotFound());
    EXPECT_TRUE(listed->props[0].toString().isEmpty());
    EXPECT_FALSE(listed->props[1].isNotFound());
    EXPECT_TRUE(listed->props[1].toBlob().isEmpty());
    EXPECT_EQ(listed->props[2].toBlob(), notes);
    EXPECT_TRUE(listed->props[3].isNotFound());
}

TEST_F(ObjectStoreTest, SeeksFollowTheDeviceRules) {
    auto db = open("Contacts Database");
    EXPECT_FALSE(db->seekFirst());
    EXPECT_EQ(db->lastError(), DbError::NoMoreItems);
    EXPECT_FALSE(db->readAll().has_value());
    EXPECT_EQ(db->lastError(), DbError::NoMoreItems);

    const Oid a = add(*db, "a");
    const Oid b = add(*db, "b");
    auto fresh = m_store.open("Contacts Database", {});
    EXPECT_EQ(firstName(*fresh), QStringLiteral("a"));  // a new handle starts at the first
    EXPECT_TRUE(fresh->seekNext());
    EXPECT_EQ(fresh->readAll()->oid, b);
    EXPECT_FALSE(fresh->seekNext());
    EXPECT_EQ(fresh->lastError(), DbError::NoMoreItems);
    EXPECT_TRUE(fresh->atEnd());
    EXPECT_FALSE(fresh->read({kFirst}).has_value());
    EXPECT_EQ(fresh->lastError(), DbError::NoMoreItems);
    EXPECT_FALSE(fresh->seekNext());

    EXPECT_FALSE(fresh->seekOid(a + 1000));
    EXPECT_EQ(fresh->lastError(), DbError::SeekFailed);
    EXPECT_FALSE(fresh->readAll().has_value());
    EXPECT_TRUE(fresh->seekOid(a));
    EXPECT_FALSE(fresh->atEnd());
    EXPECT_EQ(firstName(*fresh), QStringLiteral("a"));
    EXPECT_TRUE(fresh->seekFirst());
    EXPECT_EQ(fresh->readAll()->oid, a);
    EXPECT_FALSE(fresh->seekValue(PropValue::string(kFirst, "a")));  // not a sorted handle
    EXPECT_EQ(fresh->lastError(), DbError::InvalidParameter);
}

TEST_F(ObjectStoreTest, ForwardWalkSeesTheStoresOwnChangesOnTheWay) {
    auto db = open("Contacts Database");
    QList<Oid> oids;
    for (int i = 0; i < 300; ++i) {
        oids.append(add(*db, QString::number(i)));
    }
    QList<Oid> walked;
    bool more = db->seekFirst();
    while (more) {
        const auto record = db->read({kFirst});
        ASSERT_TRUE(record.has_value()) << int(db->lastError());
        walked.append(record->oid);
        if (walked.size() == 10) {
            ASSERT_TRUE(db->deleteRecord(oids[10]));
            ASSERT_TRUE(db->write(oids[11], {PropValue::string(kFirst, "changed")}));
            oids.append(add(*db, "late"));
        }
        if (record->oid == oids[11]) {
            EXPECT_EQ(record->props[0].toString(), QStringLiteral("changed"));
        }
        more = db->seekNext();
    }
    EXPECT_EQ(db->lastError(), DbError::NoMoreItems);
    oids.removeAt(10);
    EXPECT_EQ(walked, oids);
}

TEST_F(ObjectStoreTest, ReadingACurrentRecordDeletedMeanwhileFailsButTheWalkGoesOn) {
    auto db = open("Contacts Database");
    const Oid a = add(*db, "a");
    const Oid b = add(*db, "b");
    ASSERT_TRUE(db->seekOid(a));
    ASSERT_TRUE(db->deleteRecord(a));
    EXPECT_FALSE(db->readAll().has_value());
    EXPECT_EQ(db->lastError(), DbError::NotFound);
    ASSERT_TRUE(db->seekNext());
    EXPECT_EQ(db->readAll()->oid, b);
}

TEST_F(ObjectStoreTest, InfoCountsRecordsAndEveryChangeAdvancesLastModified) {
    auto db = open("Contacts Database");
    auto other = open("Other");
    const uint64_t otherModified = other->info()->lastModified;
    uint64_t previous = db->info()->lastModified;
    EXPECT_GT(previous, 0u);
    const auto expectAdvanced = [&](uint32_t count) {
        const auto info = db->info();
        ASSERT_TRUE(info.has_value());
        EXPECT_EQ(info->recordCount, count);
        EXPECT_GT(info->lastModified, previous);
        previous = info->lastModified;
    };
    const Oid a = add(*db, "a");
    expectAdvanced(1);
    const Oid b = add(*db, "b");
    expectAdvanced(2);
    ASSERT_TRUE(db->write(a, {PropValue::deletion(kFirst)}));
    expectAdvanced(2);
    ASSERT_TRUE(db->deleteRecord(b));
    expectAdvanced(1);
    EXPECT_FALSE(db->deleteRecord(b));
    EXPECT_EQ(db->info()->lastModified, previous);  // a failed change changes nothing
    EXPECT_EQ(other->info()->lastModified, otherModified);
    EXPECT_EQ(other->info()->recordCount, 0u);
    EXPECT_EQ(db->recordOids().value(), QList<Oid>{a});
}

TEST_F(ObjectStoreTest, SortedHandleWalksByPositionAndSeeksAValue) {
    auto writer = open("\\Categories Database");
    const auto category = [&](const QString& name, std::optional<int16_t> position) {
        PropList props{PropValue::string(0x4001001F, name)};
        if (position) {
            props.append(PropValue::int16(kPosition, *position));
        }
        return writer->write(0, props);
    };
    const Oid three = category("Three", 3);
    const Oid none = category("None", std::nullopt);
    const Oid zero = category("Zero", 0);
    const Oid one = category("One", 1);
    auto byPosition = open("\\categories database", kPosition);
    QList<Oid> order;
    for (bool more = byPosition->seekFirst(); more; more = byPosition->seekNext()) {
        order.append(byPosition->read({kPosition})->oid);
    }
    EXPECT_EQ(order, (QList<Oid>{zero, one, three, none}));

    // The lowest unused position: seek 0, then walk while positions follow.
    ASSERT_TRUE(byPosition->seekValue(PropValue::int16(kPosition, 0)));
    int expected = 0;
    while (byPosition->seekNext() &&
           byPosition->read({kPosition})->props[0].toInt() == ++expected) {
    }
    EXPECT_EQ(expected, 2);
    EXPECT_FALSE(byPosition->seekValue(PropValue::int16(kPosition, 2)));
    EXPECT_EQ(byPosition->lastError(), DbError::SeekFailed);
    EXPECT_FALSE(byPosition->seekValue(PropValue::int32(kPreferred, 0)));
    EXPECT_EQ(byPosition->lastError(), DbError::InvalidParameter);
}

TEST_F(ObjectStoreTest, SortedWalkGoesOnAfterWritingTheCurrentRecord) {
    auto db = open("\\Categories Database", kPosition);
    for (int16_t p = 0; p < 5; ++p) {
        db->write(0, {PropValue::int16(kPosition, p), PropValue::int16(0x40040002, 0)});
    }
    QList<int> seen;
    for (bool more = db->seekFirst(); more; more = db->seekNext()) {
        const auto record = db->read({kPosition, 0x40040002});
        seen.append(record->props[0].toInt());
        // As when a reference count is raised while walking.
        ASSERT_TRUE(db->write(record->oid, {PropValue::int16(0x40040002, 1)}));
    }
    EXPECT_EQ(seen, (QList<int>{0, 1, 2, 3, 4}));
}

TEST_F(ObjectStoreTest, StringSortKeepsEqualValuesTogetherAndSeeksExactly) {
    auto writer = open("Contacts Database");
    for (const char* company : {"Initech", "Acme", "Globex", "acme", "Acme"}) {
        writer->write(0, {PropValue::string(0x3A16001F, company)});
    }
    add(*writer, "no company");
    auto byCompany = open("Contacts Database", 0x3A16001F);
    QStringList names;
    for (bool more = byCompany->seekFirst(); more; more = byCompany->seekNext()) {
        const PropValue value = byCompany->read({0x3A16001F})->props[0];
        names.append(value.isNotFound() ? QStringLiteral("-") : value.toString());
    }
    ASSERT_EQ(names.size(), 6);
    EXPECT_EQ(names.last(), QStringLiteral("-"));
    EXPECT_EQ(names.indexOf("Acme") + 1, names.lastIndexOf("Acme"));
    EXPECT_LT(names.indexOf("Acme"), names.indexOf("Globex"));
    EXPECT_LT(names.indexOf("Globex"), names.indexOf("Initech"));
    ASSERT_TRUE(byCompany->seekValue(PropValue::string(0x3A16001F, "acme")));
    EXPECT_EQ(byCompany->read({0x3A16001F})->props[0].toString(), QStringLiteral("acme"));
}

TEST_F(ObjectStoreTest, BatchCommitsEverythingOrNothing) {
    auto db = open("Contacts Database");
    EXPECT_FALSE(m_store.runBatch([&] {
        add(*db, "a");
        add(*db, "b");
        return false;
    }));
    EXPECT_EQ(db->info()->recordCount, 0u);
    EXPECT_FALSE(db->seekFirst());
    EXPECT_TRUE(m_store.runBatch([&] { return add(*db, "a") != 0 && add(*db, "b") != 0; }));
    EXPECT_EQ(db->info()->recordCount, 2u);
    SqliteObjectStore second(SqliteObjectStore::fileInRoot(m_device.root()));
    EXPECT_EQ(second.open("Contacts Database", {})->recordOids()->size(), 2);
}

TEST_F(ObjectStoreTest, InnerBatchRollsBackAloneInsideAnOuterOne) {
    auto db = open("Contacts Database");
    ASSERT_TRUE(m_store.runBatch([&] {
        add(*db, "outer");
        EXPECT_FALSE(m_store.runBatch([&] { return add(*db, "inner") == 0; }));
        return true;
    }));
    ASSERT_TRUE(db->seekFirst());
    EXPECT_EQ(firstName(*db), QStringLiteral("outer"));
    EXPECT_EQ(db->info()->recordCount, 1u);
}

TEST_F(ObjectStoreTest, SortedWalkPassesOverRecordsAnotherConnectionDeleted) {
    auto db = open("Contacts Database", kPreferred);
    QList<Oid> byValue;
    for (int i = 0; i < 150; ++i) {
        byValue.prepend(db->write(0, {PropValue::int32(kPreferred, 1000 - i)}));
    }
    SqliteObjectStore other(SqliteObjectStore::fileInRoot(m_device.root()));
    auto remover = other.open("Contacts Database", {});
    QList<Oid> walked;
    for (bool more = db->seekFirst(); more; more = db->seekNext()) {
        walked.append(db->read({kPreferred})->oid);
        if (walked.size() == 10) {
            ASSERT_TRUE(remover->deleteRecord(byValue[100]));
        }
    }
    byValue.removeAt(100);
    EXPECT_EQ(walked, byValue);
}

TEST_F(ObjectStoreTest, AWriteFailingMidwayChangesNothingAndFailsItsBatch) {
    auto db = open("Contacts Database");
    const Oid target = add(*db, "before");
    SqliteDb raw;
    ASSERT_TRUE(raw.open(SqliteObjectStore::fileInRoot(m_device.root())));
    const QByteArray trigger =
        "CREATE TRIGGER refuse AFTER UPDATE ON records WHEN NEW.oid=" + QByteArray::number(target) +
        " BEGIN SELECT RAISE(ABORT, 'refused'); END";
    ASSERT_TRUE(raw.exec(trigger.constData()));
    const uint64_t modified = db->info()->lastModified;
    EXPECT_EQ(db->write(target, {PropValue::string(kFirst, "after")}), 0u);
    EXPECT_EQ(db->lastError(), DbError::InternalError);
    EXPECT_EQ(db->info()->lastModified, modified);

    Oid added = 0;
    EXPECT_FALSE(m_store.runBatch([&] {
        added = add(*db, "in the batch");
        db->write(target, {PropValue::string(kFirst, "after")});
        db->write(0x7FFFFFF0, {PropValue::string(kFirst, "missing")});  // refused beforehand
        return true;
    }));
    EXPECT_EQ(m_store.lastError(), DbError::InternalError);
    EXPECT_FALSE(db->seekOid(added));
    ASSERT_TRUE(db->seekOid(target));
    EXPECT_EQ(firstName(*db), QStringLiteral("before"));
    // A refused write alone leaves its batch to commit.
    EXPECT_TRUE(m_store.runBatch([&] {
        added = add(*db, "kept");
        return db->write(0x7FFFFFF0, {PropValue::string(kFirst, "missing")}) == 0;
    }));
    EXPECT_TRUE(db->seekOid(added));
    SqliteStatement logged(raw, "SELECT COUNT(*) FROM changes");
    ASSERT_TRUE(logged.step());
    EXPECT_EQ(logged.columnInt(0), 2);  // the two committed creations only
}

TEST_F(ObjectStoreTest, ASecondConnectionSeesCommitsAndDataSurvivesReopening) {
    auto db = open("Contacts Database");
    SqliteObjectStore second(SqliteObjectStore::fileInRoot(m_device.root()));
    auto secondDb = second.open("Contacts Database", {});
    const Oid oid = add(*db, "kept");
    ASSERT_TRUE(secondDb->seekOid(oid));
    EXPECT_EQ(firstName(*secondDb), QStringLiteral("kept"));
    db.reset();
    secondDb.reset();
    SqliteObjectStore reopened(SqliteObjectStore::fileInRoot(m_device.root()));
    auto again = reopened.open("Contacts Database", {});
    ASSERT_TRUE(again->seekOid(oid));
    EXPECT_EQ(firstName(*again), QStringLiteral("kept"));
}

TEST_F(ObjectStoreTest, CorruptRecordFailsToReadButCanBeDeleted) {
    auto db = open("Contacts Database");
    const Oid bad = add(*db, "bad");
    const Oid good = add(*db, "good");
    SqliteDb raw;
    ASSERT_TRUE(raw.open(SqliteObjectStore::fileInRoot(m_device.root())));
    SqliteStatement corrupt(raw, "UPDATE records SET props=x'01FF' WHERE oid=?1");
    corrupt.bind(1, int64_t(bad));
    ASSERT_TRUE(corrupt.run());
    ASSERT_TRUE(db->seekOid(bad));
    EXPECT_FALSE(db->readAll().has_value());
    EXPECT_EQ(db->lastError(), DbError::InvalidData);
    EXPECT_EQ(db->write(bad, {PropValue::string(kFirst, "x")}), 0u);
    EXPECT_EQ(db->lastError(), DbError::InvalidData);
    EXPECT_TRUE(db->deleteRecord(bad));
    ASSERT_TRUE(db->seekFirst());
    EXPECT_EQ(db->readAll()->oid, good);
}

TEST_F(ObjectStoreTest, ReadingEveryRecordGivesWhatReadAllGivesFromOneStateOfTheStore) {
    auto db = open("Contacts Database", kLast);  // the walk ignores the sort order
    auto other = open("\\Categories Database");
    const QByteArray longNotes(1000, 'n');
    const Oid a = db->write(0, {PropValue::string(kLast, "Zed"), PropValue::blob(kNotes, longNotes),
                                PropValue::fileTime(kBirthday, 0x01D0000000000001ull)});
    const Oid b = db->write(0, {PropValue::string(kLast, "Abel"), PropValue::int32(kPreferred, 7)});
    const Oid c = db->write(0, {PropValue::string(kLast, QString(300, QChar(0x0434)))});
    add(*other, "not a contact");
    QList<DbRecord> expected;
    for (Oid oid : {a, b, c}) {
        ASSERT_TRUE(db->seekOid(oid));
        expected.append(*db->readAll());
    }
    ASSERT_TRUE(db->seekOid(b));
    // Another program changes the store while the walk runs: not seen.
    SqliteObjectStore otherProgram(SqliteObjectStore::fileInRoot(m_device.root()));
    auto theirs = otherProgram.open("Contacts Database", {});
    QList<DbRecord> seen;
    ASSERT_TRUE(db->readEveryRecord(
        [&](const DbRecord& record) {
            if (seen.isEmpty()) {
                EXPECT_TRUE(theirs->deleteRecord(c));
                EXPECT_NE(add(*theirs, "late"), 0u);
            }
            seen.append(record);
        },
        [](Oid) { ADD_FAILURE(); }));
    ASSERT_EQ(seen.size(), expected.size());
    for (qsizetype i = 0; i < seen.size(); ++i) {
        EXPECT_EQ(seen[i].oid, expected[i].oid);
        EXPECT_EQ(seen[i].props, expected[i].props) << i;
    }
    EXPECT_EQ(db->readAll()->oid, b);  // the position stayed
    int count = 0;
    ASSERT_TRUE(db->readEveryRecord([&](const DbRecord&) { ++count; }, [](Oid) {}));
    EXPECT_EQ(count, 3);  // a, b and the late one

    SqliteDb raw;
    ASSERT_TRUE(raw.open(SqliteObjectStore::fileInRoot(m_device.root())));
    SqliteStatement corrupt(raw, "UPDATE records SET props=x'01FF' WHERE oid=?1");
    corrupt.bind(1, int64_t(b));
    ASSERT_TRUE(corrupt.run());
    // A record that cannot be decoded is passed over and named.
    QList<Oid> read;
    QList<Oid> undecodable;
    EXPECT_TRUE(db->readEveryRecord([&](const DbRecord& record) { read.append(record.oid); },
                                    [&](Oid oid) { undecodable.append(oid); }));
    EXPECT_EQ(undecodable, QList<Oid>{b});
    EXPECT_EQ(read.size(), 2);
    EXPECT_FALSE(read.contains(b));
}

// Rows another writer put in with Oids that do not fit in 32 bits are never
// read (a walk would otherwise come back to them for ever), and every store
// opened on the file names them once.
TEST_F(ObjectStoreTest, RowsWithOidsPastThirtyTwoBitsAreSkippedAndReported) {
    static QStringList reported;
    reported.clear();
    setPlatformErrorReceiver(
        [](const QString& message, const char*, int) { reported.append(message); });
    auto db = open("Contacts Database");
    const QList<Oid> oids{add(*db, "a"), add(*db, "b"), add(*db, "c")};
    {
        SqliteDb raw;
        ASSERT_TRUE(raw.open(SqliteObjectStore::fileInRoot(m_device.root())));
        SqliteStatement stray(raw, "UPDATE records SET oid=oid+4294967296 WHERE oid=?1");
        stray.bind(1, int64_t(oids[1]));
        ASSERT_TRUE(stray.run());
        SqliteStatement negative(raw, "UPDATE records SET oid=-7 WHERE oid=?1");
        negative.bind(1, int64_t(oids[2]));
        ASSERT_TRUE(negative.run());
    }
    SqliteObjectStore reopened(SqliteObjectStore::fileInRoot(m_device.root()));
    setPlatformErrorReceiver(nullptr);
    auto walked = reopened.open("Contacts Database", {});
    QList<Oid> seen;
    for (bool more = walked->seekFirst(); more && seen.size() < 10; more = walked->seekNext()) {
        seen.append(walked->readAll()->oid);
    }
    EXPECT_EQ(seen, QList<Oid>{oids[0]});
    EXPECT_EQ(*walked->recordOids(), QList<Oid>{oids[0]});
    QList<Oid> read;
    EXPECT_TRUE(walked->readEveryRecord([&](const DbRecord& record) { read.append(record.oid); },
                                        [](Oid) { ADD_FAILURE(); }));
    EXPECT_EQ(read, QList<Oid>{oids[0]});
    ASSERT_EQ(reported.size(), 2);
    EXPECT_TRUE(
        reported.join(QLatin1Char('\n')).contains(QString::number(qint64(oids[1]) + 4294967296LL)));
    EXPECT_TRUE(reported.join(QLatin1Char('\n')).contains(QStringLiteral("Record -7 ")));
}

TEST_F(ObjectStoreTest, FileOfAnotherFormatIsLeftAlone) {
    {
        SqliteDb raw;
        ASSERT_TRUE(raw.open(SqliteObjectStore::fileInRoot(m_device.root())));
        ASSERT_TRUE(raw.exec("UPDATE store_meta SET value=99 WHERE key='format'"));
    }
    SqliteObjectStore later(SqliteObjectStore::fileInRoot(m_device.root()));
    EXPECT_FALSE(later.isOpen());
    EXPECT_EQ(later.open("Contacts Database", {}), nullptr);
    EXPECT_EQ(later.lastError(), DbError::InternalError);
}

}  // namespace
}  // namespace kontavo
