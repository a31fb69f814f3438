#include "card/addressrow.h"

#include <gtest/gtest.h>

#include "card/addressformattable.h"

namespace kontavo {
namespace {

constexpr int kGermany = 16;
constexpr int kJapan = 27;
constexpr int kUnitedStates = 57;

class AddressRowTest : public ::testing::Test {
protected:
    const AddressFormatTable m_table = AddressFormatTable::fromStringTable(49);
};

TEST_F(AddressRowTest, NewRowTakesItsFirstFormat) {
    AddressRow row;
    EXPECT_EQ(row.format(), -1);
    EXPECT_EQ(row.lineCount(), 0);
    EXPECT_TRUE(row.applyFormat(kUnitedStates, m_table));
    EXPECT_EQ(row.format(), kUnitedStates);
    EXPECT_EQ(row.countryName(), QStringLiteral("United States"));
    ASSERT_EQ(row.lineCount(), 5);
    EXPECT_EQ(row.lineLabel(3), QStringLiteral("ZIP"));
}

TEST_F(AddressRowTest, LinesFollowTheLayoutOrder) {
    AddressRow row;
    row.applyFormat(kJapan, m_table);
    QList<int> slotList;
    QStringList labels;
    for (int line = 0; line < row.lineCount(); ++line) {
        slotList.append(row.lineSlot(line));
        labels.append(row.lineLabel(line));
    }
    EXPECT_EQ(slotList, QList<int>({3, 2, 1, 0, 4}));
    EXPECT_EQ(labels, QStringList({"PostalCode", "Prefecture", "County/City", "Further Divisions",
                                   "Country"}));
    row.applyFormat(kGermany, m_table);
    EXPECT_EQ(row.lineCount(), 4);
    EXPECT_EQ(row.lineSlot(1), kSlotPostalCode);
}

TEST_F(AddressRowTest, CountryValueIsReplacedOnlyWhenSet) {
    AddressRow withCountry;
    withCountry.applyFormat(kUnitedStates, m_table);
    withCountry.setValue(kSlotCountry, "USA");
    withCountry.setValue(kSlotStreet, "1 Main St");
    EXPECT_TRUE(withCountry.applyFormat(kJapan, m_table));
    EXPECT_EQ(withCountry.values()[kSlotCountry], QStringLiteral("Japan"));
    EXPECT_EQ(withCountry.values()[kSlotStreet], QStringLiteral("1 Main St"));

    AddressRow withoutCountry;
    withoutCountry.applyFormat(kUnitedStates, m_table);
    withoutCountry.applyFormat(kJapan, m_table);
    EXPECT_TRUE(withoutCountry.values()[kSlotCountry].isEmpty());
}

TEST_F(AddressRowTest, SameFormatChangesNothing) {
    AddressRow row;
    row.applyFormat(kUnitedStates, m_table);
    row.setValue(kSlotCountry, "USA");
    EXPECT_FALSE(row.applyFormat(kUnitedStates, m_table));
    EXPECT_EQ(row.values()[kSlotCountry], QStringLiteral("USA"));
}

TEST_F(AddressRowTest, IndexOutsideTheTableAppliesTheDefault) {
    AddressRow row;
    EXPECT_TRUE(row.applyFormat(200, m_table));
    EXPECT_EQ(row.format(), kGermany);
    // The default is the current format, so nothing changes.
    EXPECT_FALSE(row.applyFormat(-5, m_table));

    const AddressFormatTable empty({}, 49);
    AddressRow untouched;
    EXPECT_FALSE(untouched.applyFormat(0, empty));
    EXPECT_EQ(untouched.format(), -1);
}

TEST_F(AddressRowTest, EmptyLinesShowAndEditTheirLabel) {
    AddressRow row;
    row.applyFormat(kUnitedStates, m_table);
    EXPECT_TRUE(row.lineIsHint(1));
    EXPECT_EQ(row.lineText(1), QStringLiteral("City"));
    row.commitLine(1, "City");
    EXPECT_TRUE(row.values()[kSlotCity].isEmpty());
    row.commitLine(1, "Springfield");
    EXPECT_FALSE(row.lineIsHint(1));
    EXPECT_EQ(row.lineText(1), QStringLiteral("Springfield"));
    row.commitLine(1, "");
    EXPECT_TRUE(row.values()[kSlotCity].isEmpty());
    row.commitLine(1, "city");
    EXPECT_EQ(row.values()[kSlotCity], QStringLiteral("city"));
}

TEST_F(AddressRowTest, MovingStaysWithinTheRow) {
    AddressRow row;
    row.applyFormat(kGermany, m_table);
    EXPECT_EQ(row.nextLine(0), 1);
    EXPECT_EQ(row.nextLine(3), std::nullopt);
    EXPECT_EQ(row.previousLine(1), 0);
    EXPECT_EQ(row.previousLine(0), std::nullopt);
}

}  // namespace
}  // namespace kontavo
