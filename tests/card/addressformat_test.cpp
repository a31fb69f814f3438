#include <gtest/gtest.h>

#include <climits>

#include "card/addressformattable.h"
#include "card/leadingnumber.h"

namespace kontavo {
namespace {

struct ExpectedFormat {
    int code;
    const char* name;
    const char* layout;  // "slot:label" in layout order
};

// The shipped table, entry by entry.
const ExpectedFormat kShipped[] = {
    {54, "Argentina", "0:Street 3:PostalCode 1:City 2:Province 4:Country"},
    {61, "Australia", "0:Street 1:Suburb 2:State 3:PostalCode 4:Country"},
    {43, "Austria", "0:Street 3:PostalCode 1:City 4:Country"},
    {973, "Bahrain", "0:Street 3:PostalCode 1:City 4:Country"},
    {32, "Belgium", "0:Street 3:PostalCode 1:City 4:Country"},
    {0, "Bosnia and Herzegovina", "0:Street 3:PostalCode 1:City 4:Country"},
    {55, "Brazil", "0:Street 3:ZIP 1:City 2:Province 4:Country"},
    {359, "Bulgaria", "0:Street 3:PostalCode 1:City 4:Country"},
    {2, "Canada", "0:Street 1:City 2:Province 3:PostalCode 4:Country"},
    {86, "China", "0:Street 3:PostalCode 1:City 2:Province 4:Country"},
    {0, "Croatia", "0:Street 3:PostalCode 1:City 4:Country"},
    {420, "Czech", "0:Street 3:PostalCode 1:City 4:Country"},
    {45, "Denmark", "0:Street 3:PostalCode 1:City 2:Village 4:Country"},
    {20, "Egypt", "0:Street 3:PostalCode 1:City 4:Country"},
    {358, "Finland", "0:Street 3:PostalCode 1:City 4:Country"},
    {33, "France", "0:Street 3:PostalCode 1:City 4:Country"},
    {49, "Germany", "0:Street 3:PostalCode 1:City 4:Country"},
    {30, "Greece", "0:Street 3:PostalCode 1:City 4:Country"},
    {0, "Greenland", "0:Street 3:PostalCode 1:PostalDistrict 4:Country"},
    {852, "Hong Kong", "0:Street 3:DistrictTown 1:Province 2:State 4:Country"},
    {36, "Hungary", "3:PostalCode 1:City 0:Street 4:Country"},
    {354, "Iceland", "0:Street 3:PostalCode 1:City 4:Country"},
    {91, "India", "0:Street 2:Province 1:City 3:PINCode 4:Country"},
    {62, "Indonesia", "0:Street 1:City 2:Province 3:PostalCode 4:Country"},
    {353, "Ireland", "0:Street 1:City 2:County 3:PostalCode 4:Country"},
    {972, "Israel", "0:Street 3:PostalCode 1:City 4:Country"},
    {39, "Italy", "0:Street 3:PostalCode 1:City 2:Province 4:Country"},
    {81, "Japan", "3:PostalCode 2:Prefecture 1:County/City 0:Further Divisions 4:Country"},
    {962, "Jordan", "0:Street 3:PostalCode 1:City 4:Country"},
    {965, "Kuwait", "0:Street 3:PostalCode 1:City 2:Province 4:Country"},
    {961, "Lebanon", "0:Street 3:PostalCode 1:City 4:Country"},
    {352, "Luxembourg", "0:Street 3:PostalCode 1:City 4:Country"},
    {389, "Macedonia", "0:Street 3:PostalCode 1:City 4:Country"},
    {52, "Mexico", "0:Street 3:PostalCode 1:City 2:State 4:Country"},
    {31, "Netherlands", "0:Street 3:PostalCode 1:City 4:Country"},
    {64, "New Zealand", "0:Street 1:Suburb 2:State 3:PostalCode 4:Country"},
    {47, "Norway", "0:Street 3:PostalCode 1:City 4:Country"},
    {968, "Oman", "0:Street 3:PostalCode 1:City 2:Province 4:Country"},
    {48, "Poland", "0:Street 3:PostalCode 1:City 2:State 4:Country"},
    {351, "Portugal", "0:Street 3:PostalCode 1:City 2:Territorial Subdivision 4:Country"},
    {974, "Qatar", "0:Street 3:PostalCode 1:City 4:Country"},
    {40, "Romania", "0:Street 3:PostalCode 1:City 4:Country"},
    {7, "Russian Federation", "4:Country 3:PostalCode 2:State/Republic 1:City/Region 0:Street"},
    {966, "Saudi Arabia", "0:Street 3:PostalCode 1:City 4:Country"},
    {65, "Singapore", "0:Street 1:City 3:PostalCode 4:Country"},
    {421, "Slovakia", "0:Street 3:PostalCode 1:City 4:Country"},
    {386, "Slovenia", "0:Street 3:PostalCode 1:City 4:Country"},
    {27, "South Africa", "0:Street 1:City 2:Province 3:PostalCode 4:Country"},
    {82, "South Korea", "0:Street 1:City 2:Province 3:PostalCode 4:Country"},
    {34, "Spain", "0:Street 3:PostalCode 1:City 2:Province 4:Country"},
    {46, "Sweden", "0:Street 3:PostalCode 1:City 4:Country"},
    {41, "Switzerland", "0:Street 3:PostalCode 1:City 4:Country"},
    {963, "Syrian Arab Republic", "0:Street 3:PostalCode 1:City 4:Country"},
    {886, "Taiwan", "0:Street 1:City 2:Island name 3:ZIP 4:Country"},
    {90, "Turkey", "0:Street 3:PostalCode 1:City 4:Country"},
    {380, "Ukraine", "0:Street 1:City 2:Province 3:PostalCode 4:Country"},
    {44, "United Kingdom", "0:Street 1:City 2:County 3:Postcode 4:Country"},
    {1, "United States", "0:Street 1:City 2:State 3:ZIP 4:Country"},
    {967, "Yemen", "0:Street 3:PostalCode 1:City 4:Country"},
};

QString describeLayout(const AddressFormat& format) {
    QStringList parts;
    for (const int slot : layoutOrder(format)) {
        parts.append(QString::number(slot) + u':' + format.partLabel[slot]);
    }
    return parts.join(u' ');
}

TEST(AddressFormatTableTest, ShippedEntriesAllParse) {
    const AddressFormatTable table = AddressFormatTable::fromStringTable(1);
    ASSERT_EQ(table.count(), 59);
    for (int i = 0; i < 59; ++i) {
        SCOPED_TRACE(kShipped[i].name);
        const AddressFormat* format = table.lookup(i);
        ASSERT_NE(format, nullptr);
        EXPECT_EQ(format->code, kShipped[i].code);
        EXPECT_EQ(format->name, QString::fromUtf8(kShipped[i].name));
        EXPECT_EQ(describeLayout(*format), QString::fromUtf8(kShipped[i].layout));
        for (int slot = 0; slot < kAddressSlotCount; ++slot) {
            EXPECT_EQ(format->partOrder[slot] < 0, format->partLabel[slot].isEmpty());
        }
    }
    EXPECT_EQ(table.lookup(59), nullptr);
    EXPECT_EQ(table.lookup(-1), nullptr);
    EXPECT_EQ(table.countryNames().size(), 59);
    EXPECT_EQ(table.countryNames().first(), QStringLiteral("Argentina"));
    EXPECT_EQ(table.countryNames().last(), QStringLiteral("Yemen"));
}

TEST(AddressFormatTableTest, DefaultFollowsTheLocaleCountry) {
    const struct {
        int country;
        int index;
    } cases[] = {{49, 16}, {44, 56}, {1, 57}, {7, 42}, {81, 27}, {999, 58}, {0, 58}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.country);
        EXPECT_EQ(AddressFormatTable::fromStringTable(c.country).defaultIndex(), c.index);
    }
}

TEST(AddressFormatTableTest, ProcessTableUsesTheUserLocale) {
    const AddressFormatTable& table = AddressFormatTable::instance();
    EXPECT_EQ(table.count(), 59);
    EXPECT_EQ(&table, &AddressFormatTable::instance());
}

TEST(AddressFormatTableTest, RejectedEntriesMoveTheOthersUp) {
    const AddressFormatTable table({"rez", "049 Germany,0 Street", "", "001 US,0 Street"}, 1);
    ASSERT_EQ(table.count(), 2);
    EXPECT_EQ(table.lookup(1)->name, QStringLiteral("US"));
    EXPECT_EQ(table.defaultIndex(), 1);
}

TEST(AddressFormatTableTest, EmptyTableHasNoDefault) {
    const AddressFormatTable table({"rez"}, 1);
    EXPECT_EQ(table.count(), 0);
    EXPECT_EQ(table.defaultIndex(), -1);
    EXPECT_EQ(table.lookupOrDefault(0), nullptr);
    EXPECT_EQ(table.oneLine({"a", "b", "c", "d", "e"}, 0), QString());
}

TEST(AddressFormatTableTest, EntriesAreReadUpTo500Characters) {
    const AddressFormatTable table({"049 X,0 " + QString(600, u'a')}, 49);
    ASSERT_EQ(table.count(), 1);
    EXPECT_EQ(table.lookup(0)->partLabel[0].size(), 500 - 8);
}

TEST(AddressFormatParseTest, RejectsBrokenEntries) {
    const char* rejected[] = {
        "rez",           "049 ",          "049 ,0 Street",      "049 X,1 Street",
        "049 X,0 A,2 B", "049 X,0 A,0 B", "049 X,x Street,0 B", "049 X,0 A,1 B,2 C,3 D,5 E",
    };
    for (const char* text : rejected) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(parseAddressFormat(QString::fromUtf8(text)).has_value());
    }
}

