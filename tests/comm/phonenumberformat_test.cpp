#include "comm/phonenumberformat.h"

#include <gtest/gtest.h>

#include "comm/contactphones.h"
#include "comm/phonenumberparts.h"
#include "comm/phonetemplateset.h"

namespace kontavo {
namespace {

struct FormatCase {
    const char* name;
    QString number;
    std::optional<QString> shown;  // nullopt: shown as typed
    QStringList templates = PhoneTemplateSet::firstRunTemplates();
    bool ignoreDashes = false;
};

void PrintTo(const FormatCase& c, std::ostream* os) {
    *os << c.name;
}

class FormatPhoneNumberTest : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatPhoneNumberTest, ShowsTheExpectedText) {
    const FormatCase& c = GetParam();
    const PhoneTemplateSet set(c.templates, true, c.ignoreDashes);
    EXPECT_EQ(formatPhoneNumber(c.number, set), c.shown);
}

std::string caseName(const ::testing::TestParamInfo<FormatCase>& info) {
    return info.param.name;
}

std::optional<QString> asTyped() {
    return std::nullopt;
}

// The worked results of the first-run list.
INSTANTIATE_TEST_SUITE_P(
    FirstRunList, FormatPhoneNumberTest,
    ::testing::Values(
        FormatCase{"SecondPassSecondTemplate", "79123456789", "+7 (912) 345-67-89"},
        FormatCase{"AlreadyFormattedStaysTheSame", "+7 (912) 345-67-89", "+7 (912) 345-67-89"},
        FormatCase{"LiteralDigitsWinInTheFirstPass", "8001234567", "800-123-4567"},
        FormatCase{"LiteralDigitsMismatchFallsToSecondPass", "4951234567", "495-123-4567"},
        FormatCase{"FirstPassTwoTwelve", "2121234567", "212-1-23-45-67"},
        FormatCase{"WeightSix", "123456", "12-34-56"},
        FormatCase{"BlanksInTheMiddleAreDropped", "12 34 56", "12-34-56"},
        FormatCase{"TypedDashWithoutAPlace", "123-456", asTyped()},
        FormatCase{"TypedDashIgnored", "123-456", "12-34-56", PhoneTemplateSet::firstRunTemplates(),
                   true},
        FormatCase{"NoTemplateOfWeightSeven", "1234567", asTyped()},
        FormatCase{"SuffixWithoutSeparatorIsTrailingText", "1234567890 home", "123-456-7890 home"},
        FormatCase{"LabelAndSeparatorPrefix", "tel +79123456789", "tel +7 (912) 345-67-89"}),
    caseName);

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, FormatPhoneNumberTest,
    ::testing::Values(
        FormatCase{"NoDigits", "home", asTyped()}, FormatCase{"EmptyNumber", "", asTyped()},
        FormatCase{"EmptyList", "123456", asTyped(), {}},
        FormatCase{"FirstFitThatCannotBeFilledStopsTheSearch",
                   "+123456",
                   asTyped(),
                   {"#+#####", "+### ###"}},
        FormatCase{"LaterTemplateFitsWhenAlone", "+123456", "+123 456", {"+### ###"}},
        FormatCase{"SeparatorsAfterLastSlotNeverMatch", "123", asTyped(), {"(###)"}},
        FormatCase{"SingleLetterAfterLastSlotNeverMatches", "123", asTyped(), {"###a"}},
        FormatCase{
            "TemplateTrailingTextAfterTwoBlanks", "1234567", "123-4567  ext", {"###-#### ext"}}),
    caseName);

