#include "store/contacts/listquery.h"

#include <gtest/gtest.h>

#include "countingobjectstore.h"
#include "platform/sqliteobjectstore.h"
#include "store/contacts/categorymask.h"
#include "store/record/contactfields.h"
#include "support/tempdevice.h"

namespace kontavo {
namespace {

using F = ContactField;

PropTag tagOf(F field) {
    return fieldInfo(field).tag();
}

class ListQueryTest : public ::testing::Test {
protected:
    ListQueryTest() : m_inner(SqliteObjectStore::fileInRoot(m_device.root())), m_store(m_inner) {
        DbOpenOptions options;
        options.createIfMissing = true;
        m_db = m_store.open("Contacts Database", options);
    }

    Oid add(PropList props) { return m_db->write(0, props); }
    QList<Oid> addMany(int count) {
        QList<Oid> oids;
        m_store.runBatch([&] {
            for (int i = 0; i < count; ++i) {
                oids.append(add({PropValue::string(tagOf(F::LastName), QString::number(i))}));
            }
            return true;
        });
        return oids;
    }
    static QList<Oid> oidsOf(const QList<ListEntry>& entries) {
        QList<Oid> oids;
        for (const ListEntry& e : entries) {
            oids.append(e.oid);
        }
        return oids;
    }

    test::TempDevice m_device;
    SqliteObjectStore m_inner;
    test::CountingObjectStore m_store;
    std::unique_ptr<ObjectDatabase> m_db;
};

TEST_F(ListQueryTest, ALongOidListIsOneScanAShortOneIsSeeks) {
    const QList<Oid> oids = addMany(1000);
    QList<ListEntry> entries;
    m_store.resetCalls();
    ASSERT_TRUE(ListQuery(*m_db).ofOids(oids.mid(5), CategoryFilter::any(), entries));
    EXPECT_EQ(entries.size(), 995);
    EXPECT_EQ(m_store.calls().seekFirst, 1);
    EXPECT_EQ(m_store.calls().seekOid, 0);
    EXPECT_EQ(m_store.calls().read, 1000);

    entries.clear();
    m_store.resetCalls();
    ASSERT_TRUE(ListQuery(*m_db).ofOids(oids.mid(100, 10), CategoryFilter::any(), entries));
    EXPECT_EQ(oidsOf(entries), oids.mid(100, 10));
    EXPECT_EQ(m_store.calls().seekFirst, 0);
    EXPECT_EQ(m_store.calls().seekOid, 10);
    EXPECT_EQ(m_store.calls().read, 10);
}

TEST_F(ListQueryTest, TheThresholdIsTheRecordCountLessTen) {
    const QList<Oid> oids = addMany(30);
    QList<ListEntry> entries;
    m_store.resetCalls();
    ListQuery(*m_db).ofOids(oids.mid(0, 20), CategoryFilter::any(), entries);
    EXPECT_EQ(m_store.calls().seekFirst, 1);
    m_store.resetCalls();
    ListQuery(*m_db).ofOids(oids.mid(0, 19), CategoryFilter::any(), entries);
    EXPECT_EQ(m_store.calls().seekFirst, 0);
    EXPECT_EQ(m_store.calls().seekOid, 19);
}

TEST_F(ListQueryTest, OidsThatNameNoRecordAreSkipped) {
    const QList<Oid> oids = addMany(40);
    const Oid removed = oids[3];
    m_db->deleteRecord(removed);
    QList<ListEntry> entries;
    ASSERT_TRUE(ListQuery(*m_db).ofOids({oids[1], removed, 999999, oids[2], oids[1]},
                                        CategoryFilter::any(), entries));
    EXPECT_EQ(oidsOf(entries), (QList<Oid>{oids[1], oids[2]}));
}

TEST_F(ListQueryTest, NoCategoryKeepsAbsentEmptyAndZeroMasks) {
    const Oid absent = add({PropValue::string(tagOf(F::LastName), "absent")});
    const Oid empty = add({PropValue::blob(kTagCategoryMask, QByteArray())});
    const Oid zero = add({PropValue::blob(kTagCategoryMask, QByteArray(1, '\0'))});
    const Oid member = add({PropValue::blob(kTagCategoryMask, categorymask::fromPositions({9}))});
    const Oid other = add({PropValue::blob(kTagCategoryMask, categorymask::fromPositions({2}))});
    QList<ListEntry> entries;
    ASSERT_TRUE(ListQuery(*m_db).all(CategoryFilter::none(), entries));
    EXPECT_EQ(oidsOf(entries), (QList<Oid>{absent, empty, zero}));
    entries.clear();
    const QByteArray selection = categorymask::fromPositions({9, 40});
    ASSERT_TRUE(ListQuery(*m_db).all(CategoryFilter::sharing(selection), entries));
    EXPECT_EQ(oidsOf(entries), (QList<Oid>{member}));
    entries.clear();
    ASSERT_TRUE(ListQuery(*m_db).ofOids({other, zero}, CategoryFilter::none(), entries));
    EXPECT_EQ(oidsOf(entries), (QList<Oid>{zero}));
}

TEST_F(ListQueryTest, EntriesTakeNamesAndWorkPhones) {
    const Oid both = add({PropValue::string(tagOf(F::LastName), "Ivanov"),
                          PropValue::string(tagOf(F::FirstName), "Ivan"),
                          PropValue::string(tagOf(F::Company), "Acme"),
                          PropValue::string(tagOf(F::WorkPhone), "1"),
                          PropValue::string(tagOf(F::WorkPhone2), "2")});
    const Oid second = add(
        {PropValue::string(tagOf(F::Title), "Dr."), PropValue::string(tagOf(F::WorkPhone2), "2")});
    const Oid nothing = add({PropValue::string(tagOf(F::Company), "")});
    QList<ListEntry> entries;
    ASSERT_TRUE(ListQuery(*m_db).all(CategoryFilter::any(), entries));
    ASSERT_EQ(entries.size(), 3);
    EXPECT_EQ(entries[0], (ListEntry{both, "Acme", "Ivanov, Ivan", "1", "2"}));
    EXPECT_EQ(entries[1], (ListEntry{second, QString(), "Dr.", "2", ""}));
    EXPECT_TRUE(entries[1].company.isNull());
    EXPECT_EQ(entries[2].oid, nothing);
    EXPECT_TRUE(entries[2].displayName.isNull());
    EXPECT_FALSE(entries[2].company.isNull());
}

TEST_F(ListQueryTest, AFailedReadEndsTheQueryWithWhatWasFound) {
    addMany(5);
    QList<ListEntry> entries;
    m_store.failListedRead(3, DbError::InternalError);
    EXPECT_FALSE(ListQuery(*m_db).all(CategoryFilter::any(), entries));
    EXPECT_EQ(entries.size(), 2);
}

TEST_F(ListQueryTest, ARecordThatCannotBeDecodedIsPassedOver) {
    addMany(5);
    QList<ListEntry> entries;
    m_store.failListedRead(3, DbError::InvalidData);
    EXPECT_TRUE(ListQuery(*m_db).all(CategoryFilter::any(), entries));
    EXPECT_EQ(entries.size(), 4);
}

}  // namespace
}  // namespace kontavo
