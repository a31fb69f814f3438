// Measuring and drawing rich texts against the real metrics of a fixed
// monospaced font: line breaks, word wrap, the end ellipsis, alignment, the
// separator's rule, colours and the measure-only box.
#include "card/richtextrenderer.h"

#include <gtest/gtest.h>

#include <QPainter>

#include "card/richfontcache.h"
#include "card/richtextparser.h"
#include "richtestsupport.h"

namespace kontavo {
namespace {

using namespace richflag;

class RichTextRendererTest : public ::testing::Test {
protected:
    RichText measured(const QString& markup) {
        RichText text = RichTextParser::parse(markup, cache);
        text.measure(cache);
        return text;
    }
    // The lines' texts as broken for `chars` characters of width.
    QStringList lines(const QString& markup, int chars, unsigned flags) {
        const RichText text = measured(markup);
        QStringList result;
        for (const RichLine& line : breakRichLines(text, chars * w, flags)) {
            result.append(line.rule ? QStringLiteral("----")
                                    : text.plainText().mid(line.start, line.end - line.start));
        }
        return result;
    }
    // Draws `markup` into a white image at `box`.
    QImage drawn(const QString& markup, QRect box, unsigned flags, QSize size = {200, 60},
                 std::optional<QRgb> fixedColour = std::nullopt) {
        QImage image = test::whiteImage(size);
        QPainter painter(&image);
        RichText text = measured(markup);
        renderer.draw(&painter, text, box, flags, fixedColour);
        return image;
    }

