#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "list/bartextmeasurer.h"
#include "list/bigabcbar.h"
#include "list/smallabcbar.h"
#include "listtestsupport.h"

namespace kontavo {
namespace {

AbcBarLabels english() {
    return AbcBarLabels::fromText({"ABC", "DEF", "GHI", "JKL", "MNO", "PQRS", "TUV", "WXYZ"});
}

AbcBarLabels englishRussian() {
    return AbcBarLabels::fromText({QString::fromUtf8("ABC^абвг"), QString::fromUtf8("DEF^дежз"),
                                   QString::fromUtf8("GHI^икл"), QString::fromUtf8("JKL^мноп"),
                                   QString::fromUtf8("MNO^рсту"), QString::fromUtf8("PQRS^фхцч"),
                                   QString::fromUtf8("TUV^шщъы"), QString::fromUtf8("WXYZ^ьэюя")});
}

TEST(AbcBarLabelsTest, AlternateLabelsFollowTheCaret) {
    const AbcBarLabels labels =
        AbcBarLabels::fromText({QString::fromUtf8("ABC^абвг"), QStringLiteral("DEF")});
    EXPECT_EQ(labels.labels, QStringList({"ABC", "DEF"}));
    EXPECT_EQ(labels.alternateLabels, QStringList({QString::fromUtf8("абвг"), QString()}));
    EXPECT_TRUE(labels.hasAlternate);
    EXPECT_FALSE(english().hasAlternate);

    struct GroupSet {  // what a parsed letter-group set offers
        QStringList labels() const { return {"AB"}; }
        QStringList alternateLabels() const { return {QString()}; }
        bool hasAlternate() const { return false; }
    };
    EXPECT_EQ(AbcBarLabels::fromSet(GroupSet()), AbcBarLabels::fromText({"AB"}));
}

// Collects the command ids a bar posts.
struct Posted {
    explicit Posted(AbcBar& bar) : spy(&bar, &AbcBar::commandPosted) {}
    QList<int> ids() {
        QCoreApplication::processEvents();
        QList<int> result;
        for (const QList<QVariant>& call : spy) {
            result.append(call.at(0).toInt());
        }
        spy.clear();
        return result;
    }
    QSignalSpy spy;
};

void tap(QWidget& widget, QPoint pos) {
    QTest::mousePress(&widget, Qt::LeftButton, {}, pos);
    QTest::mouseRelease(&widget, Qt::LeftButton, {}, pos);
}

class SmallAbcBarTest : public ::testing::Test {
protected:
    SmallAbcBarTest() : bar(Screen(96, 96)) {
        bar.setLabels(english());
        bar.resize(240, bar.barHeight());
        EXPECT_TRUE(test::showActive(bar));
    }
    QRect button(int index) const { return bar.currentFit().buttonRects(bar.height())[index]; }
    QTimer* holdTimer() { return bar.findChild<QTimer*>(QStringLiteral("backspaceHold")); }

