#include "list/contactlistphonemenu.h"

#include <gtest/gtest.h>

#include "comm/callrouting.h"
#include "comm/phonetemplateset.h"
#include "store/record/contactrecord.h"
#include "list/contactitems.h"
#include "store/record/itemkey.h"

namespace kontavo {
namespace {

const PhoneTemplateSet kNoTemplates;

TEST(ContactListPhoneMenuTest, OnePhoneIsMarkedAndDialToFollows) {
    ContactRecord record;
    record.setField(ContactField::MobilePhone, "555-3000");
    const ContactListPhoneMenu menu(record, kNoTemplates);
    ASSERT_EQ(menu.entries().size(), 1);
    EXPECT_EQ(menu.preselected(), 0);
    EXPECT_EQ(menu.actionText(), "Dial to...");
    EXPECT_EQ(menu.actionIndex(), 1);
}

TEST(ContactListPhoneMenuTest, NoPhoneOrEmailMeansNoMenu) {
    ContactRecord record;
    record.setField(ContactField::LastName, "Smith");
    record.extended.phones = {{"Boat", ""}};
    const ContactListPhoneMenu menu(record, kNoTemplates);
    EXPECT_TRUE(menu.isEmpty());
    EXPECT_FALSE(menu.choose(0).actOn.has_value());
}

TEST(ContactListPhoneMenuTest, PreferredEmailIsPreselectedAndOffersEmailTo) {
    ContactRecord record;
    record.setField(ContactField::WorkPhone, "1");
    record.setField(ContactField::Email2, "b@x");
    record.preferredItemTag = fieldInfo(ContactField::Email2).tag();
    const ContactListPhoneMenu menu(record, kNoTemplates);
    EXPECT_EQ(menu.preselected(), 1);
    EXPECT_EQ(menu.actionText(), "E-mail to...");
    const ContactListPhoneMenu::Choice act = menu.choose(menu.actionIndex());
    ASSERT_TRUE(act.actOn.has_value());
    EXPECT_EQ(act.actOn->value, "b@x");
    EXPECT_FALSE(act.newPreferred.has_value());
}

TEST(ContactListPhoneMenuTest, AStaleExtendedKeyPreselectsTheFirstItem) {
    ContactRecord record;
    record.setField(ContactField::HomePhone, "2");
    record.extended.phones = {{"Boat", "777"}};
    record.preferredItemTag = itemKey(u"Boat", u"776");
    EXPECT_EQ(ContactListPhoneMenu(record, kNoTemplates).preselected(), 0);
    record.preferredItemTag = itemKey(u"Boat", u"777");
    EXPECT_EQ(ContactListPhoneMenu(record, kNoTemplates).preselected(), 1);
}

TEST(ContactListPhoneMenuTest, ChoosingAnItemAsksForAWriteOnlyWhenItDiffers) {
    ContactRecord record;
    record.setField(ContactField::WorkPhone, "1");
    record.setField(ContactField::HomePhone, "2");
    record.preferredItemTag = fieldInfo(ContactField::HomePhone).tag();
    const ContactListPhoneMenu menu(record, kNoTemplates);
    EXPECT_FALSE(menu.choose(1).newPreferred.has_value());
    EXPECT_EQ(menu.choose(0).newPreferred, fieldInfo(ContactField::WorkPhone).tag());
    EXPECT_FALSE(menu.choose(0).actOn.has_value());
    EXPECT_FALSE(menu.choose(-1).newPreferred.has_value());
    EXPECT_FALSE(menu.choose(3).newPreferred.has_value());

    record.preferredItemTag = 0;  // nothing stored: even the first item is written
    EXPECT_EQ(ContactListPhoneMenu(record, kNoTemplates).choose(0).newPreferred,
              fieldInfo(ContactField::WorkPhone).tag());
}

TEST(ContactListPhoneMenuTest, PhonesAreShownFormatted) {
    ContactRecord record;
    record.setField(ContactField::WorkPhone, "79123456789");
    const PhoneTemplateSet templates(PhoneTemplateSet::firstRunTemplates(), true, false);
    const ContactListPhoneMenu menu(record, templates);
    EXPECT_EQ(menu.entries().front().shownValue, "+7 (912) 345-67-89");
    EXPECT_EQ(menu.entries().front().item.value, "79123456789");
}

using namespace Qt::StringLiterals;

TEST(TalkKeyNumberTest, ThePreferredPhoneElseTheFirstPhoneInTheStandardOrder) {
    ContactRecord record;
    EXPECT_EQ(talkKeyNumber(record), "");
    record.setField(ContactField::Email1, "ann@example.com");
    record.extended.phones.append(LabeledValue{u"Dacha"_s, u"444"_s});
    EXPECT_EQ(talkKeyNumber(record), "444") << "extended phones after every standard one";
    record.setField(ContactField::AssistantPhone, "333");
    record.setField(ContactField::HomePhone2, "222");
    EXPECT_EQ(talkKeyNumber(record), "222");
    record.setField(ContactField::WorkPhone2, "111");
    EXPECT_EQ(talkKeyNumber(record), "111");

    record.preferredItemTag = fieldInfo(ContactField::AssistantPhone).tag();
    EXPECT_EQ(talkKeyNumber(record), "333");
    record.preferredItemTag = itemKey(u"Dacha", u"444");
    EXPECT_EQ(talkKeyNumber(record), "444");
    record.preferredItemTag = fieldInfo(ContactField::Email1).tag();
    EXPECT_EQ(talkKeyNumber(record), "") << "an e-mail is not dialed";
    record.preferredItemTag = itemKey(u"Dacha", u"445");
    EXPECT_EQ(talkKeyNumber(record), "") << "the preferred phone is gone";
    record.preferredItemTag = fieldInfo(ContactField::MobilePhone).tag();
    EXPECT_EQ(talkKeyNumber(record), "") << "the preferred field is empty";
}

}  // namespace
}  // namespace kontavo
