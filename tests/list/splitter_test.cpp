#include <gtest/gtest.h>

#include <QLabel>
#include <QSignalSpy>
#include <QTest>

#include "list/coollist.h"
#include "list/splitterwnd.h"
#include "listtestsupport.h"
#include "support/tempdevice.h"

namespace kontavo {
namespace {

// A 240 x 200 splitter at 96 dpi: the bar is 18 high, snaps within 12.
class SplitterTest : public ::testing::Test {
protected:
    SplitterTest() : splitter(Screen(96, 96)) {
        splitter.resize(240, 200);
        splitter.setPanes(list, card);
        splitter.loadSettings(device.settings());
        EXPECT_TRUE(test::showActive(splitter));
    }
    // Presses the bar 5 pixels below its top and drags the pen to each y.
    void drag(std::initializer_list<int> penYs) {
        const int grip = splitter.barRect().top() + 5;
        QTest::mousePress(&splitter, Qt::LeftButton, {}, QPoint(50, grip));
        int last = grip;
        for (const int y : penYs) {
            QTest::mouseMove(&splitter, QPoint(50, y));
            last = y;
        }
        QTest::mouseRelease(&splitter, Qt::LeftButton, {}, QPoint(50, last));
    }
    void doubleTap() {
        QTest::mouseDClick(&splitter, Qt::LeftButton, {}, QPoint(50, splitter.barRect().top() + 5));
    }
    int barTop() const { return splitter.barRect().top(); }
    SplitMode mode() const { return splitter.state().mode(); }

