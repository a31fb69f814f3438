#include "store/lettergroupset.h"

#include <gtest/gtest.h>

#include "platform/locale.h"
#include "store/settingsvalues.h"
#include "support/tempdevice.h"

namespace kontavo {
namespace {

QByteArray utf16(const QString& text) {
    QByteArray bytes;
    for (QChar c : text) {
        bytes.append(char(c.unicode() & 0xFF));
        bytes.append(char(c.unicode() >> 8));
    }
    return bytes;
}

TEST(LetterGroupSetTest, BlanksSeparateGroupsAndVanishFromLabels) {
    const auto one = LetterGroupSet::parse(u"ABC/ABC DEF/DEF");
    const auto two = LetterGroupSet::parse(u"ABC/ABC  DEF/DEF");
    ASSERT_TRUE(one && two);
    EXPECT_EQ(one->labels(), (QStringList{"ABC", "DEF"}));
    EXPECT_EQ(two->labels(), one->labels());
    EXPECT_EQ(two->letters(), one->letters());
    const auto spaced = LetterGroupSet::parse(u"A B C/ABC");
    ASSERT_TRUE(spaced);
    EXPECT_EQ(spaced->labels(), QStringList{"ABC"});
    EXPECT_EQ(spaced->count(), 1);
}

TEST(LetterGroupSetTest, PunctuationIsDroppedFromLetters) {
    const auto set = LetterGroupSet::parse(u"ABC/A-B.C X\\y;z");
    ASSERT_TRUE(set);
    EXPECT_EQ(set->letters(), (QStringList{"ABC", "yz"}));
    EXPECT_EQ(set->labels(), (QStringList{"ABC", "X"}));
}

TEST(LetterGroupSetTest, TextsWithoutGroupsAreRefused) {
    EXPECT_FALSE(LetterGroupSet::parse(u"ABC DEF"));
    EXPECT_FALSE(LetterGroupSet::parse(u""));
    EXPECT_FALSE(LetterGroupSet::parse(u"/ABC ABC/-.,"));  // empty label, empty letters
    const auto kept = LetterGroupSet::parse(u"/ABC DEF/DEF");
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->labels(), QStringList{"DEF"});
}

TEST(LetterGroupSetTest, AlternateLabelsFollowTheFirstCaret) {
    const auto set = LetterGroupSet::parse(u"ABC^\u0430\u0431\u0432\u0433/ABC DEF/DEF G^h^i/G");
    ASSERT_TRUE(set);
    EXPECT_TRUE(set->hasAlternate());
    EXPECT_EQ(set->alternateLabels(), (QStringList{"\u0430\u0431\u0432\u0433", "", "h^i"}));
    EXPECT_EQ(set->labels(), (QStringList{"ABC", "DEF", "G"}));
    EXPECT_FALSE(LetterGroupSet::parse(u"ABC/ABC")->hasAlternate());
}

TEST(LetterGroupSetTest, EnglishRussianGroupTableAndCodes) {
    const auto set = LetterGroupSet::loadResourceSet(215);
    ASSERT_TRUE(set);
    ASSERT_EQ(set->count(), 8);
    EXPECT_EQ(set->groupTable()[0], QStringLiteral("abc\u0430\u0431\u0432\u0433"));
    EXPECT_EQ(set->groupCode(0), QLatin1Char('a'));
    // A Cyrillic capital De, lower-cased, maps to the DEF group's code.
    EXPECT_EQ(set->codeOf(QStringLiteral("\u0414").toLower()[0]), QLatin1Char('d'));
    EXPECT_EQ(set->groupCode(8), QChar());
}

TEST(LetterGroupSetTest, GroupCodesStopAtTheFirstUnknownCharacter) {
    const auto english = LetterGroupSet::loadResourceSet(198);
    ASSERT_TRUE(english);
    EXPECT_EQ(english->groupCodes(u"kat"), QStringLiteral("jat"));
    EXPECT_EQ(english->groupCodes(u"ka7t"), QStringLiteral("ja"));
    EXPECT_FALSE(english->groupCodes(u"7kat"));
    EXPECT_FALSE(english->groupCodes(u""));
    EXPECT_EQ(english->rewrite(u"kat"), QStringLiteral("jat"));
    EXPECT_FALSE(english->rewrite(u"ka7t"));
    // The first group holding a character wins; repeats are dropped.
    const auto custom = LetterGroupSet::parse(u"X/xXaa Y/ay");
    ASSERT_TRUE(custom);
    EXPECT_EQ(custom->groupTable(), (QStringList{"xa", "ay"}));
    EXPECT_EQ(custom->groupCodes(u"ay"), QStringLiteral("xa"));
}

TEST(LetterGroupSetTest, BuiltInSetsLoadAndNeedTheirMark) {
    for (int id : {198, 199, 215, 220}) {
        EXPECT_TRUE(LetterGroupSet::loadResourceSet(id)) << id;
    }
    EXPECT_EQ(LetterGroupSet::loadResourceSet(220)->groupTable()[0], QStringLiteral("abc\u00e4"));
    EXPECT_EQ(LetterGroupSet::loadResourceSet(199)->letters()[1],
              QStringLiteral("\u0414\u0415\u0401\u0416\u0417"));
    EXPECT_FALSE(LetterGroupSet::loadResourceSet(197));
}

TEST(LetterGroupSetTest, ActiveTypeFollowsSettingThenLanguage) {
    test::TempDevice device;
    SettingsStore& settings = device.settings();
    const Locale russian(QLocale(QLocale::Russian, QLocale::Russia));
    const Locale german(QLocale(QLocale::German, QLocale::Germany));
    const Locale french(QLocale(QLocale::French, QLocale::France));
    EXPECT_EQ(LetterGroupSet::activeType(settings, russian), LetterGroupSet::Russian);
    EXPECT_EQ(LetterGroupSet::activeType(settings, german), LetterGroupSet::German);
    EXPECT_EQ(LetterGroupSet::activeType(settings, french), LetterGroupSet::English);
    settings.set(settings::kAbcType, 5);
    EXPECT_EQ(LetterGroupSet::activeType(settings, german), LetterGroupSet::German);
    settings.set(settings::kAbcType, 3);
    EXPECT_EQ(LetterGroupSet::activeType(settings, german), LetterGroupSet::EnglishRussian);
    EXPECT_EQ(LetterGroupSet::loadActiveSet(settings, german).count(), 8);
}

TEST(LetterGroupSetTest, CustomSetFallsBackToEnglishWhenItDoesNotParse) {
    test::TempDevice device;
    SettingsStore& settings = device.settings();
    const Locale english(QLocale(QLocale::English, QLocale::UnitedStates));
    settings.set(settings::kAbcType, 0);
    settings.set(settings::kAbcCustom, utf16(QStringLiteral("AEIOU/aeiou XYZ/xyz")));
    EXPECT_EQ(LetterGroupSet::loadActiveSet(settings, english).labels(),
              (QStringList{"AEIOU", "XYZ"}));
    settings.set(settings::kAbcCustom, utf16(QStringLiteral("no groups")));
    EXPECT_EQ(LetterGroupSet::loadActiveSet(settings, english).labels().front(),
              QStringLiteral("ABC"));
    const auto available = LetterGroupSet::availableSets(settings);
    EXPECT_EQ(available.names,
              (QStringList{"Custom", "English", "Russian", "English/Russian", "German"}));
    EXPECT_EQ(available.texts.front(), QStringLiteral("no groups"));
    EXPECT_EQ(available.texts[1], LetterGroupSet::loadResourceSet(198)->sourceText());
}

TEST(LetterGroupSetTest, CompareTellsWhatChanged) {
    const Locale locale(QLocale(QLocale::English, QLocale::UnitedStates));
    const auto base = *LetterGroupSet::parse(u"ABC/ABC DEF/DEF");
    auto changes =
        LetterGroupSet::compare(base, *LetterGroupSet::parse(u"ABC/ABC DEF/DEF"), locale);
    EXPECT_FALSE(changes.labels || changes.letters || changes.alternate);
    changes = LetterGroupSet::compare(base, *LetterGroupSet::parse(u"ABC/ABCX DEF/DEF"), locale);
    EXPECT_TRUE(changes.letters);
    EXPECT_FALSE(changes.labels);
    changes = LetterGroupSet::compare(base, *LetterGroupSet::parse(u"Abc/ABC DEF/DEF"), locale);
    EXPECT_TRUE(changes.labels);
    EXPECT_FALSE(changes.letters);
    changes = LetterGroupSet::compare(base, *LetterGroupSet::parse(u"ABC^x/ABC DEF/DEF"), locale);
    EXPECT_TRUE(changes.labels && changes.alternate);
    changes = LetterGroupSet::compare(base, *LetterGroupSet::parse(u"ABC/ABC"), locale);
    EXPECT_TRUE(changes.labels && changes.letters);
}

}  // namespace
}  // namespace kontavo
