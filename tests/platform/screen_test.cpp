#include <gtest/gtest.h>

#include "platform/screen.h"

namespace kontavo {
namespace {

TEST(ScreenTest, ScalesLengthsWithRounding) {
    constexpr Screen normal(96, 96);
    constexpr Screen doubled(192, 192);
    EXPECT_EQ(normal.scaleY(26), 26);
    EXPECT_EQ(doubled.scaleY(26), 52);
    EXPECT_EQ(Screen(131, 131).scaleX(5), 7);  // (5*131+48)/96 = 7.3
    EXPECT_FALSE(normal.isHighResolution());
    EXPECT_TRUE(doubled.isHighResolution());
    EXPECT_EQ(normal.pointsToPixels(8), 11);
    EXPECT_EQ(doubled.pointsToPixels(8), 21);
}

TEST(ScreenTest, CurrentScreenIsReplaceable) {
    const Screen saved = Screen::current();
    Screen::setCurrent(Screen(192, 192));
    EXPECT_EQ(Screen::current().dpiY(), 192);
    Screen::setCurrent(saved);
}

}  // namespace
}  // namespace kontavo