INSTANTIATE_TEST_SUITE_P(
    PrefixesSuffixesSeparators, FormatPhoneNumberTest,
    ::testing::Values(
        FormatCase{"LabelKeepsItsOwnSeparators", "a-b +79123456789", "a-b +7 (912) 345-67-89"},
        FormatCase{"OneCharacterAfterTheSeparatorMakesItAllSeparators", "+ 79123456789", asTyped()},
        FormatCase{"PlainTemplateTextBeforeThePrefixLeads",
                   "+79123456789",
                   "Tel +7 (912) 345-67-89",
                   {"Tel+# (###) ###-##-##"}},
        FormatCase{"SeparatorBeforeThePrefixInTheTemplateRejects",
                   "+79123456789",
                   asTyped(),
                   {"(Tel)+# (###) ###-##-##"}},
        FormatCase{"PrefixSeparatorsMissingFromTheTemplate", "(495) 123-4567", asTyped()},
        FormatCase{"BracketedAreaCode", "(495) 123-4567", "(495) 123 45 67",
                   PhoneTemplateSet::dialogDefaultTemplates()},
        FormatCase{"SuffixSeparatorsWithoutAPlace", "1234567890 (home)", asTyped()},
        FormatCase{"SuffixSeparatorsAtTheLastSlot",
                   "1234567890 (home)",
                   "123-456-7890 (home)  (home)",
                   {"###-###-#### (home)"}},
        FormatCase{"DisjointPairsSeeNoGap", "12-34-56", "12-34-56"},
        FormatCase{"DisjointPairsSeeEveryGap", "1-23-45-6", asTyped()},
        FormatCase{"GapInTheLastPairCounts", "12345-6", asTyped()},
        FormatCase{"GapFoundInLongerTemplateText", "7-912", "7 - 912", {"#+###", "# - ###"}},
        FormatCase{"CommasAreDialPausesAndStay", "12,34-56", "12-,34-56"},
        FormatCase{"LiteralDigitsCheckedByRank", "2131234567", asTyped(), {"212-#-##-##-##"}}),
    caseName);

TEST(FormatPhoneNumberSwitchTest, NothingIsFormattedWhileFormattingIsOff) {
    const PhoneTemplateSet set(PhoneTemplateSet::firstRunTemplates(), false, false);
    EXPECT_FALSE(formatPhoneNumber("79123456789", set).has_value());
    EXPECT_EQ(displayPhoneNumber("79123456789", set), QStringLiteral("79123456789"));
}

TEST(SplitPhoneNumberTest, SplitsPrefixMiddleAndSuffix) {
    const auto parts = splitPhoneNumber("tel +7 912-34 (home)", false);
    ASSERT_TRUE(parts.has_value());
    EXPECT_EQ(parts->label, QStringLiteral("tel "));
    EXPECT_EQ(parts->prefixSeparators, QStringLiteral("+"));
    EXPECT_EQ(parts->middle, QStringLiteral("7912-34"));
    EXPECT_EQ(parts->suffixSeparators, QStringLiteral(" ("));
    EXPECT_EQ(parts->trailing, QStringLiteral("home)"));
    EXPECT_EQ(parts->digitCount, 6);
    EXPECT_EQ(parts->digitsEnd, 13);
    EXPECT_FALSE(splitPhoneNumber("no digits", false).has_value());
}

TEST(SplitPhoneNumberTest, SuffixOfSeparatorsOnly) {
    const auto parts = splitPhoneNumber("12)-", false);
    ASSERT_TRUE(parts.has_value());
    EXPECT_EQ(parts->suffixSeparators, QStringLiteral(")-"));
    EXPECT_TRUE(parts->trailing.isEmpty());
}

TEST(FormatContactPhonesTest, FormatsMatchingNumbersAndKeepsTheRest) {
    const PhoneTemplateSet set(PhoneTemplateSet::firstRunTemplates(), true, false);
    ContactPhones phones;
    phones.standard[ContactPhones::Work] = "79123456789";
    phones.standard[ContactPhones::Assistant] = "1234567";
    phones.extended = {"8001234567", "call me"};
    formatContactPhones(phones, set);
    EXPECT_EQ(phones.standard[ContactPhones::Work], QStringLiteral("+7 (912) 345-67-89"));
    EXPECT_EQ(phones.standard[ContactPhones::Assistant], QStringLiteral("1234567"));
    EXPECT_TRUE(phones.standard[ContactPhones::Home].isEmpty());
    EXPECT_EQ(phones.extended, QStringList({"800-123-4567", "call me"}));
}

}  // namespace
}  // namespace kontavo
