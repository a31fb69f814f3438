// Parsing the card's markup: tags complete where they start, letters in
// either case, no nesting, colours and sizes, the separator; literal text
// that is never read as markup; the font cache behind the styles.
#include "card/richtextparser.h"

#include <gtest/gtest.h>

#include "card/richfontcache.h"
#include "card/richmarkup.h"
#include "richtestsupport.h"

namespace kontavo {
namespace {

using namespace richstyle;

class RichTextParserTest : public ::testing::Test {
protected:
    RichText parse(const QString& markup) { return RichTextParser::parse(markup, cache); }
    // The style words of the characters, one per character.
    QList<uint16_t> styles(const RichText& text) {
        QList<uint16_t> result;
        for (const RichChar& c : text.chars()) {
            result.append(c.style);
        }
        return result;
    }

    RichFontCache cache{test::monoFont(), 96};
};

TEST_F(RichTextParserTest, BoldFirstNameThenRegularLastName) {
    const RichText text = parse(QStringLiteral("<B>Ann</B> Lee"));
    EXPECT_EQ(text.plainText(), QStringLiteral("Ann Lee"));
    EXPECT_EQ(styles(text), (QList<uint16_t>{kBold, kBold, kBold, 0, 0, 0, 0}));
    EXPECT_NE(text.at(0).font, text.at(4).font);
    EXPECT_TRUE(cache.font(text.at(0).font).bold());
    EXPECT_FALSE(cache.font(text.at(4).font).bold());
}

TEST_F(RichTextParserTest, EmailMarkupIsItalicDarkBlueAndWhatFollowsBlackUpright) {
    const RichText text = parse(QStringLiteral("<#004080><I>a@b</I></#> x"));
    ASSERT_EQ(text.plainText(), QStringLiteral("a@b x"));
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(text.at(i).colour & 0xFFFFFF, 0x004080u);
        EXPECT_EQ(text.at(i).style, kItalic);
    }
    EXPECT_EQ(text.at(4).colour & 0xFFFFFF, 0u);
    EXPECT_EQ(text.at(4).style, 0);
}

TEST_F(RichTextParserTest, IncompleteOrUnknownTagsAreOrdinaryText) {
    const QStringList literal = {
        QStringLiteral("<X>"),        // unknown letter
        QStringLiteral("a<"),         // less-than at the very end
        QStringLiteral("<B"),         // cut off by the end
        QStringLiteral("</L>"),       // the separator has no closing tag
        QStringLiteral("<#12345>"),   // colour with five digits: ">" is not the 9th
        QStringLiteral("<#12G45Z>"),  // colour with letters that are not hex digits
        QStringLiteral("<P1>"),       // size with one digit
        QStringLiteral("<Px2>"),      // size that is not a number
        QStringLiteral("<BB>"),       // ">" is not the third character
        QStringLiteral("</>"),        // no letter
        QStringLiteral("<>"),
    };
    for (const QString& markup : literal) {
        const RichText text = parse(markup);
        EXPECT_EQ(text.plainText(), markup) << markup.toStdString();
        for (const RichChar& c : text.chars()) {
            EXPECT_EQ(c.style, 0) << markup.toStdString();
        }
    }
}

TEST_F(RichTextParserTest, LetterCaseDoesNotMatter) {
    const RichText lower = parse(QStringLiteral("<b>x</b><i>y</I><u>z</u><s>w</s>"));
    EXPECT_EQ(styles(lower), (QList<uint16_t>{kBold, kItalic, kUnderline, kStrikeOut}));
    EXPECT_EQ(parse(QStringLiteral("a<l>b")).at(1).style, kRule);
    EXPECT_EQ(richstyle::sizeOf(parse(QStringLiteral("<p09>x")).at(0).style), 9);
}

TEST_F(RichTextParserTest, SizeTagSetsPointsAndItsClosingTagTheBaseSize) {
    RichFontCache at192(test::monoFont(), 192);
    const RichText text = RichTextParser::parse(QStringLiteral("a<P12>b</P>c"), at192);
    ASSERT_EQ(text.plainText(), QStringLiteral("abc"));
    EXPECT_EQ(sizeOf(text.at(1).style), 12);
    EXPECT_EQ(at192.font(text.at(1).font).pixelSize(), 12 * 192 / 72);
    EXPECT_EQ(sizeOf(text.at(2).style), 0);
    EXPECT_EQ(at192.font(text.at(2).font).pixelSize(), test::monoFont().pixelSize());
}

TEST_F(RichTextParserTest, SeparatorIsALineFeedThatDrawsARule) {
    const RichText text = parse(QStringLiteral("one<L>two\nthree"));
    EXPECT_EQ(text.plainText(), QStringLiteral("one\ntwo\nthree"));
    EXPECT_EQ(text.at(3).style, kRule) << "the separator's line feed";
    EXPECT_EQ(text.at(7).style, 0) << "a typed line feed";
}

TEST_F(RichTextParserTest, TagsDoNotNest) {
    const RichText text = parse(QStringLiteral("<B><B>a</B>b<I>c</B>d"));
    EXPECT_EQ(styles(text), (QList<uint16_t>{kBold, 0, kItalic, kItalic}));
    const RichText colours = parse(QStringLiteral("<#FF0000>a<#00FF00>b</#>c"));
    EXPECT_EQ(colours.at(0).colour & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(colours.at(1).colour & 0xFFFFFF, 0x00FF00u);
    EXPECT_EQ(colours.at(2).colour & 0xFFFFFF, 0u) << "one closing tag returns to black";
}

TEST_F(RichTextParserTest, EmptyTextAndTagsAloneGiveNoCharacters) {
    EXPECT_TRUE(parse(QString()).isEmpty());
    EXPECT_TRUE(parse(QStringLiteral("<B></B><I><#123456>")).isEmpty());
}

TEST_F(RichTextParserTest, LiteralTextIsNeverReadAsMarkup) {
    RichMarkup markup;
    markup.tags(QStringLiteral("<B>"))
        .text(QStringLiteral("<B>Bob</B> <L> <#FF0000>"))
        .tags(QStringLiteral("</B> <I>x</I>"));
    const RichText text = markup.parse(cache);
    EXPECT_EQ(text.plainText(), QStringLiteral("<B>Bob</B> <L> <#FF0000> x"));
    for (int i = 0; i < 24; ++i) {
        EXPECT_EQ(text.at(i).style, kBold) << "literal character " << i << " in the markup's style";
        EXPECT_EQ(text.at(i).colour & 0xFFFFFF, 0u);
    }
    EXPECT_EQ(text.at(24).style, 0);
    EXPECT_EQ(text.at(25).style, kItalic) << "markup after the literal text still styles";
    EXPECT_EQ(markup.plainText(), text.plainText());
}

TEST_F(RichTextParserTest, ATagNeverSpansMarkupAndLiteralText) {
    RichMarkup markup;
    markup.tags(QStringLiteral("x<")).text(QStringLiteral("B>y"));
    EXPECT_EQ(markup.parse(cache).plainText(), QStringLiteral("x<B>y"));
    EXPECT_EQ(markup.toString(), QStringLiteral("x<B>y"));
}

TEST(RichFontCacheTest, StylesShareAFontByTheirKey) {
    RichFontCache cache(test::monoFont(), 96);
    const uint16_t bold = cache.fontIndex(kBold);
    EXPECT_EQ(cache.fontIndex(kBold | kRule), bold) << "the rule bit does not select a font";
    EXPECT_EQ(cache.fontIndex(kBold | 0x0060), bold) << "bits 4-7 are masked out";
    EXPECT_NE(cache.fontIndex(kBold | (12 << kSizeShift)), bold);
    EXPECT_EQ(cache.count(), 2);
}

TEST(RichFontCacheTest, StartsWithRoomForThirtyAndDoubles) {
    RichFontCache cache(test::monoFont(), 96);
    EXPECT_GE(cache.capacity(), RichFontCache::kInitialCapacity);
    for (int points = 1; points <= 31; ++points) {
        cache.fontIndex(uint16_t(points << kSizeShift));
    }
    EXPECT_EQ(cache.count(), 31);
    EXPECT_GE(cache.capacity(), 2 * RichFontCache::kInitialCapacity);
    EXPECT_EQ(cache.font(cache.fontIndex(uint16_t(31 << kSizeShift))).pixelSize(), 31 * 96 / 72);
}

TEST(RichFontCacheTest, ANewBaseFontRebuildsEveryFontAndTextsMeasureAgain) {
    RichFontCache cache(test::monoFont(), 96);
    RichText text = RichTextParser::parse(QStringLiteral("ab<B>cd"), cache);
    text.measure(cache);
    const int before = text.advances()[0];
    const quint64 generation = cache.generation();

    EXPECT_FALSE(cache.setBaseFont(test::monoFont())) << "the same font changes nothing";
    EXPECT_EQ(cache.generation(), generation);

    QFont larger = test::monoFont();
    larger.setPixelSize(24);
    ASSERT_TRUE(cache.setBaseFont(larger));
    EXPECT_NE(cache.generation(), generation);
    EXPECT_EQ(cache.font(text.at(0).font).pixelSize(), 24);
    EXPECT_TRUE(cache.font(text.at(2).font).bold()) << "entries keep their style";
    text.measure(cache);
    EXPECT_GT(text.advances()[0], before);
    EXPECT_EQ(text.lineHeight(), QFontMetrics(cache.font(text.at(2).font)).height());
}

}  // namespace
}  // namespace kontavo