    SmallAbcBar bar;
};

TEST_F(SmallAbcBarTest, TapOnEachButtonPostsItsCommand) {
    Posted posted(bar);
    for (int index = 0; index <= 8; ++index) {
        tap(bar, button(index).center());
    }
    EXPECT_TRUE(posted.spy.isEmpty()) << "commands are posted, not sent";
    EXPECT_EQ(posted.ids(), QList<int>({0, 1, 2, 3, 4, 5, 6, 7, 8}));
}

TEST_F(SmallAbcBarTest, PenLeavingTheButtonPostsNothing) {
    Posted posted(bar);
    QTest::mousePress(&bar, Qt::LeftButton, {}, button(2).center());
    QTest::mouseMove(&bar, button(4).center());
    const QRect face = button(2).adjusted(2, 2, -2, -2);
    EXPECT_EQ(bar.grab().toImage().pixel(face.topLeft()), qRgb(0xF2, 0xF2, 0xF2))
        << "drawn normal while the pen is elsewhere";
    QTest::mouseMove(&bar, button(2).center());
    EXPECT_EQ(bar.grab().toImage().pixel(face.topLeft()), qRgb(0x85, 0x85, 0x85));
    QTest::mouseMove(&bar, button(3).center());
    QTest::mouseRelease(&bar, Qt::LeftButton, {}, button(3).center());
    EXPECT_TRUE(posted.ids().isEmpty());
}

TEST_F(SmallAbcBarTest, ShortTapOnBackspaceRemovesOneAndHoldingClearsAll) {
    Posted posted(bar);
    tap(bar, button(8).center());
    EXPECT_EQ(posted.ids(), QList<int>{8});

    QTest::mousePress(&bar, Qt::LeftButton, {}, button(8).center());
    ASSERT_TRUE(holdTimer()->isActive());
    EXPECT_EQ(holdTimer()->interval(), 500);
    QTRY_COMPARE_WITH_TIMEOUT(posted.spy.size(), 1, 5000);
    QTest::mouseRelease(&bar, Qt::LeftButton, {}, button(8).center());
    EXPECT_EQ(posted.ids(), QList<int>{9}) << "clear all, and nothing for the pen up";
}

TEST_F(SmallAbcBarTest, GroupsLookDeeperWithEachPressUpToThree) {
    const auto faceOf = [this](int group) {
        return bar.grab().toImage().pixel(button(group).adjusted(2, 2, -2, -2).topLeft());
    };
    bar.groupAppended(1);
    EXPECT_EQ(faceOf(1), qRgb(0xC4, 0xC4, 0xC4));
    bar.groupAppended(1);
    EXPECT_EQ(faceOf(1), qRgb(0xAD, 0xAD, 0xAD));
    bar.groupAppended(1);
    bar.groupAppended(1);
    EXPECT_EQ(bar.pressCount(1), 4);
    EXPECT_EQ(faceOf(1), qRgb(0x85, 0x85, 0x85));
    bar.groupRemoved(2);
    EXPECT_EQ(bar.pressCount(2), 0) << "never below 0";
    bar.resetPresses();
    EXPECT_EQ(faceOf(1), qRgb(0xF2, 0xF2, 0xF2));
}

TEST_F(SmallAbcBarTest, NewLabelsRebuildTheButtons) {
    bar.groupAppended(0);
    bar.setLabels(AbcBarLabels::fromText({"AB", "CD", "EF"}));
    EXPECT_EQ(bar.currentFit().widths.size(), 4);
    EXPECT_EQ(bar.pressCount(0), 0);
    Posted posted(bar);
    tap(bar, button(3).center());
    EXPECT_EQ(posted.ids(), QList<int>{3}) << "backspace is now command 3";
    bar.setLabels(englishRussian());
    EXPECT_EQ(bar.barHeight(), 26);
}

// Width = characters x pixels; a line is 3 pixels taller than the characters.
class FakeMeasurer : public BarTextMeasurer {
public:
    int textWidth(int pixels, const QString& text) const override {
        return int(text.size()) * pixels;
    }
    int lineHeight(int pixels) const override { return pixels + 3; }
};

TEST(SmallBarFitterTest, FontShrinksUntilTheButtonsFit) {
    const FakeMeasurer measurer;
    const SmallBarFit fit = SmallBarFitter(Screen(96, 96), measurer).fit(english(), 240, {16, 12});
    EXPECT_EQ(fit.fontPixels, 7);
    EXPECT_EQ(fit.widths, QList<int>({25, 25, 25, 25, 25, 32, 25, 32, 26}))
        << "the 6 spare pixels are fewer than 2 per button: all go to the last";
}

TEST(SmallBarFitterTest, DoubleResolutionScalesHeightsAndMargins) {
    const FakeMeasurer measurer;
    const SmallBarFit fit =
        SmallBarFitter(Screen(192, 192), measurer).fit(english(), 480, {32, 24});
    EXPECT_EQ(fit.fontPixels, 14);
    EXPECT_EQ(fit.widths.last(), 40 + 12);
}

TEST(SmallBarFitterTest, SpareWidthIsSharedInEvenSteps) {
    const FakeMeasurer measurer;
    const SmallBarFit fit = SmallBarFitter(Screen(96, 96), measurer)
                                .fit(AbcBarLabels::fromText({"AB", "CD"}), 240, {16, 12});
    EXPECT_EQ(fit.fontPixels, 10);
    EXPECT_EQ(fit.widths, QList<int>({80, 80, 80})) << "56 each of 172, the last 4 more";
}

TEST(SmallBarFitterTest, AlternateLabelsNeedTwoLinesInTheTallerBar) {
    const FakeMeasurer measurer;
    const SmallBarFit fit =
        SmallBarFitter(Screen(96, 96), measurer)
            .fit(AbcBarLabels::fromText({QString::fromUtf8("AB^абвгд")}), 240, {16, 12});
    EXPECT_EQ(fit.fontPixels, 8) << "2 x 11 + 4 fits 26";
    EXPECT_EQ(fit.widths, QList<int>({132, 108})) << "the wider alternate label counts";
}

TEST(SmallBarFitterTest, FiveIsTheSmallestFontEvenWhenNothingFits) {
    const FakeMeasurer measurer;
    const SmallBarFit fit = SmallBarFitter(Screen(96, 96), measurer).fit(english(), 50, {16, 12});
    EXPECT_EQ(fit.fontPixels, 5);
    EXPECT_EQ(fit.widths.first(), 19);
}

void checkRealFit(const Screen& screen, const AbcBarLabels& labels, const QString& name) {
    SmallAbcBar bar(screen);
    bar.setLabels(labels);
    bar.resize(screen.scaleX(240), bar.barHeight());
    ASSERT_TRUE(test::showActive(bar));
    bar.groupAppended(1);
    bar.groupAppended(3);
    bar.groupAppended(3);
    const SmallBarFit& fit = bar.currentFit();
    int total = 0;
    const FontBarTextMeasurer measurer;
    for (int group = 0; group < labels.groupCount(); ++group) {
        EXPECT_GE(fit.widths[group],
                  measurer.textWidth(fit.fontPixels, labels.labels[group]) + screen.scaleX(4));
        total += fit.widths[group];
    }
    EXPECT_EQ(total + fit.widths.last(), bar.width());
    EXPECT_LE(fit.fontPixels, screen.scaleY(10));
    EXPECT_GE(fit.fontPixels, 5);
    test::saveScreenshot(bar, name);
}

TEST(SmallAbcBarScreenshotTest, FitsTheBarAt240And480Pixels) {
    checkRealFit(Screen(96, 96), english(), QStringLiteral("smallbar-96"));
    checkRealFit(Screen(192, 192), english(), QStringLiteral("smallbar-192"));
    checkRealFit(Screen(96, 96), englishRussian(), QStringLiteral("smallbar-alternate-96"));
    checkRealFit(Screen(192, 192), englishRussian(), QStringLiteral("smallbar-alternate-192"));
}

class BigAbcBarTest : public ::testing::Test {
protected:
    BigAbcBarTest() : bar(Screen(96, 96)) {
        bar.setLabels(english());
        bar.resize(bar.sizeHint());
        EXPECT_TRUE(test::showActive(bar));
    }
    QPoint cell(int index) const { return bar.geometry().cellRect(index).center(); }

