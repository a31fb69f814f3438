// Typed dates of the edit form's date rows.
#include "card/formdate.h"

#include <gtest/gtest.h>

namespace kontavo {
namespace {

constexpr int kThisYear = 2026;

struct DateCase {
    const char* name;
    const char* text;
    DateOrder order;
    QDate expected;  // invalid: rejected
};

class TypedDateTest : public ::testing::TestWithParam<DateCase> {};

TEST_P(TypedDateTest, ReadsAsTheRolesAndTheDateOrderSay) {
    const DateCase& c = GetParam();
    const std::optional<QDate> date = parseTypedDate(QString::fromUtf8(c.text), c.order, kThisYear);
    if (c.expected.isValid()) {
        ASSERT_TRUE(date.has_value()) << c.text;
        EXPECT_EQ(*date, c.expected) << c.text;
    } else {
        EXPECT_FALSE(date.has_value()) << c.text << " read as " << date->toString().toStdString();
    }
}

const DateCase kCases[] = {
    {"TwoSmallNumbersDayFirst", "12/3", DateOrder::DayMonthYear, QDate(kThisYear, 3, 12)},
    {"TwoSmallNumbersMonthFirst", "12/3", DateOrder::MonthDayYear, QDate(kThisYear, 12, 3)},
    {"TwoSmallNumbersYearFirstOrder", "12/3", DateOrder::YearMonthDay, QDate(kThisYear, 12, 3)},
    {"DayThatCannotBeAMonthDmy", "25/3", DateOrder::DayMonthYear, QDate(kThisYear, 3, 25)},
    {"DayThatCannotBeAMonthMdy", "25/3", DateOrder::MonthDayYear, QDate(kThisYear, 3, 25)},
    {"DayThatCannotBeAMonthLast", "3/25", DateOrder::DayMonthYear, QDate(kThisYear, 3, 25)},
    {"TwoNumbersWithAYear", "2010/3", DateOrder::MonthDayYear, QDate()},
    {"ThreeNumbersMdy", "3/25/10", DateOrder::MonthDayYear, QDate(2010, 3, 25)},
    {"ThreeNumbersMdyRejectedInDmy", "3/25/10", DateOrder::DayMonthYear, QDate()},
    {"LeadingYearMdy", "2010 3 4", DateOrder::MonthDayYear, QDate(2010, 3, 4)},
    {"LeadingYearDmy", "2010 3 4", DateOrder::DayMonthYear, QDate(2010, 3, 4)},
    {"AllRolesDifferent", "15 2 1999", DateOrder::MonthDayYear, QDate(1999, 2, 15)},
    {"AllRolesDifferentScrambled", "1999 15 2", DateOrder::DayMonthYear, QDate(1999, 2, 15)},
    {"DmyWithDots", "04.07.1976", DateOrder::DayMonthYear, QDate(1976, 7, 4)},
    {"YearBelowThirty", "1/2/29", DateOrder::DayMonthYear, QDate(2029, 2, 1)},
    {"YearThirty", "1/2/30", DateOrder::DayMonthYear, QDate(1930, 2, 1)},
    {"ZeroRunsAreDropped", "0 5 0 7 2001", DateOrder::DayMonthYear, QDate(2001, 7, 5)},
    {"NotACalendarDay", "31/2/2001", DateOrder::DayMonthYear, QDate()},
    {"LeapDay", "29.2.2024", DateOrder::DayMonthYear, QDate(2024, 2, 29)},
    {"NoLeapDay", "29.2.2023", DateOrder::DayMonthYear, QDate()},
    {"OneNumber", "17", DateOrder::DayMonthYear, QDate()},
    {"NoDigits", "tomorrow", DateOrder::DayMonthYear, QDate()},
    {"YearTheContactCannotStore", "1 2 1500", DateOrder::DayMonthYear, QDate()},
    {"YearPastFourDigits", "1 2 99999", DateOrder::DayMonthYear, QDate()},
    {"HugeRunDoesNotOverflow", "1 2 99999999999999999999999", DateOrder::DayMonthYear, QDate()},
    {"OnlyThreeNumbersTaken", "1 2 2003 4", DateOrder::DayMonthYear, QDate(2003, 2, 1)},
};

INSTANTIATE_TEST_SUITE_P(Cases, TypedDateTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kontavo
