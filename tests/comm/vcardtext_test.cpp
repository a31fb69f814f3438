#include "comm/vcardtext.h"

#include <gtest/gtest.h>

#include "comm/vcarddate.h"

namespace kontavo {
namespace {

TEST(VCardText, EscapesAndSplitsStructuredValues) {
    EXPECT_EQ(vcardtext::escape(QStringLiteral("a\\b;c,d\re\nf\r\ng")),
              QStringLiteral("a\\\\b\\;c\\,d\\ne\\nf\\ng"));
    EXPECT_EQ(vcardtext::split(QStringLiteral("a\\;b;c\\\\;;d\\ne\\x"), QLatin1Char(';')),
              QStringList({"a;b", "c\\", "", "d\r\ne\\x"}));
    EXPECT_EQ(vcardtext::unescape(QStringLiteral("trailing\\")), QStringLiteral("trailing\\"));
}

TEST(VCardText, DecodesQuotedPrintableAndKeepsMalformedSequences) {
    EXPECT_EQ(vcardtext::decodeQuotedPrintable("a=3Db=\r\nc=0d=0A"), QByteArray("a=bc\r\n"));
    EXPECT_EQ(vcardtext::decodeQuotedPrintable("x=4"), QByteArray("x=4"));
    EXPECT_EQ(vcardtext::decodeQuotedPrintable("x=ZZ="), QByteArray("x=ZZ="));
}

TEST(VCardText, CaretEncodesParameterValues) {
    const QString label = QStringLiteral("a^b\"c\r\nd");
    EXPECT_EQ(vcardtext::encodeParam(label), QStringLiteral("a^^b^'c^nd"));
    EXPECT_EQ(vcardtext::decodeParam(vcardtext::encodeParam(label)), label);
    EXPECT_EQ(vcardtext::decodeParam(QStringLiteral("^x^")), QStringLiteral("^x^"));
}

TEST(VCardText, FoldsAtSeventyFiveOctetsWithoutSplittingCharacters) {
    const QByteArray folded = vcardtext::fold(QString(100, QChar(0x20AC)).toUtf8());  // 300 octets
    const QList<QByteArray> lines = folded.split('\n');
    ASSERT_GE(lines.size(), 5);
    QByteArray joined;
    for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
        QByteArray line = lines[i];
        ASSERT_TRUE(line.endsWith('\r'));
        line.chop(1);
        EXPECT_LE(line.size(), 75);
        if (i > 0) {
            ASSERT_TRUE(line.startsWith(' '));
            line.remove(0, 1);
        }
        EXPECT_EQ(line.size() % 3, 0);
        joined += line;
    }
    EXPECT_EQ(QString::fromUtf8(joined), QString(100, QChar(0x20AC)));
    EXPECT_EQ(vcardtext::fold("short"), QByteArray("short\r\n"));
}

TEST(VCardDate, FormatsAndParsesDatesAndTimes) {
    const FileTime day = *fileTimeFromDate(QDate(1999, 12, 31));
    EXPECT_EQ(vcarddate::format(day), QStringLiteral("1999-12-31"));
    EXPECT_EQ(vcarddate::format(day + 10'000'000 * FileTime(3661) + 5),
              QStringLiteral("1999-12-31T01:01:01.0000005Z"));
    EXPECT_EQ(vcarddate::format(0), QString());
    EXPECT_EQ(vcarddate::parse(QStringLiteral("19991231")), day);
    EXPECT_EQ(vcarddate::parse(QStringLiteral("1999-12-31T01:01:01.0000005Z")),
              day + 10'000'000 * FileTime(3661) + 5);
    EXPECT_EQ(vcarddate::parse(QStringLiteral("2000-01-01T01:00:00+02:00")),
              day + 10'000'000 * FileTime(23 * 3600));
    EXPECT_FALSE(vcarddate::parse(QStringLiteral("--1231")));
    EXPECT_FALSE(vcarddate::parse(QStringLiteral("1999-02-30")));
    EXPECT_FALSE(vcarddate::parse(QStringLiteral("1500-01-01")));
    EXPECT_FALSE(vcarddate::parse(QStringLiteral("1999-12-31T25:00:00")));
}

}  // namespace
}  // namespace kontavo
