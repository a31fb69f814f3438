// The labelled values of a contact: fixed fields under their built-in labels
// first, in the table's order, then the extended lists as stored.
#include "card/contactvaluemap.h"

#include <gtest/gtest.h>

#include "card/templategroup.h"
#include "store/record/contactrecord.h"
#include "support/richcontact.h"

namespace kontavo {
namespace {

using F = ContactField;

QStringList texts(const QList<LabelledText>& values) {
    QStringList result;
    for (const LabelledText& value : values) {
        result.append(value.label + QLatin1Char('=') + value.text);
    }
    return result;
}

TEST(ContactValueMapTest, FixedFieldsFirstThenTheExtendedLists) {
    const ContactValueMap map = ContactValueMap::fromContact(test::richContact());
    EXPECT_EQ(texts(map.name),
              QStringList({"Title=Dr.", "First=Anna", "Middle@Mid.=Maria", "Last=Lindqvist",
                           "Job Title@Job=Head of Research", "Company@Comp.=Nordlicht Instruments",
                           "Department@Dept.=Optics", "File As@FileAs=Lindqvist, Anna"}));
    EXPECT_EQ(texts(map.phones),
              QStringList({"Work=+49 30 2345 6789", "Work=+49 30 2345 6700", "Home=+1 212 555 0147",
                           "Mobile=+49 171 234 5678", "Work fax=+49 30 2345 6799",
                           "Boat=+46 70 123 45 67"}));
    EXPECT_EQ(texts(map.emails),
              QStringList({"E-mail=anna.lindqvist@nordlicht.de", "E-mail 2=anna@lindqvist.se",
                           "E-mail=a.lindqvist@photonics.org"}));
    EXPECT_EQ(texts(map.webPages),
              QStringList({"Web=www.nordlicht.de/optics", "Blog=http://anna.lindqvist.se"}));
    EXPECT_EQ(texts(map.people), QStringList({"Spouse=Erik", "Children=Lena, Jonas"}));
    EXPECT_EQ(texts(map.links),
              QStringList({"Linked file=\\My Documents\\Projects\\Spectrometer.pdf"}));
    EXPECT_TRUE(map.others.isEmpty());
    ASSERT_EQ(map.dates.size(), 3);
    EXPECT_EQ(map.dates[0].label, QStringLiteral("Birthday"));
    EXPECT_EQ(map.dates[1].label, QStringLiteral("Anniversary"));
    EXPECT_EQ(map.dates[2].label, QStringLiteral("Name day"));
    EXPECT_EQ(map.messengers,
              (QList<LabelledMessenger>{{"IM", "123456789", "ICQ"}, {"IM 2", "anna.l", "MSN"}}));
    ASSERT_EQ(map.addresses.size(), 2);
    EXPECT_EQ(map.addresses[0].label, QStringLiteral("Home")) << "Home, Work, Other";
    EXPECT_EQ(map.addresses[0].format, int(test::kUnitedStatesFormat));
    EXPECT_EQ(map.addresses[0].parts[kSlotRegion], QStringLiteral("NY"));
    EXPECT_EQ(map.addresses[1].label, QStringLiteral("Work"));
    EXPECT_EQ(map.addresses[1].parts[kSlotPostalCode], QStringLiteral("10117"));
    EXPECT_EQ(map.textList(kGroupWeb), &map.webPages);
    EXPECT_EQ(map.textList(kGroupDate), nullptr);
}

TEST(ContactValueMapTest, EmptyFixedFieldsAndAddressesAreLeftOut) {
    ContactRecord contact;
    contact.setField(F::AssistantPhone, "5");
    contact.setField(F::AssistantName, "Joe");
    contact.setField(F::OtherCountry, "France");
    contact.extended.phones = {{"Boat", ""}};
    contact.extended.addresses = {{"Dacha", {}, 0}};
    const ContactValueMap map = ContactValueMap::fromContact(contact);
    EXPECT_EQ(texts(map.phones), QStringList({"Assistant=5", "Boat="}))
        << "extended entries stay as stored";
    EXPECT_EQ(texts(map.people), QStringList({"Assistant=Joe"}));
    EXPECT_TRUE(map.name.isEmpty());
    EXPECT_TRUE(map.dates.isEmpty());
    ASSERT_EQ(map.addresses.size(), 2);
    EXPECT_EQ(map.addresses[0].label, QStringLiteral("Other")) << "one part is enough";
    EXPECT_EQ(map.addresses[0].format, kNoAddressFormat) << "a code of 0 is no format";
    EXPECT_EQ(map.addresses[1].format, kNoAddressFormat);
}

}  // namespace
}  // namespace kontavo
