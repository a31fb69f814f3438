#include "comm/filltemplate.h"

#include <gtest/gtest.h>

#include "comm/phonetemplateset.h"

namespace kontavo {
namespace {

TEST(FillTemplateTest, SlotsTakeDigitsAndLiteralDigitsMustMatch) {
    EXPECT_EQ(fillTemplate("###-###-####", "1234567890"), QStringLiteral("123-456-7890"));
    EXPECT_EQ(fillTemplate("800-###-####", "8001234567"), QStringLiteral("800-123-4567"));
    EXPECT_FALSE(fillTemplate("800-###-####", "4951234567").has_value());
}

TEST(FillTemplateTest, CommasGoWithTheNextSlot) {
    EXPECT_EQ(fillTemplate("##-##", "1,234"), QStringLiteral("1,2-34"));
    // A literal digit takes the comma typed before its digit too: the pause
    // stays where it was typed.
    EXPECT_EQ(fillTemplate("#1#", "2,13"), QStringLiteral("2,13"));
    EXPECT_EQ(fillTemplate("800-###-####", "8,0,01234567"), QStringLiteral("8,0,0-123-4567"));
    EXPECT_FALSE(fillTemplate("#1#", "2,23").has_value());
}

TEST(FillTemplateTest, HashesAloneTakeAnyCharacter) {
    EXPECT_EQ(fillTemplate("212-#-##-##-##", "1234567"), QStringLiteral("212-1-23-45-67"));
    EXPECT_EQ(fillTemplate("1##", "2,3"), QStringLiteral("12,"));
}

TEST(FillTemplateTest, FailsWithoutAMatchingCount) {
    EXPECT_FALSE(fillTemplate("##", "123").has_value());
    EXPECT_FALSE(fillTemplate("", "1").has_value());
    EXPECT_FALSE(fillTemplate("#", "").has_value());
}

TEST(PhoneTemplateExampleTest, FillsWithRepeatedDigits) {
    EXPECT_EQ(phoneTemplateExample("###-###-####"), QStringLiteral("123-456-7890"));
    EXPECT_EQ(phoneTemplateExample("212-#-##-##-##"), QStringLiteral("212-1-23-45-67"));
    EXPECT_EQ(phoneTemplateExample("(###) ### ## ## ##"), QStringLiteral("(123) 456 78 90 12"));
    EXPECT_FALSE(phoneTemplateExample("no slots").has_value());
}

TEST(PhoneTemplateSetTest, WeightsFollowTheTemplates) {
    PhoneTemplateSet set(PhoneTemplateSet::firstRunTemplates(), true, false);
    EXPECT_EQ(set.weights(), QList<int>({6, 11, 11, 10, 10, 10}));
    set.setTemplates({"# ext", "##"});
    EXPECT_EQ(set.weights(), QList<int>({1, 2}));
    EXPECT_EQ(PhoneTemplateSet::dialogDefaultTemplates()[3], QStringLiteral("(###) ### ## ##"));
}

}  // namespace
}  // namespace kontavo
