#include "comm/cardlinks.h"

#include <gtest/gtest.h>

#include "support/recordingactions.h"

namespace kontavo {
namespace {

TEST(CardLinksTest, EachKindGoesToItsAction) {
    test::RecordingActions actions;
    setCurrentDialupMode(kDialJustCall);
    EXPECT_FALSE(actOnCardLink(2, QStringLiteral("ann@example.com"), 5, false, actions));
    EXPECT_FALSE(actOnCardLink(4, QStringLiteral("example.com"), 5, false, actions));
    EXPECT_FALSE(actOnCardLink(10, QStringLiteral("\\My Documents\\a.doc"), 5, false, actions));
    for (const int other : {0, 3, 5, 9, 11}) {
        EXPECT_FALSE(actOnCardLink(other, QStringLiteral("x"), 5, false, actions)) << other;
    }
    EXPECT_EQ(actions.calls, QStringList({"mail ann@example.com", "url example.com",
                                          "file \\My Documents\\a.doc"}));
}

TEST(CardLinksTest, PhonesAreCalledByTheCachedMethodWithThePhoneAppFirstUnlessByTheTalkKey) {
    test::RecordingActions actions;
    setCurrentDialupMode(kDialJustCall);
    EXPECT_TRUE(actOnCardLink(1, QStringLiteral("+7 (912) 345-67-89"), 5, false, actions));
    EXPECT_TRUE(actOnCardLink(1, QStringLiteral("555"), 5, true, actions));
    setCurrentDialupMode(kDialSound);
    actOnCardLink(1, QStringLiteral("1,2"), 5, false, actions);
    setCurrentDialupMode(kDialAddIn);
    actOnCardLink(1, QStringLiteral("555"), 5, false, actions);
    setCurrentDialupMode(kDialNone);
    EXPECT_TRUE(actOnCardLink(1, QStringLiteral("555"), 5, false, actions));
    setCurrentDialupMode(0);
    actOnCardLink(1, QStringLiteral("555"), 5, false, actions);
    EXPECT_EQ(actions.calls, QStringList({"call +7 (912) 345-67-89 1 1", "call 555 1 0",
                                          "call 1,2 2 1", "addin 5"}));
}

}  // namespace
}  // namespace kontavo
