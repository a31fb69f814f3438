#include "store/index/searchwords.h"

#include <gtest/gtest.h>

#include <string>

#include "store/index/lettergroupset.h"

namespace kontavo {
namespace {

TEST(SearchWordsTest, SplitsAtEverySeparatorAndLowerCases) {
    EXPECT_EQ(splitWords(u"John O'Neil-Smith"), (QStringList{"john", "o", "neil", "smith"}));
    EXPECT_EQ(splitWords(u"a`b!c@d#e$f%g^h&i*j(k)l_m|n{o}p:q\"r/s<t>u?v[w]x;y'z,1.2\u21163-4=5\\6"),
              (QStringList{"a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k",
                           "l", "m", "n", "o", "p", "q", "r", "s", "t", "u", "v",
                           "w", "x", "y", "z", "1", "2", "3", "4", "5", "6"}));
    EXPECT_EQ(splitWords(u"  \r\n\tIVAN\u041f\u0415\u0422\u0420\u041e\u0412  "),
              (QStringList{"ivan\u043f\u0435\u0442\u0440\u043e\u0432"}));
    // Plus and tilde are parts of words.
    EXPECT_EQ(splitWords(u"+1 ~x"), (QStringList{"+1", "~x"}));
    EXPECT_TRUE(splitWords(u"--..").isEmpty());
    EXPECT_EQ(splitWords(QStringView(u"ab\0cd", 5)), (QStringList{"ab", "cd"}));
}

TEST(SearchWordsTest, NoOtherCharacterSeparatesWords) {
    const std::u16string separators = u"\r\n\t `!@#$%^&*()_|{}:\"/<>?[];',.\u2116-=\\";
    int found = 0;
    for (uint32_t code = 0; code <= 0xFFFF; ++code) {
        const bool listed = separators.find(char16_t(code)) != std::u16string::npos;
        EXPECT_EQ(isWordSeparator(QChar(char16_t(code))), listed) << "code " << code;
        found += isWordSeparator(QChar(char16_t(code))) ? 1 : 0;
    }
    EXPECT_EQ(found, int(separators.size()));
}

TEST(SearchWordsTest, PhoneDigitsKeyReversesTheDigits) {
    EXPECT_EQ(phoneDigitsKey(u"+1 (555) 123-4567"), QStringLiteral("~76543215551"));
    EXPECT_EQ(phoneDigitsKey(u"8-800"), QStringLiteral("~0088"));
    EXPECT_EQ(phoneDigitsKey(u"none"), QString());
}

TEST(SearchWordsTest, CollectsPlainAndGroupWordsOnce) {
    const auto groups = LetterGroupSet::loadResourceSet(198);
    ASSERT_TRUE(groups);
    SearchWords words(&*groups);
    words.addText(u"Kate kate, Bob");
    words.addPhone(u"+1 (555) 123-4567");
    words.addText(u"r2d2");
    EXPECT_EQ(words.plainWords(),
              (QStringList{"kate", "bob", "+1", "555", "123", "4567", "~76543215551", "r2d2"}));
    // Words with a character outside every group (digits, '+') stay out.
    EXPECT_EQ(words.groupWords(), (QStringList{"jatd", "ama"}));
}

}  // namespace
}  // namespace kontavo
