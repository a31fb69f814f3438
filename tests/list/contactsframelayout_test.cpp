#include "list/contactsframelayout.h"

#include <gtest/gtest.h>

#include "list/smallbarfitter.h"

namespace kontavo {
namespace {

using Rects = ContactsFrameLayout::Rects;

Rects layOut(const Screen& screen, AbcMode mode, bool splitVisible = true, bool sipUp = false,
             int sipTop = 0) {
    ContactsFrameLayout::Input input;
    input.client = QRect(0, 0, screen.scaleX(240), screen.scaleY(268));
    input.abcMode = mode;
    input.splitVisible = splitVisible;
    input.sipUp = sipUp;
    input.sipTop = sipTop;
    input.smallBarHeight = SmallBarFitter::barHeight(false, screen);
    input.bigBarSize = QSize(screen.scaleX(180), screen.scaleY(90));
    return ContactsFrameLayout(screen).compute(input);
}

TEST(ContactsFrameLayoutTest, SmallBarModeAt96And192Dpi) {
    Rects rects = layOut(Screen(96, 96), AbcMode::Small);
    EXPECT_EQ(rects.searchField, QRect(139, 1, 100, 16));
    EXPECT_EQ(rects.categoryButton, QRect(0, 1, 139, 16));
    EXPECT_EQ(rects.smallBar, QRect(0, 17, 240, 20));
    EXPECT_EQ(rects.pane, QRect(0, 37, 240, 231));
    EXPECT_TRUE(rects.smallBarShown);
    EXPECT_FALSE(rects.bigBarShown);
    EXPECT_TRUE(rects.splitterShown);

    rects = layOut(Screen(192, 192), AbcMode::Small);
    EXPECT_EQ(rects.searchField, QRect(278, 2, 200, 32));
    EXPECT_EQ(rects.categoryButton, QRect(0, 2, 278, 32));
    EXPECT_EQ(rects.smallBar, QRect(0, 34, 480, 40));
    EXPECT_EQ(rects.pane, QRect(0, 74, 480, 462));
}

TEST(ContactsFrameLayoutTest, BigBarModeAt96And192Dpi) {
    Rects rects = layOut(Screen(96, 96), AbcMode::Big);
    EXPECT_FALSE(rects.smallBarShown);
    EXPECT_TRUE(rects.bigBarShown);
    EXPECT_EQ(rects.bigBar, QRect(30, 178, 180, 90));
    EXPECT_EQ(rects.pane, QRect(0, 18, 240, 160)) << "a 1-pixel gap instead of the small bar";

    rects = layOut(Screen(192, 192), AbcMode::Big);
    EXPECT_EQ(rects.bigBar, QRect(60, 356, 360, 180));
    EXPECT_EQ(rects.pane, QRect(0, 36, 480, 320));
}

TEST(ContactsFrameLayoutTest, HiddenBarModeAt96And192Dpi) {
    Rects rects = layOut(Screen(96, 96), AbcMode::Hidden);
    EXPECT_FALSE(rects.smallBarShown || rects.bigBarShown);
    EXPECT_EQ(rects.pane, QRect(0, 18, 240, 250));
    rects = layOut(Screen(192, 192), AbcMode::Hidden);
    EXPECT_EQ(rects.pane, QRect(0, 36, 480, 500));
}

TEST(ContactsFrameLayoutTest, ListAloneStopsAtTheSoftInputPanel) {
    Rects rects = layOut(Screen(96, 96), AbcMode::Small, false, true, 150);
    EXPECT_FALSE(rects.splitterShown);
    EXPECT_EQ(rects.pane, QRect(0, 37, 240, 113));
    rects = layOut(Screen(96, 96), AbcMode::Small, false, false, 150);
    EXPECT_EQ(rects.pane.bottom(), 267) << "the panel is down";
    rects = layOut(Screen(96, 96), AbcMode::Small, true, true, 150);
    EXPECT_EQ(rects.pane.bottom(), 267) << "with the card shown the panel covers it";
}

TEST(ContactsFrameLayoutTest, BigBarHidesWhileThePanelIsUp) {
    const Rects rects = layOut(Screen(96, 96), AbcMode::Big, true, true, 150);
    EXPECT_FALSE(rects.bigBarShown);
    EXPECT_EQ(rects.pane, QRect(0, 18, 240, 250));
}

TEST(ContactsFrameLayoutTest, StoredAbcModeOutOfRangeReadsAsSmallBar) {
    EXPECT_EQ(abcModeFromSetting(7), AbcMode::Small);
    EXPECT_EQ(abcModeFromSetting(-1), AbcMode::Small);
    EXPECT_EQ(abcModeFromSetting(1), AbcMode::Big);
    EXPECT_EQ(abcModeFromSetting(2), AbcMode::Hidden);
}

}  // namespace
}  // namespace kontavo
