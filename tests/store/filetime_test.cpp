#include "store/filetime.h"

#include <gtest/gtest.h>

#include "store/proptag.h"

namespace kontavo {
namespace {

TEST(FileTimeTest, DaysCountFromJanuaryFirst1601) {
    EXPECT_EQ(fileTimeFromDate(QDate(1601, 1, 1)), FileTime(0));
    EXPECT_EQ(fileTimeFromDate(QDate(2000, 1, 1)), FileTime(125911584000000000ULL));
    EXPECT_FALSE(fileTimeFromDate(QDate(1600, 12, 31)).has_value());
    EXPECT_FALSE(fileTimeFromDate(QDate()).has_value());
}

TEST(FileTimeTest, TheTimeOfDayDoesNotMoveTheDate) {
    const FileTime noon = fileTimeFromDate(QDate(2024, 2, 29)).value() + 12ULL * 36000000000ULL;
    EXPECT_EQ(dateFromFileTime(noon), QDate(2024, 2, 29));
    EXPECT_EQ(fileTimeYear(noon), 2024);
    EXPECT_EQ(fileTimeMonth(noon), 2);
    EXPECT_EQ(fileTimeDay(noon), 29);
}

TEST(FileTimeTest, ValuesPastTheConvertibleRangeHaveNoDate) {
    EXPECT_FALSE(dateFromFileTime(0x8000000000000000ULL).isValid());
    EXPECT_EQ(fileTimeYear(0xFFFFFFFFFFFFFFFFULL), 0);
}

TEST(PropTagTest, TagsSplitIntoIdAndTypeAndCarryTheDeleteFlag) {
    const PropTag tag = makePropTag(0x3A06, proptype::kString);
    EXPECT_EQ(tag, 0x3A06001Fu);
    EXPECT_EQ(propId(tag), 0x3A06);
    const PropTag deleted = withDeleteFlag(kTagNotes);
    EXPECT_EQ(deleted, 0x00170241u);
    EXPECT_TRUE(hasDeleteFlag(deleted));
    EXPECT_EQ(propType(deleted), proptype::kBlob);
    EXPECT_EQ(propId(kTagBirthday), 0x4001);
    EXPECT_EQ(propType(kTagPreferredItem), proptype::kInt32);
}

}  // namespace
}  // namespace kontavo
