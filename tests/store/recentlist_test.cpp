#include "store/contacts/recentlist.h"

#include <gtest/gtest.h>

#include "support/tempdevice.h"

namespace kontavo {
namespace {

class RecentListTest : public ::testing::Test {
protected:
    QList<uint32_t> stored(const QString& subkey) { return m_device.settings().getIntList(subkey); }

    test::TempDevice m_device;
};

TEST_F(RecentListTest, ContactsAreMostRecentFirstAndHoldTwenty) {
    RecentList recent = RecentList::contacts(m_device.registry());
    for (Oid oid = 1; oid <= 20; ++oid) {
        recent.touch(oid);
    }
    EXPECT_EQ(recent.entries().first(), 20u);
    // An entry already present moves to the front, nothing is dropped.
    recent.touch(5);
    EXPECT_EQ(recent.entries().size(), 20);
    EXPECT_EQ(recent.entries().first(), 5u);
    EXPECT_EQ(recent.entries().last(), 1u);
    // The 21st contact drops the last one.
    recent.touch(21);
    EXPECT_EQ(recent.entries().size(), 20);
    EXPECT_EQ(recent.entries().first(), 21u);
    EXPECT_FALSE(recent.entries().contains(1u));
    recent.touch(0);
    EXPECT_EQ(recent.entries().first(), 21u);
}

TEST_F(RecentListTest, CategoriesAreOldestFirstAndDropTheOldest) {
    RecentList recent = RecentList::categories(m_device.registry(), 3);
    for (Oid oid : {7u, 8u, 9u}) {
        recent.touch(oid);
    }
    recent.touch(7);
    EXPECT_EQ(recent.entries(), (QList<Oid>{8, 9, 7}));
    recent.touch(10);
    EXPECT_EQ(recent.entries(), (QList<Oid>{9, 7, 10}));
    recent.remove({7, 99});
    EXPECT_EQ(recent.entries(), (QList<Oid>{9, 10}));
    recent.retainOnly({10, 11});
    EXPECT_EQ(recent.entries(), (QList<Oid>{10}));
}

TEST_F(RecentListTest, SavingOneListLeavesTheOtherAlone) {
    RecentList contacts = RecentList::contacts(m_device.registry());
    contacts.touch(100);
    contacts.touch(200);
    ASSERT_TRUE(contacts.save());
    RecentList categories = RecentList::categories(m_device.registry(), 5);
    categories.touch(3);
    ASSERT_TRUE(categories.save());
    // "Categories\Recent" lies below "Categories": saving the categories
    // rewrites the values of its key only.
    EXPECT_EQ(stored("Categories\\Recent"), (QList<uint32_t>{200, 100}));
    EXPECT_EQ(stored("Categories"), (QList<uint32_t>{3}));
}

TEST_F(RecentListTest, LoadingSkipsZerosAndRepeatsAndSavingRewritesWhole) {
    m_device.settings().setIntList("Categories", {4, 0, 5, 4, 6, 7, 8});
    RecentList recent = RecentList::categories(m_device.registry(), 3);
    recent.load();
    // The newest three of 4, 5, 6, 7, 8.
    EXPECT_EQ(recent.entries(), (QList<Oid>{6, 7, 8}));
    ASSERT_TRUE(recent.save());
    EXPECT_EQ(stored("Categories"), (QList<uint32_t>{6, 7, 8}));
    EXPECT_FALSE(m_device.registry().queryValue(Hive::CurrentUser,
                                                "Software\\Tarnwel\\PIM\\Categories", "5"));
}

TEST(CategoryMenuCapacityTest, FourLinesGoToTheFixedItems) {
    EXPECT_EQ(categoryMenuCapacity(294, 18), 12);
    EXPECT_EQ(categoryMenuCapacity(60, 18), 0);
    EXPECT_EQ(categoryMenuCapacity(100, 0), 0);
}

}  // namespace
}  // namespace kontavo