    test::TempDevice device;
    QWidget* list = new QWidget;
    QWidget* card = new QWidget;
    SplitterWnd splitter;
};

TEST_F(SplitterTest, DefaultsPutTheBarHalfWayAndShareTheRest) {
    EXPECT_EQ(mode(), SplitMode::Proportional);
    EXPECT_EQ(barTop(), 100);
    EXPECT_EQ(list->geometry(), QRect(0, 0, 240, 100));
    EXPECT_EQ(card->geometry(), QRect(0, 118, 240, 82));
}

TEST_F(SplitterTest, DraggedBarFollowsThePenAndSnapsWithinTwelvePixels) {
    drag({155});
    EXPECT_EQ(barTop(), 150);
    EXPECT_EQ(list->height(), 150);
    drag({17});
    EXPECT_EQ(mode(), SplitMode::Proportional) << "12 pixels from the top does not snap";
    EXPECT_EQ(barTop(), 12);
    drag({16});
    EXPECT_EQ(mode(), SplitMode::Top);
    EXPECT_EQ(barTop(), 0);
    EXPECT_EQ(list->height(), 0);
    EXPECT_EQ(card->geometry(), QRect(0, 18, 240, 182));
    drag({175});
    EXPECT_EQ(mode(), SplitMode::Proportional) << "ends 12 pixels above the bottom";
    EXPECT_EQ(barTop(), 170);
    drag({176});
    EXPECT_EQ(mode(), SplitMode::Bottom);
    EXPECT_EQ(barTop(), 183);
    EXPECT_EQ(card->height(), 0);
}

TEST_F(SplitterTest, DragIsConfinedToTheArea) {
    drag({120, 900});
    EXPECT_EQ(mode(), SplitMode::Bottom);
    drag({120, -300});
    EXPECT_EQ(mode(), SplitMode::Top);
}

TEST_F(SplitterTest, ClosingWritesPercentModeAndVisibility) {
    drag({155});
    splitter.state().setVisible(false);
    splitter.saveSettings(device.settings());
    EXPECT_EQ(device.settings().get(settings::kSplitPercent), 750);
    EXPECT_EQ(device.settings().get(settings::kSplitMode), 2);
    EXPECT_EQ(device.settings().get(settings::kSplitVisible), 0);
    drag({121, 3});
    splitter.saveSettings(device.settings());
    EXPECT_EQ(device.settings().get(settings::kSplitPercent), 580) << "the last proportional place";
    EXPECT_EQ(device.settings().get(settings::kSplitMode), 0);
}

TEST_F(SplitterTest, SavedPlaceComesBackAtAnotherHeight) {
    drag({155});
    splitter.saveSettings(device.settings());
    SplitterWnd reopened{Screen(96, 96)};
    reopened.resize(240, 400);
    reopened.loadSettings(device.settings());
    EXPECT_EQ(reopened.barRect().top(), 300);
    splitter.resize(240, 100);
    EXPECT_EQ(barTop(), 75) << "a resize keeps the proportion";
}

TEST_F(SplitterTest, StoredValuesOutOfRangeReadAsDefaults) {
    device.settings().set(settings::kSplitPercent, 2000);
    device.settings().set(settings::kSplitMode, 7);
    splitter.loadSettings(device.settings());
    EXPECT_EQ(mode(), SplitMode::Proportional);
    EXPECT_EQ(barTop(), 100);
}

TEST_F(SplitterTest, DoubleTapTogglesBetweenTopAndItsPlace) {
    drag({65});
    doubleTap();
    EXPECT_EQ(mode(), SplitMode::Top);
    doubleTap();
    EXPECT_EQ(mode(), SplitMode::Proportional);
    EXPECT_EQ(barTop(), 60) << "the same proportion as before";

    drag({190});
    ASSERT_EQ(mode(), SplitMode::Bottom);
    doubleTap();
    EXPECT_EQ(mode(), SplitMode::Top);
    doubleTap();
    EXPECT_EQ(barTop(), 183) << "the bottom place was kept as the proportion";
}

TEST_F(SplitterTest, ArrowsRequestThePreviousAndNextContactWhenEnabled) {
    QSignalSpy previous(&splitter, &SplitterWnd::previousRequested);
    QSignalSpy next(&splitter, &SplitterWnd::nextRequested);
    EXPECT_EQ(splitter.nextArrowRect(), QRect(224, 100, 16, 18));
    EXPECT_EQ(splitter.previousArrowRect(), QRect(208, 100, 16, 18));
    QTest::mouseClick(&splitter, Qt::LeftButton, {}, splitter.nextArrowRect().center());
    EXPECT_EQ(next.size(), 0) << "disabled";
    splitter.setArrowsEnabled(true, true);
    QTest::mouseClick(&splitter, Qt::LeftButton, {}, splitter.nextArrowRect().center());
    QTest::mouseClick(&splitter, Qt::LeftButton, {}, splitter.previousArrowRect().center());
    EXPECT_EQ(next.size(), 1);
    EXPECT_EQ(previous.size(), 1);
    EXPECT_EQ(barTop(), 100) << "a tap on an arrow moves no bar";
}

void screenshotSplitter(const Screen& screen, const QString& name) {
    test::RecordingOwner owner;
    SplitterWnd splitter(screen);
    auto* list = new CoolList(screen);
    auto* card = new QLabel(QStringLiteral("Chen, Carla\nWork: +49 30 1014"));
    card->setAutoFillBackground(true);
    card->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    list->setOwner(&owner);
    list->setRowHeight(screen.scaleY(15));
    list->setRowCount(20, false, 2);
    list->selectOnly(2);
    splitter.resize(screen.scaleX(240), screen.scaleY(200));
    splitter.setPanes(list, card);
    splitter.setCaption(QStringLiteral("Contact 3 of 20"));
    splitter.setArrowsEnabled(true, false);
    ASSERT_TRUE(test::showActive(splitter));
    EXPECT_EQ(splitter.barRect(),
              QRect(0, screen.scaleY(100), screen.scaleX(240), screen.scaleY(18)));
    test::saveScreenshot(splitter, name);
    list->setOwner(nullptr);
}

TEST(SplitterScreenshotTest, BarWithCaptionAndArrowsAt96And192Dpi) {
    screenshotSplitter(Screen(96, 96), QStringLiteral("splitter-96"));
    screenshotSplitter(Screen(192, 192), QStringLiteral("splitter-192"));
}

}  // namespace
}  // namespace kontavo
