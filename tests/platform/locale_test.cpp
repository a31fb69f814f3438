#include "platform/locale.h"

#include <gtest/gtest.h>

#include "platform/ansicodec.h"

namespace kontavo {
namespace {

TEST(LocaleTest, ReportsLanguageCountryAndCodePage) {
    const Locale german(QLocale(QStringLiteral("de_DE")));
    EXPECT_EQ(german.languageId(), 0x0407);
    EXPECT_EQ(german.countryCode(), 49);
    EXPECT_EQ(german.ansiCodePage(), 1252);
    const Locale russian(QLocale(QStringLiteral("ru_RU")));
    EXPECT_EQ(russian.languageId(), 0x0419);
    EXPECT_EQ(russian.primaryLanguage(), 0x19);
    EXPECT_EQ(russian.countryCode(), 7);
    EXPECT_EQ(russian.ansiCodePage(), 1251);
    const Locale british(QLocale(QStringLiteral("en_GB")));
    EXPECT_EQ(british.languageId(), 0x0809);
    EXPECT_EQ(british.countryCode(), 44);
    const Locale american(QLocale(QStringLiteral("en_US")));
    EXPECT_EQ(american.languageId(), 0x0409);
    EXPECT_EQ(american.countryCode(), 1);
}

TEST(LocaleTest, FormatsWindowsDatePictures) {
    const Locale locale(QLocale(QStringLiteral("en_US")));
    const QDate date(2024, 3, 7);
    EXPECT_EQ(locale.formatDate(QStringLiteral("yyyy.MM.dd "), date),
              QStringLiteral("2024.03.07 "));
    EXPECT_EQ(locale.formatDate(QStringLiteral("d/M/yy"), date), QStringLiteral("7/3/24"));
    EXPECT_EQ(locale.formatDate(QStringLiteral("dddd', 'MMMM d"), date),
              QStringLiteral("Thursday, March 7"));
    EXPECT_EQ(locale.formatDate(QStringLiteral("'it''s' yyyy"), date), QStringLiteral("it's 2024"));
    EXPECT_EQ(locale.formatDate(QStringLiteral("''"), date), QStringLiteral("'"));
}

TEST(LocaleTest, FormatsWindowsTimePictures) {
    const Locale locale(QLocale(QStringLiteral("en_US")));
    EXPECT_EQ(locale.formatTime(QStringLiteral("HH:mm:ss - "), QTime(9, 5, 3)),
              QStringLiteral("09:05:03 - "));
    EXPECT_EQ(locale.formatTime(QStringLiteral("h:mm tt"), QTime(0, 30)),
              QStringLiteral("12:30 AM"));
    EXPECT_EQ(locale.formatTime(QStringLiteral("h:mm t"), QTime(13, 30)), QStringLiteral("1:30 P"));
}

TEST(LocaleTest, TellsTheDateOrder) {
    EXPECT_EQ(Locale(QLocale(QStringLiteral("en_US"))).dateOrder(), DateOrder::MonthDayYear);
    EXPECT_EQ(Locale(QLocale(QStringLiteral("de_DE"))).dateOrder(), DateOrder::DayMonthYear);
    EXPECT_EQ(Locale(QLocale(QStringLiteral("de_DE"))).dateSeparator(), QLatin1Char('.'));
}

TEST(LocaleTest, ComparesByCollationAndCase) {
    const Locale locale(QLocale(QStringLiteral("de_DE")));
    EXPECT_LT(locale.compare(QStringLiteral("apfel"), QStringLiteral("Birne")), 0);
    EXPECT_NE(locale.compare(QStringLiteral("a"), QStringLiteral("A")), 0);
    EXPECT_EQ(locale.compare(QStringLiteral("Zoo"), QStringLiteral("Zoo")), 0);
}

// Debian's default C.UTF-8 compares code points: "Brown" before "Bäckerei"
// and "Zoe" before "adam". A system locale of C or POSIX sorts and formats
// as English does instead; any other system locale is kept.
TEST(LocaleTest, CAndPosixSortAsPeopleExpect) {
    for (const QLocale& system : {QLocale::c(), QLocale(QStringLiteral("POSIX"))}) {
        const Locale locale(Locale::forSystem(system));
        EXPECT_LT(locale.compare(QStringLiteral("Bäckerei"), QStringLiteral("Brown")), 0);
        EXPECT_LT(locale.compare(QStringLiteral("adam"), QStringLiteral("Zoe")), 0);
        EXPECT_LT(locale.compare(QStringLiteral("Émile"), QStringLiteral("Fischer")), 0);
        EXPECT_LT(locale.compare(QStringLiteral("Zoe"), QStringLiteral("Андреев")), 0);
        EXPECT_EQ(locale.languageId(), 0x0409);
        EXPECT_EQ(locale.shortDatePicture(), QStringLiteral("M/d/yyyy"));
    }
    EXPECT_EQ(Locale::forSystem(QLocale(QStringLiteral("de_DE"))).language(), QLocale::German);
    EXPECT_EQ(Locale::forSystem(QLocale(QStringLiteral("ru_RU"))).language(), QLocale::Russian);
}

TEST(AnsiCodecTest, ReplacesUnmappableCharactersOneBytePerCharacter) {
    const AnsiCodec& cp1251 = AnsiCodec::forCodePage(1251);
    EXPECT_EQ(cp1251.fromUnicode(QStringLiteral("Жук ü€")), QByteArray("\xC6\xF3\xEA ?\x88"));
    EXPECT_EQ(cp1251.toUnicode(QByteArray("\xC6\xF3\xEA")), QStringLiteral("Жук"));
    const AnsiCodec& cp1252 = AnsiCodec::forCodePage(1252);
    EXPECT_EQ(cp1252.fromUnicode(QStringLiteral("Grüße Ж")), QByteArray("Gr\xFC\xDF"
                                                                        "e ?"));
    // A surrogate pair is two code units, so two replacement bytes.
    EXPECT_EQ(cp1252.fromUnicode(QString::fromUcs4(U"\U0001F600")), QByteArray("??"));
}

TEST(AnsiCodecTest, RoundTripsEveryDefinedByte) {
    for (int page : {1250, 1251, 1252, 1253, 1254, 1257}) {
        const AnsiCodec& codec = AnsiCodec::forCodePage(page);
        for (int byte = 0; byte < 256; ++byte) {
            const QByteArray one(1, char(byte));
            const QString text = codec.toUnicode(one);
            if (text != QString(QChar(0xFFFD))) {
                EXPECT_EQ(codec.fromUnicode(text), one) << page << " " << byte;
            }
        }
    }
}

}  // namespace
}  // namespace kontavo