    BigAbcBar bar;
};

TEST_F(BigAbcBarTest, KeypadCellsPostBackspaceAndTheirGroups) {
    EXPECT_EQ(bar.sizeHint(), QSize(180, 90));
    Posted posted(bar);
    for (int index = 0; index < 9; ++index) {
        tap(bar, cell(index));
    }
    EXPECT_EQ(posted.ids(), QList<int>({8, 0, 1, 2, 3, 4, 5, 6, 7}));
}

TEST_F(BigAbcBarTest, CellsWithoutAGroupAreNoButtons) {
    bar.setLabels(AbcBarLabels::fromText({"AB", "CD", "EF"}));
    Posted posted(bar);
    tap(bar, cell(5));
    tap(bar, cell(3));
    tap(bar, cell(0));
    EXPECT_EQ(posted.ids(), QList<int>({2, 3}));
}

TEST_F(BigAbcBarTest, HoldingBackspaceClearsAll) {
    Posted posted(bar);
    QTest::mousePress(&bar, Qt::LeftButton, {}, cell(0));
    QTRY_COMPARE_WITH_TIMEOUT(posted.spy.size(), 1, 5000);
    QTest::mouseRelease(&bar, Qt::LeftButton, {}, cell(0));
    EXPECT_EQ(posted.ids(), QList<int>{9});
}

int pixelsOfColour(const QImage& image, QRgb colour) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            count += image.pixel(x, y) == colour ? 1 : 0;
        }
    }
    return count;
}

TEST_F(BigAbcBarTest, DisabledBarDrawsGreyLabels) {
    EXPECT_GT(pixelsOfColour(bar.grab().toImage(), qRgb(0x4A, 0x4A, 0x4A)), 20);
    bar.setEnabled(false);
    const QImage image = bar.grab().toImage();
    EXPECT_GT(pixelsOfColour(image, qRgb(0x80, 0x80, 0x80)), 20);
    Posted posted(bar);
    tap(bar, cell(1));
    EXPECT_TRUE(posted.ids().isEmpty());
}

void screenshotBigBar(const Screen& screen, const QString& name) {
    BigAbcBar bar(screen);
    bar.setLabels(englishRussian());
    bar.resize(bar.sizeHint());
    ASSERT_TRUE(test::showActive(bar));
    EXPECT_EQ(bar.sizeHint(), QSize(screen.scaleX(180), screen.scaleY(90)));
    bar.groupAppended(0);
    bar.groupAppended(4);
    bar.groupAppended(4);
    QTest::mousePress(&bar, Qt::LeftButton, {}, bar.geometry().cellRect(0).center());
    test::saveScreenshot(bar, name);
    QTest::mouseRelease(&bar, Qt::LeftButton, {}, bar.geometry().cellRect(0).center());
}

TEST(BigAbcBarScreenshotTest, KeypadAt96And192Dpi) {
    screenshotBigBar(Screen(96, 96), QStringLiteral("bigbar-96"));
    screenshotBigBar(Screen(192, 192), QStringLiteral("bigbar-192"));
}

}  // namespace
}  // namespace kontavo
