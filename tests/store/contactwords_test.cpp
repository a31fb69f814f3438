#include "store/index/contactwords.h"

#include <gtest/gtest.h>

#include "platform/locale.h"
#include "store/contacts/contactreader.h"
#include "store/index/lettergroupset.h"
#include "store/record/filetime.h"

namespace kontavo {
namespace {

const Locale& english() {
    static const Locale locale(QLocale(QLocale::English, QLocale::UnitedStates));
    return locale;
}

const Locale& german() {
    static const Locale locale(QLocale(QLocale::German, QLocale::Germany));
    return locale;
}

QStringList plainWords(const IndexedContact& contact, const Locale& locale = english()) {
    return contactWords(contact, nullptr, locale).plainWords();
}

FileTime day(int year, int month, int dayOfMonth) {
    return fileTimeFromDate(QDate(year, month, dayOfMonth)).value();
}

TEST(ContactWordsTest, APhoneNumberIsFiledWithItsReversedDigitsKey) {
    IndexedContact contact;
    contact.record.setField(ContactField::WorkPhone, QStringLiteral("+1 (555) 123-4567"));
    // The plus sign separates nothing: "+1" is a word of its own.
    EXPECT_EQ(plainWords(contact), (QStringList{"+1", "555", "123", "4567", "~76543215551"}));
}

TEST(ContactWordsTest, ExtendedPhonesGetTheirKeysButNotTheirLabels) {
    IndexedContact contact;
    contact.record.extended.phones = {{"Dacha", "8-495"}, {"Empty", ""}};
    EXPECT_EQ(plainWords(contact), (QStringList{"8", "495", "~5948"}));
}

TEST(ContactWordsTest, DatesAreFiledAsTheLocaleShowsThem) {
    IndexedContact contact;
    contact.record.birthday = day(1975, 3, 14);
    contact.record.extended.dates = {{"Wedding", day(2001, 12, 1)}};
    EXPECT_EQ(indexDateText(contact.record.birthday, english()), QStringLiteral("3/14/1975"));
    EXPECT_EQ(indexDateText(contact.record.birthday, german()), QStringLiteral("14.03.1975"));
    EXPECT_EQ(indexDateText(0, english()), QString());
    EXPECT_EQ(plainWords(contact), (QStringList{"3", "14", "1975", "12", "1", "2001"}));
    EXPECT_EQ(plainWords(contact, german()), (QStringList{"14", "03", "1975", "01", "12", "2001"}));
}

TEST(ContactWordsTest, ValuesAccountsCodesAndNotesAreFiledButNotLabels) {
    IndexedContact contact;
    ExtendedProperties& x = contact.record.extended;
    x.emails = {{"Private", "kim@mail.ru"}};
    x.webPages = {{"Blog", "kim.example"}};
    x.people = {{"Boss", "Olga"}};
    x.links = {{"Song", "\\My Music\\tune.mp3"}};
    x.otherProps = {{"Nickname", "Kimmy"}};
    x.messengers = {{"Chat", "kim42", "ICQ"}};
    ExtendedAddress dacha;
    dacha.label = "Dacha";
    dacha.parts = {"Lesnaya 5", "Pushkino", "", "141200", "Russia"};
    dacha.formatCode = 7;
    x.addresses = {dacha};
    x.workAddressFormat = 44;
    contact.notesText = QStringLiteral("Likes tea");
    EXPECT_EQ(plainWords(contact),
              (QStringList{"kim",      "mail",   "ru",     "example", "olga",  "my",      "music",
                           "tune",     "mp3",    "kimmy",  "kim42",   "7",     "lesnaya", "5",
                           "pushkino", "141200", "russia", "44",      "likes", "tea"}));
}

TEST(ContactWordsTest, GroupWordsAreTheLettersRewrittenWhenEveryOneHasAGroup) {
    const auto groups = LetterGroupSet::loadResourceSet(198);
    ASSERT_TRUE(groups);
    IndexedContact contact;
    contact.record.setField(ContactField::FirstName, QStringLiteral("Kat"));
    contact.record.setField(ContactField::Company, QStringLiteral("R2D2 Anna"));
    const SearchWords words = contactWords(contact, &*groups, english());
    EXPECT_EQ(words.groupWords(), (QStringList{"jat", "amma"}));
}

}  // namespace
}  // namespace kontavo
