#include "comm/dialmethod.h"

#include <gtest/gtest.h>

#include "store/settings/settingsstore.h"
#include "support/recordingactions.h"
#include "support/tempdevice.h"

namespace kontavo {
namespace {

TEST(DialMethodTest, StoredIdsNameTheMethodsAndAnythingElseDialsNothing) {
    EXPECT_EQ(dialMethodOf(41235), DialMethod::JustCall);
    EXPECT_EQ(dialMethodOf(41236), DialMethod::Sound);
    EXPECT_EQ(dialMethodOf(41237), DialMethod::AddIn);
    for (const int32_t other : {41296, 0, -1, 1, 41238}) {
        EXPECT_EQ(dialMethodOf(other), DialMethod::None) << other;
    }
}

TEST(DialMethodTest, StartupDefaultFollowsTheDeviceAndIsWrittenBack) {
    EXPECT_EQ(startupDialupMode(0, true, true), 41235);
    EXPECT_EQ(startupDialupMode(0, false, true), 41237);
    EXPECT_EQ(startupDialupMode(-3, false, false), 41296);
    EXPECT_EQ(startupDialupMode(41237, true, false), 41237);
    EXPECT_EQ(startupDialupMode(1, true, false), 1) << "any value of 1 or more stays";

    test::TempDevice device;
    EXPECT_EQ(initDialMethod(device.settings(), false, false), kDialNone);
    EXPECT_EQ(device.settings().get(settings::kDialupMode), kDialNone);
    EXPECT_EQ(currentDialupMode(), kDialNone);
    device.settings().set(settings::kDialupMode, kDialSound);
    EXPECT_EQ(currentDialupMode(), kDialNone) << "the cached copy changes only when read";
    EXPECT_EQ(readDialMethod(device.settings()), kDialSound);
    EXPECT_EQ(currentDialupMode(), kDialSound);
}

TEST(DialMethodTest, RoutingByMethod) {
    test::RecordingActions actions;
    routeCall(DialMethod::None, "555", 7, &actions);
    routeCall(DialMethod::JustCall, "", 7, &actions);
    EXPECT_TRUE(actions.calls.isEmpty()) << "None and an empty number dial nothing";
    routeCall(DialMethod::JustCall, "555", 7, &actions);
    routeCall(DialMethod::JustCall, "556", 7, &actions, false);
    routeCall(DialMethod::Sound, "12,3", 7, &actions);
    routeCall(DialMethod::AddIn, "", 7, &actions);
    EXPECT_EQ(actions.calls,
              QStringList({"call 555 1 1", "call 556 1 0", "call 12,3 2 1", "addin 7"}))
        << "the phone application first unless asked otherwise";
    routeCall(DialMethod::JustCall, "555", 7, nullptr);  // no actions: nothing happens
}

}  // namespace
}  // namespace kontavo
