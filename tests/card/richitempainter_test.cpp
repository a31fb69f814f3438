// The rich items' geometry and looks: label column and its ".." shortening,
// heights by kind, the icon's room, selection colours, lengths by the DPI.
#include "card/richitempainter.h"

#include <gtest/gtest.h>

#include <QPainter>

#include "card/richfontcache.h"
#include "card/richitem.h"
#include "card/richtextparser.h"
#include "richtestsupport.h"

namespace kontavo {
namespace {

class RichItemPainterTest : public ::testing::TestWithParam<int> {
protected:
    int dpi() const { return GetParam(); }
    RichItem textItem(const QString& label, const QString& markup) {
        RichItem item;
        item.label = label;
        item.text = RichTextParser::parse(markup, cache);
        return item;
    }
    int lineHeight() const { return QFontMetrics(test::monoFont()).height(); }
    int width(const QString& text) const {
        return QFontMetrics(test::monoFont()).horizontalAdvance(text);
    }

    Screen screen{GetParam(), GetParam()};
    RichFontCache cache{test::monoFont(), GetParam()};
    RichItemPainter painter{cache, screen, test::monoFont()};
    const int w = test::monoAdvance();
};

TEST_P(RichItemPainterTest, LabelColumnFitsTheWidestLabelUpToTwoFifths) {
    QList<RichItem> items{textItem(QStringLiteral("Work"), QStringLiteral("1")),
                          textItem(QStringLiteral("Anniversary"), QStringLiteral("2"))};
    EXPECT_EQ(painter.labelColumn(items, 1000),
              width(QStringLiteral("Anniversary")) + 2 * screen.scaleX(5));
    EXPECT_EQ(painter.labelColumn(items, 100), 40);
    EXPECT_EQ(painter.labelColumn({textItem(QString(), QStringLiteral("x"))}, 100), 0);
}

TEST_P(RichItemPainterTest, ALongLabelEndsInTwoDotsUntilItFits) {
    const QString label = QStringLiteral("Anniversary");
    EXPECT_EQ(painter.fitLabel(label, width(label)), label);
    EXPECT_EQ(painter.fitLabel(label, width(label) - 1), QStringLiteral("Annivers.."))
        << "each step drops one more character before the two dots";
    EXPECT_EQ(painter.fitLabel(label, width(QStringLiteral("Annivers.."))),
              QStringLiteral("Annivers.."));
    EXPECT_EQ(painter.fitLabel(label, width(QStringLiteral("A.."))), QStringLiteral("A.."));
    EXPECT_EQ(painter.fitLabel(label, w), QStringLiteral(".."));
}

TEST_P(RichItemPainterTest, HeightsByKind) {
    const int width = screen.scaleX(240);
    RichItem line = textItem(QStringLiteral("Work"), QStringLiteral("555"));
    EXPECT_EQ(painter.measure(line, width, 50), lineHeight() + screen.scaleY(2));

    RichItem empty = textItem(QStringLiteral("Work"), QString());
    EXPECT_EQ(painter.measure(empty, width, 50), 0) << "no text, no height";

    RichItem header;
    header.kind = RichItemKind::Header;
    header.text = RichTextParser::parse(QStringLiteral("<B>Ann</B>"), cache);
    header.pictureSize = QSize(40, 40);
    header.spacing = 1;
    EXPECT_EQ(painter.measure(header, width, 0), 40 + screen.scaleY(3) + screen.scaleY(2) + 1)
        << "at least the picture and 3 pixels";

    RichItem note;
    note.kind = RichItemKind::Separator;
    note.label = QStringLiteral("Note");
    note.text = RichTextParser::parse(QStringLiteral("a\nb"), cache);
    EXPECT_EQ(painter.measure(note, width, 0), lineHeight() + 2 * lineHeight() + screen.scaleY(2))
        << "the caption line, then the note";
}

TEST_P(RichItemPainterTest, TextWrapsInsideTheColumnsAndLeavesRoomForTheIcon) {
    const QRect box(0, 0, screen.scaleX(240), 50);
    RichItem line = textItem(QStringLiteral("Work"), QStringLiteral("x"));
    const QRect text = painter.textBox(line, box, 60);
    EXPECT_EQ(text.left(), 60 + screen.scaleX(5));
    EXPECT_EQ(text.right(), box.right() - screen.scaleX(5));
    line.picture = QPixmap(screen.scaleX(16), screen.scaleY(16));
    EXPECT_EQ(painter.textBox(line, box, 60).right(),
              box.right() - screen.scaleX(5) - screen.scaleX(16) - screen.scaleX(2));

    // A text that needs two lines at that width is measured two lines high.
    const int chars = painter.textBox(line, box, 60).width() / w;
    line.text =
        RichTextParser::parse(QString(chars, QLatin1Char('x')) + QStringLiteral(" yy"), cache);
    EXPECT_EQ(painter.measure(line, box.width(), 60), 2 * lineHeight() + screen.scaleY(2));
}

TEST_P(RichItemPainterTest, SelectionColoursWithAndWithoutFocus) {
    RichItem line = textItem(QStringLiteral("E-mail"), QStringLiteral("<#004080>a@b</#>"));
    const QRect box(0, 0, 200, painter.measure(line, 200, 60));
    auto drawAs = [&](bool selected, bool focused) {
        QImage image = test::whiteImage(box.size());
        QPainter p(&image);
        painter.draw(p, line, box, 60, selected, focused);
        return image;
    };
    const QImage plain = drawAs(false, false);
    EXPECT_GT(test::pixelsOf(plain, qRgb(255, 255, 255)), box.width() * box.height() / 2);
    EXPECT_GT(test::pixelsOf(plain, qRgb(0x00, 0x40, 0x80)), 0) << "markup colour";
    EXPECT_GT(test::pixelsOf(plain, qRgb(0x7F, 0x7F, 0x7F), QRect(0, 0, 60, box.height())), 0)
        << "grey label";

    const QImage focused = drawAs(true, true);
    EXPECT_GT(test::pixelsOf(focused, qRgb(0x00, 0x00, 0x82)), box.width() * box.height() / 2);
    EXPECT_EQ(test::pixelsOf(focused, qRgb(0x00, 0x40, 0x80)), 0) << "markup colours ignored";
    EXPECT_GT(test::pixelsOf(focused, qRgb(255, 255, 255), QRect(0, 0, 60, box.height())), 0)
        << "white label";

    const QImage unfocused = drawAs(true, false);
    EXPECT_GT(test::pixelsOf(unfocused, qRgb(0xBF, 0xBF, 0xBF)), box.width() * box.height() / 2);
    EXPECT_GT(test::pixelsOf(unfocused, qRgb(0, 0, 0), QRect(60, 0, 140, box.height())), 0)
        << "black text";
    EXPECT_EQ(test::pixelsOf(unfocused, qRgb(0x00, 0x40, 0x80)), 0);
}

TEST_P(RichItemPainterTest, SeparatorCaptionBetweenTwoRules) {
    RichItem note;
    note.kind = RichItemKind::Separator;
    note.label = QStringLiteral("Note");
    note.text = RichTextParser::parse(QStringLiteral("x"), cache);
    const QRect box(0, 0, 200, painter.measure(note, 200, 0));
    QImage image = test::whiteImage(box.size());
    QPainter p(&image);
    painter.draw(p, note, box, 0, false, false);
    // The rules lie on the row of the caption line that is greyest.
    int y = 0;
    for (int row = 0; row < lineHeight(); ++row) {
        if (test::pixelsOf(image, RichItemPainter::kLabelColour, QRect(0, row, 200, 1)) >
            test::pixelsOf(image, RichItemPainter::kLabelColour, QRect(0, y, 200, 1))) {
            y = row;
        }
    }
    EXPECT_NEAR(y, lineHeight() / 2, 1) << "at mid-height";
    const int grey = test::pixelsOf(image, RichItemPainter::kLabelColour, QRect(0, y, 200, 1));
    const int caption = QFontMetrics(test::monoFont()).horizontalAdvance(QStringLiteral("Note"));
    EXPECT_GE(grey, 200 - caption - 4 * screen.scaleX(5) - 2);
    EXPECT_EQ(
        test::pixelsOf(image, RichItemPainter::kLabelColour, QRect(0, y, screen.scaleX(5), 1)), 0)
        << "the rules stop 5 pixels inside the edges";
}

INSTANTIATE_TEST_SUITE_P(Dpi, RichItemPainterTest, ::testing::Values(96, 192));

}  // namespace
}  // namespace kontavo
