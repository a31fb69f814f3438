// Where pop-ups go on the 240 x 320 screen, and how menu items give up
// room when a menu would be wider than the screen.
#include "ui/popupplacement.h"

#include <gtest/gtest.h>

#include "ui/menutextfit.h"

namespace kontavo {
namespace {

const QRect kScreen(100, 50, 240, 320);  // the program's window on the display

TEST(PopupPlacementTest, MenusStayOnTheScreen) {
    struct Case {
        const char* name;
        QPoint requested;
        QSize size;
        QRect expected;
    };
    const Case cases[] = {
        {"fits", {150, 100}, {80, 60}, {150, 100, 80, 60}},
        {"past the right edge", {300, 100}, {80, 60}, {260, 100, 80, 60}},
        {"past the bottom", {150, 340}, {80, 60}, {150, 310, 80, 60}},
        {"left of the screen", {20, 100}, {80, 60}, {100, 100, 80, 60}},
        {"above the screen", {150, 0}, {80, 60}, {150, 50, 80, 60}},
        {"wider than the screen", {150, 100}, {300, 60}, {100, 100, 300, 60}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(placePopup(kScreen, c.requested, c.size), c.expected) << c.name;
    }
}

TEST(PopupPlacementTest, SubmenusOpenRightThenLeftThenOverTheirParent) {
    const QRect item(0, 120, 0, 20);
    // Room on the right.
    EXPECT_EQ(placeSubmenu(kScreen, QRect(110, 100, 80, 100), item.adjusted(110, 0, 190, 0),
                           QSize(100, 60)),
              QRect(190, 120, 100, 60));
    // No room on the right: to the left of the parent.
    EXPECT_EQ(placeSubmenu(kScreen, QRect(240, 100, 90, 100), item, QSize(100, 60)),
              QRect(140, 120, 100, 60));
    // Room on neither side: over the parent, at the screen's right edge.
    EXPECT_EQ(placeSubmenu(kScreen, QRect(150, 100, 160, 100), item, QSize(150, 60)),
              QRect(190, 120, 150, 60));
    // An item low on the screen: the submenu moves up to stay on it.
    EXPECT_EQ(
        placeSubmenu(kScreen, QRect(110, 100, 80, 260), QRect(110, 340, 80, 20), QSize(100, 90))
            .bottom(),
        kScreen.bottom());
}

TEST(PopupPlacementTest, BoxesGoInTheMiddle) {
    EXPECT_EQ(centerOnScreen(kScreen, QSize(200, 100)), QRect(120, 160, 200, 100));
    EXPECT_EQ(centerOnScreen(kScreen, QSize(300, 100)).left(), kScreen.left());
}

// Every character is 10 pixels wide.
int tenEach(const QString& text) {
    return int(text.size()) * 10;
}

int widest(const QList<MenuItemText>& items, bool values) {
    int width = 0;
    for (const MenuItemText& item : items) {
        width = std::max(width, tenEach(values ? item.value : item.label));
    }
    return width;
}

TEST(MenuTextFitTest, TwoColumnItemsShortenTheValueFirstAndTheLabelDownToHalf) {
    const QList<MenuItemText> items = {MenuItemText::split("E-mail\tpatricia.anderson@example.com"),
                                       MenuItemText::split("E-mail 2\tp.anderson93@example.com")};
    ASSERT_EQ(items[0], (MenuItemText{"E-mail", "patricia.anderson@example.com"}));
    // Labels 80 wide, values 290: 120 must go; the value column gives it.
    const QList<MenuItemText> fitted = fitMenuTexts(items, 120, tenEach);
    EXPECT_EQ(fitted[0].label, "E-mail");
    EXPECT_EQ(fitted[1].label, "E-mail 2");
    EXPECT_TRUE(fitted[0].value.endsWith("...")) << fitted[0].value.toStdString();
    EXPECT_LE(widest(fitted, false) + widest(fitted, true), 370 - 120);
    EXPECT_EQ(fitted[1].joined().count(u'\t'), 1);

    // When the value column alone cannot give enough, the label shortens
    // down to half of what is left.
    const QList<MenuItemText> tight = fitMenuTexts(items, 280, tenEach);
    EXPECT_LE(widest(tight, false) + widest(tight, true), 370 - 280);
    EXPECT_GE(widest(tight, false), 40);
    EXPECT_TRUE(tight[1].label.endsWith("...")) << tight[1].label.toStdString();
}

TEST(MenuTextFitTest, OneColumnItemsAndMenusThatFitStayWhole) {
    const QList<MenuItemText> items = {{"Make Appointment...", {}}, {"Delete", {}}};
    EXPECT_EQ(fitMenuTexts(items, 0, tenEach), items);
    const QList<MenuItemText> fitted = fitMenuTexts(items, 60, tenEach);
    EXPECT_EQ(fitted[0].label, "Make Appoi...");
    EXPECT_EQ(fitted[1].label, "Delete");
    EXPECT_TRUE(fitted[0].value.isEmpty());
}

}  // namespace
}  // namespace kontavo