TEST(AddressFormatParseTest, OnlyThreeCodeCharactersAndOneSeparator) {
    const auto format = parseAddressFormat(u"12345 Land,0 Street");
    ASSERT_TRUE(format.has_value());
    EXPECT_EQ(format->code, 123);
    EXPECT_EQ(format->name, QStringLiteral("5 Land"));
    EXPECT_EQ(parseAddressFormat(u"ab  Land")->code, 0);
}

TEST(AddressFormatParseTest, FieldStartingInTheLastTwoCharactersIsNotRead) {
    const auto shortField = parseAddressFormat(u"049 X,0 Street,1 ");
    ASSERT_TRUE(shortField.has_value());
    EXPECT_EQ(shortField->partOrder[1], -1);
    const auto fullField = parseAddressFormat(u"049 X,0 Street,1 C");
    ASSERT_TRUE(fullField.has_value());
    EXPECT_EQ(fullField->partOrder[1], 1);
    EXPECT_EQ(fullField->partLabel[1], QStringLiteral("C"));
}

TEST(AddressFormatParseTest, AtMostFiveFieldsAreRead) {
    const auto format = parseAddressFormat(u"049 X,0 A,1 B,2 C,3 D,4 E,9 F");
    ASSERT_TRUE(format.has_value());
    EXPECT_EQ(format->partLabel[4], QStringLiteral("E"));
    const auto noFields = parseAddressFormat(u"049 Germany");
    ASSERT_TRUE(noFields.has_value());
    EXPECT_TRUE(layoutOrder(*noFields).isEmpty());
}

