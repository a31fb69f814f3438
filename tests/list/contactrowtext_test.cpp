#include "list/contactrowtext.h"

#include <gtest/gtest.h>

#include "comm/phonetemplateset.h"
#include "list/contactitems.h"
#include "store/record/contactrecord.h"
#include "store/record/itemkey.h"

namespace kontavo {
namespace {

const PhoneTemplateSet kNoTemplates;

ContactRecord person(const QString& last, const QString& first, const QString& company = {}) {
    ContactRecord record;
    record.setField(ContactField::LastName, last);
    record.setField(ContactField::FirstName, first);
    record.setField(ContactField::Company, company);
    return record;
}

ContactRowText textOf(const ContactRecord& record, int sortType = sorttype::kName,
                      const PhoneTemplateSet& templates = kNoTemplates) {
    return contactRowText(record, sortType, false, templates);
}

TEST(ContactRowTextTest, NamePerSortType) {
    ContactRecord record = person("Smith", "John", "Acme");
    record.setField(ContactField::MiddleName, "Q");
    record.setField(ContactField::FileAs, "Smithy");
    EXPECT_EQ(textOf(record).name, "Smith, John Q");
    EXPECT_EQ(textOf(record).secondName, "Acme");
    EXPECT_EQ(textOf(record, sorttype::kCompany).name, "Smith, John Q");
    EXPECT_EQ(textOf(record, sorttype::kFileAs).name, "Smithy");
    EXPECT_EQ(textOf(record, sorttype::kFileAs).secondName, "");
}

TEST(ContactRowTextTest, ACompanyOnlyContactShowsTheCompanyAndNothingBesideIt) {
    const ContactRecord record = person("", "", "Acme Corp");
    const ContactRowText text = textOf(record);
    EXPECT_EQ(text.name, "Acme Corp");
    EXPECT_EQ(text.secondName, "");
    EXPECT_FALSE(text.hasDetail);
}

TEST(ContactRowTextTest, UnnamedWhenTheNameForTheSortTypeIsEmpty) {
    EXPECT_EQ(textOf(ContactRecord()).name, "Unnamed");
    EXPECT_EQ(textOf(person("Smith", ""), sorttype::kFileAs).name, "Unnamed");
    EXPECT_EQ(unreadableRowText().name, "Unnamed");
    EXPECT_FALSE(unreadableRowText().hasDetail);
}

TEST(ContactRowTextTest, PreferredStandardFieldWinsOverEarlierPhones) {
    ContactRecord record = person("Smith", "John");
    record.setField(ContactField::WorkPhone, "555-1000");
    record.setField(ContactField::Email2, "john@example.com");
    record.preferredItemTag = fieldInfo(ContactField::Email2).tag();
    const ContactRowText text = textOf(record);
    EXPECT_EQ(text.value, "john@example.com");
    EXPECT_EQ(text.label, "e-mail 2");
    EXPECT_EQ(text.tag, u'e');
}

TEST(ContactRowTextTest, WithoutPreferenceTheFirstNonEmptyStandardFieldIsShown) {
    ContactRecord record = person("Smith", "John");
    record.setField(ContactField::MobilePhone, "555-3000");
    record.setField(ContactField::WorkPhone, "555-1000");
    record.setField(ContactField::Email1, "john@example.com");
    const ContactRowText text = textOf(record);
    EXPECT_EQ(text.value, "555-1000");
    EXPECT_EQ(text.label, "work");
    EXPECT_EQ(text.tag, u'w');
    record.setField(ContactField::WorkPhone, "");
    EXPECT_EQ(textOf(record).label, "mobile");
}

TEST(ContactRowTextTest, ExtendedPhoneLabelIsLowerCasedForItsTag) {
    ContactRecord record = person("Smith", "John");
    record.extended.phones = {{"Satellite", "  +870 7761 "}, {"Boat", "1"}};
    const ContactRowText text = textOf(record);
    EXPECT_EQ(text.label, "satellite");
    EXPECT_EQ(text.tag, u's');
    EXPECT_EQ(text.value, "+870 7761");
}

TEST(ContactRowTextTest, ExtendedEmailIsUsedAfterExtendedPhonesAndByItsKey) {
    ContactRecord record = person("Smith", "John");
    record.extended.phones = {{"Boat", "   "}};
    record.extended.emails = {{"Private", "js@home.example"}};
    EXPECT_EQ(textOf(record).value, "js@home.example");
    EXPECT_EQ(textOf(record).tag, u'p');

    record.extended.phones = {{"Boat", "777"}};
    record.preferredItemTag = itemKey(u"Private", u"js@home.example");
    EXPECT_EQ(textOf(record).value, "js@home.example");
}

TEST(ContactRowTextTest, APreferredItemThatIsGoneShowsNoDetail) {
    ContactRecord record = person("Smith", "John");
    record.setField(ContactField::WorkPhone, "555-1000");
    record.extended.phones = {{"Boat", "777"}};
    record.preferredItemTag = itemKey(u"Boat", u"776");  // its value changed since
    EXPECT_FALSE(textOf(record).hasDetail);
    record.preferredItemTag = fieldInfo(ContactField::HomePhone).tag();  // empty field
    EXPECT_FALSE(textOf(record).hasDetail);
}

TEST(ContactRowTextTest, PhonesAreFormattedAndAddressesAreNot) {
    const PhoneTemplateSet templates(PhoneTemplateSet::firstRunTemplates(), true, false);
    ContactRecord record = person("Smith", "John");
    record.setField(ContactField::HomePhone, "79123456789");
    EXPECT_EQ(textOf(record, sorttype::kName, templates).value, "+7 (912) 345-67-89");
    ContactRecord mail = person("Smith", "John");
    mail.setField(ContactField::Email1, "79123456789@sms.example");
    EXPECT_EQ(textOf(mail, sorttype::kName, templates).value, "79123456789@sms.example");
}

TEST(ContactRowTextTest, NameOnlyLeavesTheDetailOut) {
    ContactRecord record = person("Smith", "John");
    record.setField(ContactField::WorkPhone, "555-1000");
    const ContactRowText text = contactRowText(record, sorttype::kName, true, kNoTemplates);
    EXPECT_FALSE(text.hasDetail);
    EXPECT_EQ(text.value, "");
}

TEST(ContactItemsTest, PhoneMenuOrderIsStandardPhonesExtendedPhonesThenEmails) {
    ContactRecord record = person("Smith", "John");
    record.setField(ContactField::Email1, "a@x");
    record.setField(ContactField::AssistantPhone, "9");
    record.setField(ContactField::WorkPhone2, "2");
    record.extended.phones = {{"Boat", "7"}, {"Empty", ""}};
    record.extended.emails = {{"Home", "b@x"}};
    QStringList order;
    for (const ContactItem& item : phoneMenuItems(record)) {
        order.append(item.label + '=' + item.value);
    }
    EXPECT_EQ(order, QStringList({"Work=2", "Assistant=9", "Boat=7", "E-mail=a@x", "Home=b@x"}));
    EXPECT_EQ(phoneMenuItems(record)[2].id, itemKey(u"Boat", u"7"));
    EXPECT_EQ(phoneMenuItems(record)[0].id, 0x4007001Fu);
}

}  // namespace
}  // namespace kontavo
