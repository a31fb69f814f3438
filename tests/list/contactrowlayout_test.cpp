// One-line rows with long details: the name keeps its room, the detail is
// shortened, and an ellipsis is always whole.
#include <gtest/gtest.h>

#include <QFontMetrics>

#include "list/contactrowpainter.h"
#include "ui/sharedfonts.h"

namespace kontavo {
namespace {

// A text column of 100 pixels (box 130 wide: indent 6, tag column 12 + 12).
ContactRowLayout oneLineLayout() {
    return ContactRowLayout(Screen(96, 96), {false, false, false, 12});
}

TEST(ContactRowLayoutTest, NameAndValueShareTheLineByTheirNeeds) {
    const ContactRowLayout layout = oneLineLayout();
    const QRect box(0, 0, 130, 14);
    const int line = 130 - 6 - 24 - layout.nameGap();  // 94
    struct Case {
        const char* name;
        int nameNeeds;
        int valueNeeds;
        int nameWidth;   // the name's rectangle
        int valueWidth;  // the value's rectangle; 0: left out
    };
    const Case cases[] = {
        {"both fit", 40, 30, line - 30, 30},
        {"long value", 60, 90, line / 2, line - line / 2},
        {"long name, short value", 120, 20, line - 20, 20},
        {"short name, long value", 20, 200, 20 + (line - 20 - 74), 74},
        {"no value", 60, 0, line + layout.nameGap(), 0},
        {"value narrower than the dots", 200, 5, line - 5, 5},
    };
    for (const Case& c : cases) {
        const ContactRowLayout::ContactParts parts =
            layout.contactParts(box, {c.nameNeeds, c.valueNeeds, 10, 30});
        EXPECT_EQ(parts.value.width(), c.valueWidth) << c.name;
        EXPECT_EQ(parts.name.width(), c.nameWidth) << c.name;
        EXPECT_EQ(parts.value.right() + 1, parts.tag.left()) << c.name;
        if (c.valueWidth > 0) {
            EXPECT_EQ(parts.name.right() + 1 + layout.nameGap(), parts.value.left()) << c.name;
        }
    }
}

TEST(ContactRowLayoutTest, NarrowRowsKeepAbEllipsisForTheNameAndDropAValueTooNarrowForDots) {
    const ContactRowLayout layout = oneLineLayout();
    // A line of 44 pixels: half would be 22, less than "Ab..." (30).
    const QRect narrow(0, 0, 80, 14);
    ContactRowLayout::ContactParts parts = layout.contactParts(narrow, {60, 90, 10, 30});
    EXPECT_EQ(parts.name.width(), 30);
    EXPECT_EQ(parts.value.width(), 44 - 30);
    // A line of 36: the value would get 6 pixels, less than "...": it goes.
    parts = layout.contactParts(QRect(0, 0, 72, 14), {60, 90, 10, 30});
    EXPECT_EQ(parts.value.width(), 0);
    EXPECT_EQ(parts.name.width(), 72 - 6 - 24);
}

// What a 240-pixel list (less its scroll bar) shows with the list font.
class OneLineRowTest : public ::testing::Test {
protected:
    ContactRowPainter::OneLine show(const QString& name, const QString& value, bool grouped) {
        const ContactRowPainter painter(Screen(96, 96), tahomaFont(11));
        const ContactRowLayout layout(Screen(96, 96),
                                      {false, false, grouped, painter.tagColumnWidth()});
        ContactRowText text;
        text.name = name;
        text.value = value;
        text.tag = u'e';
        text.hasDetail = true;
        return painter.oneLine(QRect(0, 0, 227, painter.rowHeight(false)), layout, text);
    }
    int textWidth(const QString& text) const {
        return QFontMetrics(tahomaFont(11)).horizontalAdvance(text);
    }
};

TEST_F(OneLineRowTest, ALongEmailAddressNoLongerHidesTheName) {
    for (const bool grouped : {false, true}) {
        const ContactRowPainter::OneLine row =
            show(QStringLiteral("Anderson, Patricia"),
                 QStringLiteral("patricia.anderson@example.com"), grouped);
        EXPECT_TRUE(row.name.startsWith(QStringLiteral("Anderson"))) << row.name.toStdString();
        EXPECT_TRUE(row.value.endsWith(QStringLiteral("..."))) << row.value.toStdString();
        EXPECT_TRUE(row.value.startsWith(QStringLiteral("patricia"))) << row.value.toStdString();
        EXPECT_LE(textWidth(row.name), row.nameRect.width());
        EXPECT_LE(textWidth(row.value), row.valueRect.width());
        EXPECT_GE(row.nameRect.width() * 2 + 2, row.nameRect.width() + row.valueRect.width());
    }
    // A row whose texts fit shows both whole.
    const ContactRowPainter::OneLine fits =
        show(QStringLiteral("Bauer, Klaus"), QStringLiteral("+49 08 55590227"), false);
    EXPECT_EQ(fits.name, QStringLiteral("Bauer, Klaus"));
    EXPECT_EQ(fits.value, QStringLiteral("+49 08 55590227"));
}

}  // namespace
}  // namespace kontavo
