#include "store/blockparser.h"

#include <gtest/gtest.h>

#include "store/blockescape.h"

namespace kontavo {
namespace {

ExtendedProperties parsed(const QString& content) {
    const auto props = parseBlockContent(content);
    EXPECT_TRUE(props.has_value()) << content.toStdString();
    return props.value_or(ExtendedProperties());
}

FileTime day(int y, int m, int d) {
    return fileTimeFromDate(QDate(y, m, d)).value();
}

TEST(BlockEscapeTest, EscapesTheFiveSpecialsAndLeavesLoneBackslashes) {
    EXPECT_EQ(escapeBlockText(u"a[b]c;d:e\\f"), QStringLiteral("a\\[b\\]c\\;d\\:e\\\\f"));
    EXPECT_EQ(unescapeBlockText(u"a\\[b\\]c\\;d\\:e\\\\f"), QStringLiteral("a[b]c;d:e\\f"));
    EXPECT_EQ(unescapeBlockText(u"C\\x\\"), QStringLiteral("C\\x\\"));
}

TEST(BlockEscapeTest, PreparedTextKeepsFourteenBitsBeforeEscaping) {
    // U+405B keeps 0x005B, a "[" that must be escaped like any other.
    EXPECT_EQ(prepareBlockText(u"x\u405By"), QStringLiteral("x\\[y"));
    EXPECT_EQ(
        prepareBlockText(QStringLiteral("a") + QChar(0) + QChar(0x8000) + QStringLiteral("b")),
        QStringLiteral("ab"));
    EXPECT_EQ(prepareBlockText(u"\u4E2D"), QString(QChar(0x0E2D)));
}

TEST(BlockParserTest, ReadsEverySectionCaseInsensitively) {
    const ExtendedProperties props = parsed(
        "PHONE: [Dacha: 123] email:[Old: a@b]\n"
        "Messenger: [Work: ICQ; 555]\nWebPage: [Blog: http\\://x]\n"
        "People: [Boss: Ann]\nDate: [Met: 2001.02.03]\nLink: [Song: \\\\My Documents\\\\a.mp3]\n"
        "OtherProp: [Shoe: 42]\nImage: [Ann_Berg.bmp]");
    EXPECT_EQ(props.phones, QList<LabeledValue>({{"Dacha", "123"}}));
    EXPECT_EQ(props.emails, QList<LabeledValue>({{"Old", "a@b"}}));
    EXPECT_EQ(props.messengers, QList<MessengerEntry>({{"Work", "555", "ICQ"}}));
    EXPECT_EQ(props.webPages, QList<LabeledValue>({{"Blog", "http://x"}}));
    EXPECT_EQ(props.people, QList<LabeledValue>({{"Boss", "Ann"}}));
    EXPECT_EQ(props.dates, QList<ExtendedDate>({{"Met", day(2001, 2, 3)}}));
    EXPECT_EQ(props.links, QList<LabeledValue>({{"Song", "\\My Documents\\a.mp3"}}));
    EXPECT_EQ(props.otherProps, QList<LabeledValue>({{"Shoe", "42"}}));
    EXPECT_EQ(props.image, QStringLiteral("Ann_Berg.bmp"));
}

TEST(BlockParserTest, EscapedSpecialsStayInsideTheirWords) {
    const ExtendedProperties props = parsed("Phone: [a\\: b: c\\]d\\;e\\[f] [x: C\\path\\\\]");
    EXPECT_EQ(props.phones, QList<LabeledValue>({{"a: b", "c]d;e[f"}, {"x", "C\\path\\"}}));
}

TEST(BlockParserTest, ValuesAreTrimmedAndEmptyOnesDropped) {
    const ExtendedProperties props =
        parsed("Phone:\n [  Work  :   1 2   ]\n[Home:]\n[Cell:   ]\nMessenger: [IM: AOL; ]");
    EXPECT_EQ(props.phones, QList<LabeledValue>({{"Work", "1 2"}}));
    EXPECT_TRUE(props.messengers.isEmpty());
}

TEST(BlockParserTest, StandardAddressFormatsNeedTheExactLabelAndDigits) {
    const ExtendedProperties props = parsed(
        "Address: [Home: 54] [Business: 7] [Other: 0012] [Home: abc] [home: 9]"
        "[Dacha: Lane 1; Town; ; 123; RU; 5] [Flat: Main St 2] [Empty: ; ; ; ; ; 3]");
    EXPECT_EQ(props.homeAddressFormat, 54u);
    EXPECT_EQ(props.workAddressFormat, 7u);
    EXPECT_EQ(props.otherAddressFormat, 12u);
    ASSERT_EQ(props.addresses.size(), 4);
    EXPECT_EQ(props.addresses[0].label, QStringLiteral("Home"));
    EXPECT_EQ(props.addresses[0].parts[0], QStringLiteral("abc"));
    EXPECT_EQ(props.addresses[1].parts[0], QStringLiteral("9")) << "labels match with case";
    const ExtendedAddress dacha{"Dacha", {"Lane 1", "Town", "", "123", "RU"}, 5};
    EXPECT_EQ(props.addresses[2], dacha);
    EXPECT_EQ(props.addresses[3], (ExtendedAddress{"Flat", {"Main St 2"}, 0}));
}

TEST(BlockParserTest, MalformedAddressesAreSkippedUpToTheirBracket) {
    const ExtendedProperties props =
        parsed("Address: [A: 1; 2; 3; 4; 5; 6; 7] [B: s; ; ; ; ; x1] [C: s; ; ; ; ; ] [D: t]");
    ASSERT_EQ(props.addresses.size(), 2);
    EXPECT_EQ(props.addresses[0].label, QStringLiteral("C"));
    EXPECT_EQ(props.addresses[1].label, QStringLiteral("D"));
}

TEST(BlockParserTest, DatesNeedTenCharactersWithDigitsInPlace) {
    const ExtendedProperties props = parsed(
        "Date: [A: 2001-02-03] [B: 2001.02.30] [C: 03.02.2001] [D: 1600.12.31] [E: 1601.01.01]"
        "[F: 2001.2.3] [G: 9999.12.31]");
    EXPECT_EQ(props.dates,
              QList<ExtendedDate>({{"A", day(2001, 2, 3)}, {"E", 0}, {"G", day(9999, 12, 31)}}));
}

TEST(BlockParserTest, LabelsMustBeginWithALetterOrDigit) {
    const ExtendedProperties props = parsed("Phone: [+Work: 1] [: 2] [9th: 3] [Ж: 4]");
    EXPECT_EQ(props.phones, QList<LabeledValue>({{"9th", "3"}, {"Ж", "4"}}));
}

TEST(BlockParserTest, AMalformedEntryResumesAfterItsBracket) {
    const ExtendedProperties props = parsed("Phone: [Work 1] [Home: 2 [x] [Cell: 3]");
    EXPECT_EQ(props.phones, QList<LabeledValue>({{"Cell", "3"}}));
}

TEST(BlockParserTest, UnreadableBlocksFail) {
    const char* const bad[] = {
        "Fax: [a: 1]",          // unknown section
        "Phone: hello",         // text outside brackets that is no header
        "Phone: [a: 1] [b: 2",  // no closing bracket left
        "Phone [a: 1]",         // header without colon
        "1Phone: [a: 1]",       // a section name begins with a letter
        ": [a: 1]",
        "Phone: ] [a: 1]",
    };
    for (const char* content : bad) {
        EXPECT_FALSE(parseBlockContent(QString::fromUtf8(content)).has_value()) << content;
    }
}

TEST(BlockParserTest, BlankContentAndEmptySectionsSucceed) {
    EXPECT_TRUE(parsed(" \r\n\t ").isEmpty());
    EXPECT_TRUE(parsed("Phone:\nEmail:").isEmpty());
}

TEST(BlockParserTest, ANulCharacterEndsTheContent) {
    const QString content = QString("Phone: [a: 1]") + QChar(0) + "garbage: [";
    EXPECT_EQ(parsed(content).phones, QList<LabeledValue>({{"a", "1"}}));
}

}  // namespace
}  // namespace kontavo