    RichFontCache cache{test::monoFont(), 96};
    RichTextRenderer renderer{cache};
    const int w = test::monoAdvance();
};

TEST_F(RichTextRendererTest, WordWrapBreaksAfterTheLastBlankThatFits) {
    EXPECT_EQ(lines(QStringLiteral("Hello world"), 8, kWordWrap),
              (QStringList{QStringLiteral("Hello"), QStringLiteral("world")}));
    EXPECT_EQ(lines(QStringLiteral("aa bb cc dd"), 6, kWordWrap),
              (QStringList{QStringLiteral("aa bb"), QStringLiteral("cc dd")}))
        << "a blank that overflows ends the line and does not start the next";
    EXPECT_EQ(lines(QStringLiteral("abcdefghij"), 4, kWordWrap),
              (QStringList{QStringLiteral("abcd"), QStringLiteral("efgh"), QStringLiteral("ij")}))
        << "a word longer than the box breaks at the character that overflows";
    EXPECT_EQ(lines(QStringLiteral("ab cdefghij"), 4, kWordWrap),
              (QStringList{QStringLiteral("ab"), QStringLiteral("cdef"), QStringLiteral("ghij")}));
}

TEST_F(RichTextRendererTest, WithoutWordWrapALineBreaksBeforeTheCharacterThatOverflows) {
    EXPECT_EQ(lines(QStringLiteral("Hello world"), 8, 0),
              (QStringList{QStringLiteral("Hello wo"), QStringLiteral("rld")}));
    EXPECT_EQ(lines(QStringLiteral("Hello\nworld"), 40, kSingleLine),
              QStringList{QStringLiteral("Hello\nworld")})
        << "a single line keeps its line feeds as characters";
    EXPECT_EQ(lines(QStringLiteral("x"), 0, kWordWrap), QStringList{QStringLiteral("x")})
        << "a line holds at least one character";
}

TEST_F(RichTextRendererTest, LineBreaksSeparatorsAndPairs) {
    EXPECT_EQ(lines(QStringLiteral("a\r\nb\n\rc\n\nd\re"), 40, kWordWrap),
              (QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QString(),
                           QStringLiteral("d"), QStringLiteral("e")}));
    EXPECT_EQ(lines(QStringLiteral("one<L>two"), 40, kWordWrap),
              (QStringList{QStringLiteral("one"), QStringLiteral("----"), QStringLiteral("two")}));
    EXPECT_EQ(lines(QStringLiteral("one\n<L>two\n"), 40, kWordWrap),
              (QStringList{QStringLiteral("one"), QStringLiteral("----"), QStringLiteral("two")}))
        << "a break before a separator or at the end adds no empty line";
}

TEST_F(RichTextRendererTest, MeasureOnlyGivesTheWidestLineAndTheLinesHeight) {
    RichText text = measured(QStringLiteral("abc\nabcdef\nab"));
    QRect box(3, 4, 100, 0);
    const int height = renderer.draw(nullptr, text, box, kMeasureOnly | kWordWrap);
    const int lineHeight = QFontMetrics(test::monoFont()).height();
    EXPECT_EQ(height, 3 * lineHeight);
    EXPECT_EQ(box, QRect(3, 4, 6 * w, 3 * lineHeight));

    RichText empty;
    QRect none(0, 0, 100, 50);
    EXPECT_EQ(renderer.draw(nullptr, empty, none, kMeasureOnly), 0);
    EXPECT_EQ(none.size(), QSize(0, 0));
}

TEST_F(RichTextRendererTest, EndEllipsisShortensFromTheEndWithThreeDots) {
    const QRect box(0, 0, 7 * w, 20);
    const QImage shortened = drawn(QStringLiteral("abcdefghijkl"), box, kEndEllipsis | kSingleLine);
    // "abcd" as it stands, then the dots after it.
    QImage expected = drawn(QStringLiteral("abcd"), box, kSingleLine);
    {
        QPainter painter(&expected);
        RichText dots = measured(QStringLiteral("..."));
        QRect after(4 * w, 0, 3 * w, 20);
        renderer.draw(&painter, dots, after, kSingleLine);
    }
    EXPECT_EQ(shortened, expected);
    EXPECT_EQ(drawn(QStringLiteral("abcdefg"), box, kEndEllipsis | kSingleLine),
              drawn(QStringLiteral("abcdefg"), box, kSingleLine))
        << "a line that fits is left alone";
}

TEST_F(RichTextRendererTest, EllipsisTakesFewerDotsWhenThreeDoNotFit) {
    const QRect box(0, 0, 2 * w, 20);
    EXPECT_EQ(drawn(QStringLiteral("abcdef"), box, kEndEllipsis | kSingleLine),
              drawn(QStringLiteral(".."), box, kSingleLine));
}

TEST_F(RichTextRendererTest, AlignmentPlacesEachLine) {
    const QRect box(10, 0, 20 * w, 40);
    const QRect row(0, 0, 200, 16);
    const int left = test::firstDarkColumn(drawn(QStringLiteral("xx"), box, 0), row);
    const int right = test::lastDarkColumn(drawn(QStringLiteral("xx"), box, kRight), row);
    const int centre = test::firstDarkColumn(drawn(QStringLiteral("xx"), box, kCentre), row);
    EXPECT_LE(left, 10 + 2);
    EXPECT_GE(right, box.right() - 2);
    EXPECT_LE(right, box.right());
    EXPECT_NEAR(centre, left + 9 * w, 2);

    const int lineHeight = QFontMetrics(test::monoFont()).height();
    const QImage bottom = drawn(QStringLiteral("xx"), box, kBottom);
    EXPECT_EQ(test::darkPixels(bottom, QRect(0, 0, 200, box.height() - lineHeight)), 0);
    EXPECT_GT(test::darkPixels(bottom, QRect(0, box.height() - lineHeight, 200, lineHeight)), 0);
}

TEST_F(RichTextRendererTest, SeparatorDrawsARuleAcrossTheBoxInTheTextColour) {
    const QRect box(5, 0, 150, 60);
    const QImage image = drawn(QStringLiteral("<#FF0000>one<L>two"), box, kWordWrap);
    const int lineHeight = QFontMetrics(test::monoFont()).height();
    const int ruleY = lineHeight + lineHeight / 2;
    EXPECT_EQ(test::pixelsOf(image, qRgb(255, 0, 0), QRect(0, ruleY, 200, 1)), box.width());
    EXPECT_GT(test::darkPixels(image, QRect(0, 2 * lineHeight, 200, lineHeight)) +
                  test::pixelsOf(image, qRgb(255, 0, 0), QRect(0, 2 * lineHeight, 200, lineHeight)),
              0)
        << "the second word on the line after the rule";
}

TEST_F(RichTextRendererTest, MarkupColoursUnlessAFixedColourIsGiven) {
    const QRect box(0, 0, 200, 20);
    const QString email = QStringLiteral("<#004080><I>ab</I></#>cd");
    const QImage coloured = drawn(email, box, 0);
    EXPECT_GT(test::pixelsOf(coloured, qRgb(0x00, 0x40, 0x80), QRect(0, 0, 2 * w + 2, 20)), 0);
    EXPECT_EQ(test::pixelsOf(coloured, qRgb(0x00, 0x40, 0x80), QRect(2 * w + 3, 0, 100, 20)), 0);
    EXPECT_GT(test::pixelsOf(coloured, qRgb(0, 0, 0), QRect(2 * w + 3, 0, 100, 20)), 0);

    const QImage fixed = drawn(email, box, 0, {200, 60}, qRgb(255, 255, 255));
    EXPECT_EQ(test::pixelsOf(fixed, qRgb(0x00, 0x40, 0x80)), 0);
    EXPECT_EQ(test::darkPixels(fixed, fixed.rect()), 0) << "white text on white";
}

TEST_F(RichTextRendererTest, TextIsClippedToItsBoxUnlessNoClipIsSet) {
    const QRect box(0, 0, 3 * w, 20);
    const QRect beyond(3 * w + 1, 0, 100, 20);
    EXPECT_EQ(test::darkPixels(drawn(QStringLiteral("abcdefgh"), box, kSingleLine), beyond), 0);
    EXPECT_GT(
        test::darkPixels(drawn(QStringLiteral("abcdefgh"), box, kSingleLine | kNoClip), beyond), 0);
}

TEST_F(RichTextRendererTest, ABoxNarrowerThanOnePixelDrawsNothing) {
    const QImage image = drawn(QStringLiteral("abc"), QRect(0, 0, 0, 20), kNoClip);
    EXPECT_EQ(test::darkPixels(image, image.rect()), 0);
}

TEST_F(RichTextRendererTest, ASizeTagMakesEveryLineAsHighAsItsTallestFont) {
    RichText text = measured(QStringLiteral("a<P24>b</P>\nc"));
    QRect box(0, 0, 100, 0);
    const int height = renderer.draw(nullptr, text, box, kMeasureOnly | kWordWrap);
    QFont big = test::monoFont();
    big.setPixelSize(24 * 96 / 72);
    EXPECT_EQ(height, 2 * QFontMetrics(big).height());
}

}  // namespace
}  // namespace kontavo
