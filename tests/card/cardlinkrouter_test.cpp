// What a tapped card line does through the contact actions.
#include "card/cardlinkrouter.h"

#include <gtest/gtest.h>

#include "card/templategroup.h"
#include "support/recordingactions.h"

namespace kontavo {
namespace {

TEST(CardLinkRouterTest, EachKindOfLineGoesToItsAction) {
    test::RecordingActions actions;
    const CardLinkRouter router(&actions, DialMethod::JustCall);
    EXPECT_TRUE(router.activate({kGroupPhone, "555-1000", {}}, 7, false));
    EXPECT_TRUE(router.activate({kGroupPhone, "555-1000", {}}, 7, true));
    EXPECT_TRUE(router.activate({kGroupEMail, "a@b.c", {}}, 7, false));
    EXPECT_TRUE(router.activate({kGroupWeb, "www.x.org", {}}, 7, false));
    EXPECT_TRUE(router.activate({kGroupLink, "x.pdf", "\\My Documents\\x.pdf"}, 7, false));
    for (const int type : {kGroupMsg, kGroupOffice, kGroupAddr, kGroupCategory, kGroupPeople,
                           kGroupDate, kGroupOther, kGroupNotes, kGroupName}) {
        EXPECT_FALSE(router.activate({type, "x", {}}, 7, false)) << type;
    }
    EXPECT_EQ(actions.calls, QStringList({"call 555-1000 1 1", "call 555-1000 1 0", "mail a@b.c",
                                          "url www.x.org", "file \\My Documents\\x.pdf"}))
        << "the Talk key does not bring up the phone application first";
}

TEST(CardLinkRouterTest, CallsFollowTheDialMethod) {
    test::RecordingActions actions;
    CardLinkRouter router(&actions, DialMethod::None);
    EXPECT_TRUE(router.activate({kGroupPhone, "555", {}}, 7, false)) << "a phone line still acts";
    router.setDialMethod(DialMethod::Sound);
    router.activate({kGroupPhone, "555", {}}, 7, false);
    router.setDialMethod(DialMethod::AddIn);
    router.activate({kGroupPhone, "555", {}}, 7, false);
    EXPECT_EQ(actions.calls, QStringList({"call 555 2 1", "addin 7"}));
}

}  // namespace
}  // namespace kontavo
