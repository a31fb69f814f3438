// The rich list's rules over items of different heights: keys through short
// and tall items, paging, pen taps and drags.
#include "card/richlistcontroller.h"

#include <gtest/gtest.h>

#include "platform/keymap.h"

namespace kontavo {
namespace {

class FakeSurface final : public RichListSurface {
public:
    void redrawAll() override { ++redraws; }
    void redrawItem(int index) override { items.append(index); }
    void takeFocus() override { ++focusTaken; }

    int redraws = 0;
    QList<int> items;
    int focusTaken = 0;
};

// Items 20, 20, 150 (taller than the view), 20, 20 pixels high in a view
// 100 pixels high, stepping 10 pixels through the tall one.
class RichListControllerTest : public ::testing::Test {
protected:
    void SetUp() override {
        RichListController::Listener listener;
        listener.activated = [this](int index) { activated.append(index); };
        listener.focusChanged = [this](int index) { focused.append(index); };
        controller.setListener(listener);
        controller.setClientHeight(100);
        controller.setLineStep(10);
        controller.setHeights({20, 20, 150, 20, 20}, false);
    }
    void key(int virtualKey, int times = 1) {
        for (int i = 0; i < times; ++i) {
            EXPECT_TRUE(controller.keyDown(virtualKey, false));
        }
    }

    FakeSurface surface;
    RichListController controller{surface, Screen(96, 96)};
    QList<int> activated;
    QList<int> focused;
};

TEST_F(RichListControllerTest, ItemsStackFromTheTop) {
    EXPECT_EQ(controller.contentHeight(), 230);
    EXPECT_EQ(controller.maxPosition(), 130);
    EXPECT_EQ(controller.itemAt(0), 0);
    EXPECT_EQ(controller.itemAt(39), 1);
    EXPECT_EQ(controller.itemAt(40), 2);
    EXPECT_EQ(controller.itemAt(100), -1) << "below the view";
    controller.scrollTo(500);
    EXPECT_EQ(controller.position(), 130) << "never past the last item";
    EXPECT_EQ(controller.itemAt(99), 4);
    EXPECT_EQ(controller.itemTop(4), 80);
}

TEST_F(RichListControllerTest, DownStepsThroughATallItemBeforeMovingOn) {
    key(vk::kDown);
    EXPECT_EQ(controller.focusItem(), 0) << "the first Down focuses the first item";
    key(vk::kDown, 2);
    EXPECT_EQ(controller.focusItem(), 2);
    EXPECT_EQ(controller.position(), 40) << "a tall item shows its top";
    key(vk::kDown);
    EXPECT_EQ(controller.focusItem(), 2);
    EXPECT_EQ(controller.position(), 50);
    key(vk::kDown, 4);
    EXPECT_EQ(controller.position(), 90) << "until its end is in view";
    key(vk::kDown);
    EXPECT_EQ(controller.focusItem(), 3);
    EXPECT_EQ(controller.position(), 110);
    key(vk::kDown, 3);
    EXPECT_EQ(controller.focusItem(), 4) << "the last item stays";
    EXPECT_EQ(focused, (QList<int>{0, 1, 2, 3, 4}));
}

TEST_F(RichListControllerTest, UpIntoATallItemShowsItsEndAndStepsBackThroughIt) {
    key(vk::kEnd);
    EXPECT_EQ(controller.focusItem(), 4);
    EXPECT_EQ(controller.position(), 130);
    key(vk::kUp, 2);
    EXPECT_EQ(controller.focusItem(), 2);
    EXPECT_EQ(controller.position(), 90) << "its end at the bottom of the view";
    key(vk::kUp, 5);
    EXPECT_EQ(controller.position(), 40);
    EXPECT_EQ(controller.focusItem(), 2);
    key(vk::kUp);
    EXPECT_EQ(controller.focusItem(), 1);
    key(vk::kHome);
    EXPECT_EQ(controller.focusItem(), 0);
    EXPECT_EQ(controller.position(), 0);
}

TEST_F(RichListControllerTest, PagesScrollByTheViewAndFocusTheItemAtTheEdge) {
    key(vk::kPageDown);
    EXPECT_EQ(controller.position(), 100);
    EXPECT_EQ(controller.focusItem(), 3) << "the item at the bottom of the new page";
    key(vk::kPageDown);
    EXPECT_EQ(controller.position(), 130);
    EXPECT_EQ(controller.focusItem(), 4);
    key(vk::kPageUp);
    EXPECT_EQ(controller.position(), 30);
    EXPECT_EQ(controller.focusItem(), 1) << "the item at the top of the new page";
    key(vk::kPageUp);
    key(vk::kPageUp);
    EXPECT_EQ(controller.position(), 0);
    EXPECT_EQ(controller.focusItem(), 0) << "at the top the first item";
}

TEST_F(RichListControllerTest, EnterAndTheActionKeyActivateTheFocusItem) {
    key(vk::kReturn);
    EXPECT_TRUE(activated.isEmpty()) << "nothing focused yet";
    key(vk::kDown, 2);
    key(vk::kReturn);
    key(vk::kAction);
    EXPECT_TRUE(controller.keyDown(vk::kAction, true));
    EXPECT_EQ(activated, (QList<int>{1, 1})) << "an auto-repeat does not activate again";
    EXPECT_FALSE(controller.keyDown(vk::kLeft, false)) << "left to the owner";
    EXPECT_FALSE(controller.keyDown('A', false));
}

TEST_F(RichListControllerTest, ATapActivatesTheItemThePenWentDownOn) {
    controller.penDown({10, 25});
    EXPECT_EQ(surface.focusTaken, 1);
    EXPECT_EQ(controller.focusItem(), 1) << "pen down focuses";
    controller.penMove({13, 28});
    controller.penUp({13, 28});
    EXPECT_EQ(activated, QList<int>{1});

    controller.penDown({10, 25});
    controller.penUp({10, 45});
    EXPECT_EQ(activated, QList<int>{1}) << "lifted over another item: no tap";

    controller.penDown({10, 95});
    EXPECT_EQ(controller.focusItem(), 2);
    EXPECT_EQ(controller.position(), 0) << "the pen does not scroll the item into view";
}

TEST_F(RichListControllerTest, ADragScrollsTheContentAndIsNoTap) {
    controller.penDown({10, 90});
    controller.penMove({10, 84});
    EXPECT_EQ(controller.position(), 6) << "more than 5 pixels is a drag";
    controller.penMove({10, 30});
    EXPECT_EQ(controller.position(), 60);
    controller.penUp({10, 30});
    EXPECT_TRUE(activated.isEmpty());
}

TEST_F(RichListControllerTest, NewHeightsKeepOrResetThePosition) {
    key(vk::kEnd);
    controller.setHeights({20, 20, 150, 20, 20, 20}, true);
    EXPECT_EQ(controller.position(), 130);
    EXPECT_EQ(controller.focusItem(), 4);
    controller.setHeights({20, 20}, true);
    EXPECT_EQ(controller.position(), 0);
    EXPECT_EQ(controller.focusItem(), -1) << "the focus item is gone";
    controller.setHeights({20, 20, 150, 20, 20}, false);
    EXPECT_EQ(controller.position(), 0);
    EXPECT_EQ(controller.focusItem(), -1);
}

}  // namespace
}  // namespace kontavo
