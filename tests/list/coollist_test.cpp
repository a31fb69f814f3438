#include "list/coollist.h"

#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>

#include "listtestsupport.h"

namespace kontavo {
namespace {

// 240 x 200 pixels, rows of 20: ten whole rows show.
class CoolListTest : public ::testing::Test {
protected:
    explicit CoolListTest(const Screen& screen = Screen(96, 96)) : list(screen) {
        list.setOwner(&owner);
        list.resize(240, 200);
        list.setRowHeight(20);
        list.setRowCount(50, false);
        EXPECT_TRUE(test::showActive(list));
        owner.events.clear();
    }

    // A point on `row`, 10 pixels in, in the middle of its height.
    QPoint onRow(int row) const { return QPoint(10, list.rowBox(row).top() + 10); }
    void tap(QPoint pos) {
        QTest::mousePress(&list, Qt::LeftButton, {}, pos);
        QTest::mouseRelease(&list, Qt::LeftButton, {}, pos);
    }
    void press(int key, Qt::KeyboardModifiers modifiers = {}) {
        QTest::keyClick(&list, Qt::Key(key), modifiers);
    }
    QTimer* timer(const char* name) { return list.findChild<QTimer*>(QString::fromLatin1(name)); }

    test::RecordingOwner owner;
    CoolList list;
};

TEST_F(CoolListTest, TapMakesTheRowTheOnlySelectedAndFocusRow) {
    list.setSelected(7, true);
    tap(onRow(3));
    EXPECT_EQ(list.selectedRows(), QList<int>{3});
    EXPECT_EQ(list.focusRow(), 3);
    EXPECT_EQ(owner.events, QStringList({"focus 3", "tapped 3 0"}));

    owner.events.clear();
    tap(onRow(3));
    EXPECT_EQ(owner.events, QStringList({"tapped 3 1"})) << "a second tap on a selected row";
}

TEST_F(CoolListTest, PenMovedFivePixelsIsStillATap) {
    const QPoint down = onRow(2);
    QTest::mousePress(&list, Qt::LeftButton, {}, down);
    QTest::mouseMove(&list, down + QPoint(5, 0));
    QTest::mouseMove(&list, down + QPoint(0, 5));
    QTest::mouseRelease(&list, Qt::LeftButton, {}, down + QPoint(5, 5));
    EXPECT_EQ(owner.events, QStringList({"focus 2", "tapped 2 0"}));
    EXPECT_EQ(list.selectedRows(), QList<int>{2});
}

TEST_F(CoolListTest, PenMovedSixPixelsSelectsTheDraggedRange) {
    list.setSelected(9, true);
    const QPoint down = onRow(2);
    QTest::mousePress(&list, Qt::LeftButton, {}, down);
    QTest::mouseMove(&list, down + QPoint(0, 6));
    EXPECT_EQ(list.selectedRows(), QList<int>{2}) << "the drag replaces the selection";
    EXPECT_FALSE(timer("longPress")->isActive());

    QTest::mouseMove(&list, onRow(5));
    EXPECT_EQ(list.selectedRows(), QList<int>({2, 3, 4, 5}));
    QTest::mouseMove(&list, onRow(0));
    EXPECT_EQ(list.selectedRows(), QList<int>({0, 1, 2})) << "rows leave and enter the range";
    QTest::mouseRelease(&list, Qt::LeftButton, {}, onRow(0));
    EXPECT_EQ(list.selectedRows(), QList<int>({0, 1, 2}));
    EXPECT_EQ(owner.events, QStringList({"focus 2"})) << "a drag is no tap";
}

TEST_F(CoolListTest, DraggingBeyondTheBottomScrollsOneRowPerMove) {
    const QPoint down = onRow(8);
    QTest::mousePress(&list, Qt::LeftButton, {}, down);
    QTest::mouseMove(&list, QPoint(10, 210));
    QTest::mouseMove(&list, QPoint(10, 211));
    QTest::mouseMove(&list, QPoint(10, 212));
    EXPECT_EQ(list.topRow(), 3);
    EXPECT_EQ(list.selectedRows(), QList<int>({8, 9, 10, 11, 12}));
    QTest::mouseMove(&list, QPoint(10, -3));
    EXPECT_EQ(list.topRow(), 2) << "above the top edge it scrolls back";
    QTest::mouseRelease(&list, Qt::LeftButton, {}, QPoint(10, -3));
}

TEST_F(CoolListTest, HoldingThePenStillIsALongPressAndSelectsNothing) {
    const QPoint down = onRow(4);
    QTest::mousePress(&list, Qt::LeftButton, {}, down);
    QTimer* longPress = timer("longPress");
    ASSERT_TRUE(longPress->isActive());
    EXPECT_EQ(longPress->interval(), 400);
    EXPECT_TRUE(longPress->isSingleShot());
    QTRY_COMPARE_WITH_TIMEOUT(owner.events.size(), 2, 5000);
    EXPECT_EQ(owner.events.last(), QStringLiteral("longpress 10,90"));
    QTest::mouseRelease(&list, Qt::LeftButton, {}, down);
    EXPECT_TRUE(list.selectedRows().isEmpty());
    EXPECT_EQ(owner.events, QStringList({"focus 4", "longpress 10,90"}));
}

TEST_F(CoolListTest, OwnerHitTestTakesTheTapBeforeAnySelection) {
    owner.takeTapsFromX = 200;
    const QPoint down(220, list.rowBox(6).top() + 5);
    QTest::mousePress(&list, Qt::LeftButton, {}, down);
    EXPECT_FALSE(timer("longPress")->isActive());
    QTest::mouseRelease(&list, Qt::LeftButton, {}, down);
    EXPECT_TRUE(list.selectedRows().isEmpty());
    EXPECT_EQ(owner.events, QStringList({"focus 6", "hittest 220,125"}));
}

TEST_F(CoolListTest, TapBelowTheLastRowSelectsNothing) {
    list.setRowCount(3, false);
    list.setSelected(1, true);
    tap(QPoint(10, 150));
    EXPECT_EQ(list.selectedRows(), QList<int>{1});
    EXPECT_TRUE(owner.events.isEmpty());
}

TEST_F(CoolListTest, ArrowPageHomeAndEndKeysMoveTheFocus) {
    press(Qt::Key_Down);
    EXPECT_EQ(list.focusRow(), 0);
    press(Qt::Key_Down);
    press(Qt::Key_PageDown);
    EXPECT_EQ(list.focusRow(), 11) << "a page is the ten whole rows that fit";
    press(Qt::Key_Up);
    press(Qt::Key_End);
    EXPECT_EQ(list.focusRow(), 49);
    press(Qt::Key_PageDown);
    EXPECT_EQ(list.focusRow(), 49) << "clamped at the last row";
    press(Qt::Key_PageUp);
    press(Qt::Key_Home);
    EXPECT_EQ(list.focusRow(), 0);
    press(Qt::Key_Home);
    EXPECT_EQ(owner.events, QStringList({"focus 0", "focus 1", "focus 11", "focus 10", "focus 49",
                                         "focus 39", "focus 0"}));
}

TEST_F(CoolListTest, PageDownOnTheLastPageGoesToTheLastRow) {
    list.setRowCount(15, false, 12);
    press(Qt::Key_PageDown);
    EXPECT_EQ(list.focusRow(), 14);
}

TEST_F(CoolListTest, FocusJustBelowTheViewScrollsByOneRow) {
    list.setRowCount(50, false, 9);
    press(Qt::Key_Down);
    EXPECT_EQ(list.topRow(), 1);
    EXPECT_EQ(list.pixelOffset(), 0);
    press(Qt::Key_Up);
    EXPECT_EQ(list.topRow(), 1) << "row 9 is still in view";
    list.setRowCount(50, false, 1);
    list.scrollIntoView(20);
    EXPECT_EQ(list.topRow(), 11);
    press(Qt::Key_Up);
    EXPECT_EQ(list.topRow(), 0) << "a row far outside the view jumps into it";
}

TEST_F(CoolListTest, HeldKeyMovesOnceForTheRepeatsThatPiledUp) {
    for (int repeat = 0; repeat < 5; ++repeat) {
        QCoreApplication::postEvent(
            &list, new QKeyEvent(QEvent::KeyPress, Qt::Key_Down, {}, QString(), repeat > 0));
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(list.focusRow(), 0);
    QCoreApplication::processEvents();  // the loop comes round
    QTest::simulateEvent(&list, true, Qt::Key_Down, {}, QString(), true);
    EXPECT_EQ(list.focusRow(), 1) << "a repeat after the loop came round acts again";
}

TEST_F(CoolListTest, EnterActivatesTheFocusRow) {
    list.setRowCount(50, false, 4);
    press(Qt::Key_Return);
    EXPECT_EQ(owner.events, QStringList({"activate 4"}));
}

TEST_F(CoolListTest, ActionKeyActivatesWhenReleasedAndLongPressesWhenHeld) {
    list.setRowCount(50, false, 2);
    QTest::keyPress(&list, Qt::Key_Return, Qt::ControlModifier);
    QTimer* action = timer("actionKey");
    ASSERT_TRUE(action->isActive());
    EXPECT_EQ(action->interval(), 400);
    QTest::keyRelease(&list, Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(owner.events, QStringList({"activate 2"}));

    owner.events.clear();
    QTest::keyPress(&list, Qt::Key_Return, Qt::ControlModifier);
    QTRY_COMPARE_WITH_TIMEOUT(owner.events.size(), 1, 5000);
    QTest::keyRelease(&list, Qt::Key_Return);  // Ctrl let go first
    const QPoint middle = list.rowBox(2).center();
    EXPECT_EQ(owner.events,
              QStringList({QStringLiteral("longpress %1,%2").arg(middle.x()).arg(middle.y())}));
}

TEST_F(CoolListTest, OtherKeysGoToTheOwner) {
    press(Qt::Key_K);
    press(Qt::Key_5, Qt::KeypadModifier);
    EXPECT_EQ(owner.events, QStringList({"key 75 k", "key 101 5"}));
}

TEST_F(CoolListTest, ScrollBarFollowsCountAndPosition) {
    QScrollBar* bar = list.scrollBar();
    EXPECT_TRUE(bar->isVisible());
    EXPECT_EQ(bar->maximum(), 40);
    EXPECT_EQ(bar->pageStep(), 10);
    list.scrollIntoView(49);
    EXPECT_EQ(list.topRow(), 40);
    list.setRowHeight(30);  // 6 whole rows and a part of a seventh
    list.scrollIntoView(49);
    EXPECT_EQ(list.topRow(), 43);
    EXPECT_EQ(list.pixelOffset(), 10);
    EXPECT_EQ(bar->value(), 44) << "top row + 1 while the first row is partly scrolled";
    bar->setValue(5);
    EXPECT_EQ(list.topRow(), 5);
    list.setRowCount(6, true);
    EXPECT_FALSE(bar->isVisible()) << "all rows fit";
}

TEST_F(CoolListTest, WheelScrollsThreeRowsPerNotch) {
    QWheelEvent down(QPointF(10, 10), list.mapToGlobal(QPointF(10, 10)), QPoint(), QPoint(0, -120),
                     Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(&list, &down);
    EXPECT_EQ(list.topRow(), 3);
    EXPECT_EQ(list.scrollBar()->value(), 3);
}

TEST_F(CoolListTest, RowsAreDrawnWithSelectionAndFocusBits) {
    list.setSelected(1, true);
    list.repaint();
    EXPECT_EQ(owner.drawnStates.value(1), 0x7u);
    EXPECT_EQ(owner.drawnStates.value(2), 0x2u);
    list.clearFocus();
    list.repaint();
    EXPECT_EQ(owner.drawnStates.value(1), 0x5u);
}

TEST_F(CoolListTest, EmptyListIsWhite) {
    list.setRowCount(0, false);
    list.setTopBorder(true);
    const QImage image = list.grab().toImage();
    EXPECT_EQ(image.pixelColor(120, 100), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(5, 199), QColor(Qt::white));
    EXPECT_EQ(image.pixel(120, 0), qRgb(0x63, 0x63, 0x63)) << "the top border line";
}

TEST(SelectionBitsTest, RowsPackThirtyTwoToAWord) {
    SelectionBits bits;
    bits.resize(33);
    ASSERT_EQ(bits.words().size(), 2);
    bits.set(32, true);
    bits.set(0, true);
    bits.set(33, true);  // outside: ignored
    EXPECT_EQ(bits.words()[1], 1u);
    EXPECT_EQ(bits.words()[0], 1u);
    EXPECT_EQ(bits.selectedRows(), QList<int>({0, 32}));
    bits.resize(32);
    EXPECT_EQ(bits.words().size(), 1);
    bits.resize(33);
    EXPECT_FALSE(bits.isSelected(32)) << "a row dropped by a resize comes back unselected";
}

class CoolListHighResTest : public CoolListTest {
protected:
    CoolListHighResTest() : CoolListTest(Screen(192, 192)) {}
};

TEST_F(CoolListHighResTest, DragThresholdScalesWithTheScreen) {
    const QPoint down = onRow(2);
    QTest::mousePress(&list, Qt::LeftButton, {}, down);
    QTest::mouseMove(&list, down + QPoint(10, 0));
    QTest::mouseRelease(&list, Qt::LeftButton, {}, down + QPoint(10, 0));
    EXPECT_EQ(owner.events.last(), QStringLiteral("tapped 2 0"));
    QTest::mousePress(&list, Qt::LeftButton, {}, down);
    QTest::mouseMove(&list, down + QPoint(11, 0));
    QTest::mouseRelease(&list, Qt::LeftButton, {}, down + QPoint(11, 0));
    EXPECT_EQ(owner.events.last(), QStringLiteral("tapped 2 0")) << "no second tap: a drag";
}

void screenshotSampleList(const Screen& screen, const QString& name) {
    test::RecordingOwner owner;
    CoolList list(screen);
    list.setOwner(&owner);
    list.resize(screen.scaleX(240), screen.scaleY(160));
    list.setRowHeight(screen.scaleY(15));
    list.setRowCount(40, false, 2);
    list.setTopBorder(true);
    ASSERT_TRUE(test::showActive(list));
    list.selectOnly(2);
    list.scrollIntoView(2);
    const QImage image = test::saveScreenshot(list, name);
    EXPECT_EQ(image.width(), screen.scaleX(240));
    const QRect selected = list.rowBox(2);
    EXPECT_EQ(image.pixel(1, selected.center().y()), qRgb(0x00, 0x00, 0x82));
    EXPECT_TRUE(list.scrollBar()->isVisible());
}

TEST(CoolListScreenshotTest, SampleListAt96And192Dpi) {
    screenshotSampleList(Screen(96, 96), QStringLiteral("coollist-96"));
    screenshotSampleList(Screen(192, 192), QStringLiteral("coollist-192"));
}

}  // namespace
}  // namespace kontavo
