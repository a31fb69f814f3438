#include <gtest/gtest.h>

#include <QTest>

#include "framefixture.h"
#include "list/bigabcbar.h"
#include "list/listdownbutton.h"
#include "list/searchedit.h"
#include "list/smallabcbar.h"
#include "list/splitterwnd.h"
#include "listtestsupport.h"

namespace kontavo {
namespace {

QRect inFrame(QWidget* widget, QWidget* frame) {
    return QRect(widget->mapTo(frame, QPoint(0, 0)), widget->size());
}

// The frame's parts at 96 and 192 dpi: the top row, the small bar, and the
// splitter dividing the rest between the list and the card.
class FrameLayoutTest : public ::testing::TestWithParam<int> {
protected:
    FrameLayoutTest() : fixture(GetParam()) {}
    int x(int n) const { return fixture.screen.scaleX(n); }
    int y(int n) const { return fixture.screen.scaleY(n); }

    test::FrameFixture fixture;
};

TEST_P(FrameLayoutTest, TopRowSmallBarAndSplitterFillTheFrame) {
    ASSERT_TRUE(fixture.create());
    ContactsFrame& frame = fixture.frame();
    const int width = x(240);
    const int height = y(294);
    EXPECT_EQ(frame.searchEdit()->geometry(), QRect(width - x(1) - x(100), y(1), x(100), y(16)));
    EXPECT_EQ(frame.categoryButton()->geometry(), QRect(0, y(1), width - x(1) - x(100), y(16)));
    EXPECT_EQ(frame.smallBar()->geometry(), QRect(0, y(17), width, y(20)));
    EXPECT_TRUE(frame.smallBar()->isVisible());
    EXPECT_FALSE(frame.bigBar()->isVisible());

    SplitterWnd* splitter = frame.splitter();
    const int paneHeight = height - y(37);
    EXPECT_EQ(splitter->geometry(), QRect(0, y(37), width, paneHeight));
    // "SplitPercent" 500: the bar halves the pane, the list above, the card below.
    EXPECT_EQ(splitter->barRect(), QRect(0, paneHeight / 2, width, y(18)));
    EXPECT_EQ(inFrame(fixture.listView(), &frame), QRect(0, y(37), width, paneHeight / 2));
    EXPECT_EQ(inFrame(frame.card(), &frame),
              QRect(0, y(37) + paneHeight / 2 + y(18), width, paneHeight - paneHeight / 2 - y(18)));
    test::saveScreenshot(fixture.window, QStringLiteral("frame-layout-%1dpi").arg(GetParam()));
}

TEST_P(FrameLayoutTest, BigBarSitsCentredAtTheBottomAndGivesWayToTheSip) {
    fixture.device.settings().set(settings::kAbcMode, 1);
    ASSERT_TRUE(fixture.create());
    ContactsFrame& frame = fixture.frame();
    const QSize bar = frame.bigBar()->sizeHint();
    const int height = y(294);
    EXPECT_FALSE(frame.smallBar()->isVisible());
    EXPECT_TRUE(frame.bigBar()->isVisible());
    EXPECT_EQ(static_cast<QWidget*>(frame.bigBar())->geometry(),
              QRect((x(240) - bar.width()) / 2, height - bar.height(), bar.width(), bar.height()));
    // The 1-pixel gap replaces the small bar.
    EXPECT_EQ(frame.splitter()->geometry(), QRect(0, y(18), x(240), height - bar.height() - y(18)));

    fixture.host.sip = y(200);
    frame.onSettingChange(224, 0);
    EXPECT_FALSE(frame.bigBar()->isVisible());
    EXPECT_EQ(frame.splitter()->geometry().bottom() + 1, height)
        << "with the card shown the splitter keeps the whole height";
}

TEST_P(FrameLayoutTest, HiddenCardGivesTheListTheRestUpToTheSip) {
    ASSERT_TRUE(fixture.create());
    ContactsFrame& frame = fixture.frame();
    EXPECT_TRUE(frame.handleCommand(ContactsFrame::kCmdSplitVisible, 0));
    EXPECT_FALSE(frame.splitter()->isVisible());
    EXPECT_EQ(inFrame(fixture.listView(), &frame), QRect(0, y(37), x(240), y(294) - y(37)));

    fixture.host.sip = y(200);
    frame.onSettingChange(224, 0);
    EXPECT_EQ(inFrame(fixture.listView(), &frame), QRect(0, y(37), x(240), y(200) - y(37)));

    EXPECT_TRUE(frame.handleCommand(ContactsFrame::kCmdSplitVisibleToo, 0));
    EXPECT_TRUE(frame.splitter()->isVisible());
    EXPECT_EQ(fixture.listView()->parentWidget(), frame.splitter());
}

TEST_P(FrameLayoutTest, ResizingTheFrameRedoesTheLayout) {
    ASSERT_TRUE(fixture.create());
    ContactsFrame& frame = fixture.frame();
    frame.moveFrame(QRect(0, 0, x(320), y(214)));
    EXPECT_EQ(frame.searchEdit()->geometry().right() + 1, x(320) - x(1));
    EXPECT_EQ(frame.smallBar()->width(), x(320));
    EXPECT_EQ(frame.splitter()->geometry().bottom() + 1, y(214));
}

INSTANTIATE_TEST_SUITE_P(Dpi, FrameLayoutTest, ::testing::Values(96, 192),
                         [](const auto& info) { return std::to_string(info.param) + "dpi"; });

}  // namespace
}  // namespace kontavo