TEST(AddressOneLineTest, PartsJoinInLayoutOrder) {
    const AddressFormatTable table = AddressFormatTable::fromStringTable(49);
    const AddressParts full{"1 Main St", "Springfield", "IL", "62701", "USA"};
    const struct {
        const char* name;
        AddressParts parts;
        int index;
        const char* line;
    } cases[] = {
        {"UnitedStates", full, 57, "1 Main St Springfield IL 62701 USA"},
        {"GermanyHasNoRegion", full, 16, "1 Main St 62701 Springfield USA"},
        {"EmptyPartsKeepTheirSpace", {"1 Main St", "", "", "", "USA"}, 57, "1 Main St    USA"},
        {"LeadingEmptyPartsAddNothing", {"", "Moscow", "", "", ""}, 42, "Moscow "},
        {"OutsideTheTableUsesTheDefault", full, 59, "1 Main St 62701 Springfield USA"},
        {"NegativeUsesTheDefault", full, -1, "1 Main St 62701 Springfield USA"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(table.oneLine(c.parts, c.index), QString::fromUtf8(c.line));
    }
}

TEST(LeadingNumberTest, ReadsLikeAtoi) {
    const struct {
        const char* text;
        int value;
    } cases[] = {{"054", 54},
                 {" 12x", 12},
                 {"-3", -3},
                 {"+7", 7},
                 {"abc", 0},
                 {"", 0},
                 {"1 2", 1},
                 {"- 1", 0},
                 {"99999999999", INT_MAX},
                 {"-99999999999", INT_MIN}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(leadingNumber(QString::fromUtf8(c.text)), c.value);
    }
}

}  // namespace
}  // namespace kontavo
