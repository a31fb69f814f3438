// The edit form's blocks built from a contact and saved back into one.
#include "card/contacteditinpropmapper.h"

#include <gtest/gtest.h>

#include <QRandomGenerator>

#include "card/addressformatcode.h"
#include "card/addressformattable.h"
#include "card/collectintocontact.h"
#include "card/contacttemplate.h"
#include "card/formblockrules.h"
#include "platform/locale.h"
#include "store/record/contactrecord.h"
#include "support/richcontact.h"

namespace kontavo {
namespace {

using F = ContactField;

class ContactEditMapperTest : public ::testing::Test {
protected:
    ContactEditMapperTest() : table(AddressFormatTable::fromStringTable(1)) {
        tpl.setDefaults();
        context.addressFormats = &table;
        context.locale = &Locale::user();
        context.categoryNames = [](const QByteArray&) { return QStringList({"Family", "VIP"}); };
    }

    QList<FormEntry> build(const ContactRecord& contact) const {
        return ContactEditInPropMapper(context).build(contact, tpl);
    }
    static FormEntry* find(QList<FormEntry>& blocks, int type) {
        for (FormEntry& entry : blocks) {
            if (entry.type == type) {
                return &entry;
            }
        }
        return nullptr;
    }
    static QStringList rows(const FormEntry& entry) {
        QStringList result;
        for (qsizetype i = 0; i < entry.rows.size(); ++i) {
            result.append(entry.labelText(int(i)) + "=" + entry.rows[i].text);
        }
        return result;
    }

    AddressFormatTable table;
    ContactTemplate tpl{table.defaultIndex()};
    FormContext context;
};

TEST_F(ContactEditMapperTest, ValuesFillTemplateRowsThenGetRowsOfTheirOwn) {
    QList<FormEntry> blocks = build(test::richContact(QByteArray(1, '\x03')));
    QList<int> types;
    for (const FormEntry& entry : blocks) {
        types.append(entry.type);
    }
    EXPECT_EQ(types, QList<int>({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 12}))
        << "Web and People come with the contact's values; Other has none and is hidden";
    EXPECT_EQ(rows(*find(blocks, kGroupPhone)),
              QStringList({"Work=+49 30 2345 6789", "Home=+1 212 555 0147",
                           "Mobile=+49 171 234 5678", "Work=+49 30 2345 6700",
                           "Work fax=+49 30 2345 6799", "Boat=+46 70 123 45 67"}));
    EXPECT_EQ(find(blocks, kGroupPhone)->labels.customLabels(), QStringList({"Boat"}));
    const FormEntry& im = *find(blocks, kGroupMsg);
    EXPECT_EQ(rows(im), QStringList({"IM=123456789", "IM 2=anna.l"}));
    EXPECT_EQ(im.messengerTypeText(0), "ICQ");
    EXPECT_EQ(im.messengerTypeText(1), "MSN");
    const FormEntry& addresses = *find(blocks, kGroupAddr);
    ASSERT_EQ(addresses.rows.size(), 2);
    EXPECT_EQ(addresses.labelText(0), "Work") << "the template's Work row is filled";
    EXPECT_EQ(addresses.rows[0].address.countryName(), "Germany");
    EXPECT_EQ(addresses.rows[0].address.values()[kSlotCountry], "Germany");
    EXPECT_EQ(addresses.rows[1].address.values()[kSlotCountry], "USA")
        << "stored country texts stay as stored";
    EXPECT_EQ(find(blocks, kGroupCategory)->rows[0].text, "Family, VIP");
    const FormEntry& name = blocks[0];
    EXPECT_EQ(name.name.lines[kLineName], "Dr. Anna Maria Lindqvist");
    EXPECT_TRUE(name.name.hidden[kLineSuffix]) << "the default template hides Suffix";
    EXPECT_TRUE(name.name.hidden[kLineFileAs]);
    EXPECT_TRUE(blocks.last().noteText.startsWith("Met at the photonics fair"));
}

TEST_F(ContactEditMapperTest, ThreeWorkNumbersShowAsThreeRowsAndSaveInOrder) {
    ContactRecord contact;
    contact.setField(F::LastName, "Ek");
    contact.setField(F::FileAs, "Ek");
    contact.setField(F::WorkPhone, "1");
    contact.setField(F::WorkPhone2, "2");
    contact.extended.phones = {{"Work", "3"}};
    QList<FormEntry> blocks = build(contact);
    FormEntry& phones = *find(blocks, kGroupPhone);
    EXPECT_EQ(rows(phones), QStringList({"Work=1", "Home=", "Mobile=", "Work=2", "Work=3"}));
    const ContactRecord saved = collectIntoContact(blocks, contact);
    EXPECT_TRUE(saved.sameContent(contact));
    EXPECT_EQ(saved.field(F::WorkPhone), "1");
    EXPECT_EQ(saved.field(F::WorkPhone2), "2");
    EXPECT_EQ(saved.extended.phones, (QList<LabeledValue>{{"Work", "3"}}));
}

TEST_F(ContactEditMapperTest, ExtendedWorkNumberMovesIntoTheFreeFixedField) {
    ContactRecord contact;
    contact.setField(F::WorkPhone, "1");
    contact.extended.phones = {{"Work", "2"}};
    const ContactRecord saved = collectIntoContact(build(contact), contact);
    EXPECT_EQ(saved.field(F::WorkPhone2), "2");
    EXPECT_TRUE(saved.extended.phones.isEmpty());
}

TEST_F(ContactEditMapperTest, RenamingMobileToACustomLabelMovesTheNumberOut) {
    ContactRecord contact;
    contact.setField(F::MobilePhone, "+7 900 000");
    QList<FormEntry> blocks = build(contact);
    FormEntry& phones = *find(blocks, kGroupPhone);
    ASSERT_EQ(phones.labelText(2), "Mobile");
    ASSERT_TRUE(formrules::applyCustomLabel(phones, 2, "Boat"));
    ContactRecord saved = collectIntoContact(blocks, contact);
    EXPECT_TRUE(saved.field(F::MobilePhone).isEmpty());
    EXPECT_EQ(saved.extended.phones, (QList<LabeledValue>{{"Boat", "+7 900 000"}}));

    // And back: a Boat row renamed to Car lands in the car phone.
    QList<FormEntry> again = build(saved);
    FormEntry& phones2 = *find(again, kGroupPhone);
    const int boat = int(phones2.rows.size()) - 1;
    ASSERT_EQ(phones2.labelText(boat), "Boat");
    phones2.rows[boat].label = phones2.labels.indexOf("Car");
    saved = collectIntoContact(again, saved);
    EXPECT_EQ(saved.field(F::CarPhone), "+7 900 000");
    EXPECT_TRUE(saved.extended.phones.isEmpty());
}

TEST_F(ContactEditMapperTest, SavingTrimsSkipsEmptiesAndDefaultsFileAs) {
    ContactRecord contact;
    contact.oid = 77;
    QList<FormEntry> blocks = build(contact);
    blocks[0].name.lines[kLineFirst] = "  John ";
    blocks[0].name.lines[kLineLast] = "Smith";
    find(blocks, kGroupEMail)->rows[0].text = "   ";
    find(blocks, kGroupPhone)->rows[1].text = " 555 ";
    FormEntry& dates = *find(blocks, kGroupDate);
    formrules::commitDate(dates, 0, "31/2/1999", DateOrder::DayMonthYear, 2026);
    const ContactRecord saved = collectIntoContact(blocks, contact);
    EXPECT_EQ(saved.oid, 77u);
    EXPECT_EQ(saved.field(F::FirstName), "John");
    EXPECT_EQ(saved.field(F::HomePhone), "555");
    EXPECT_TRUE(saved.field(F::Email1).isEmpty());
    EXPECT_TRUE(saved.extended.emails.isEmpty());
    EXPECT_EQ(saved.birthday, 0u) << "a rejected date never reaches the contact";
    EXPECT_EQ(saved.field(F::FileAs), "Smith, John");
}

TEST_F(ContactEditMapperTest, SavingKeepsIdentityPictureAndAnExistingPreferredItem) {
    ContactRecord contact = test::richContact();
    contact.oid = 12;
    contact.extended.image = "pic.bmp";
    contact.picture = PictureBitmap::create(1, 1, QByteArray(4, '\x7f'));
    contact.preferredItemTag = fieldInfo(F::MobilePhone).tag();
    QList<FormEntry> blocks = build(contact);
    ContactRecord saved = collectIntoContact(blocks, contact);
    EXPECT_TRUE(saved.sameContent(contact));
    EXPECT_EQ(saved.picture, contact.picture);
    EXPECT_EQ(saved.extended.image, "pic.bmp");
    EXPECT_EQ(saved.preferredItemTag, contact.preferredItemTag);

    find(blocks, kGroupPhone)->rows[2].text.clear();  // the mobile number goes
    saved = collectIntoContact(blocks, contact);
    EXPECT_EQ(saved.preferredItemTag, 0u) << "the preferred item no longer exists";
}

TEST_F(ContactEditMapperTest, AddressFormatsSurviveSaveAndReload) {
    ContactRecord contact;
    contact.setField(F::WorkCity, "Springfield");  // no format stored
    QList<FormEntry> blocks = build(contact);
    FormEntry& addresses = *find(blocks, kGroupAddr);
    EXPECT_EQ(addresses.rows[0].address.format(), table.defaultIndex());
    ContactRecord saved = collectIntoContact(blocks, contact);
    EXPECT_EQ(saved.extended.workAddressFormat, 0u)
        << "a contact never given a format keeps following the locale";

    addresses.rows[0].address.applyFormat(0, table);  // Argentina, the first country
    addresses.rows[0].addressFormatUnset = false;
    saved = collectIntoContact(blocks, contact);
    EXPECT_EQ(saved.extended.workAddressFormat, kFirstCountryCode);
    QList<FormEntry> reloaded = build(saved);
    EXPECT_EQ(find(reloaded, kGroupAddr)->rows[0].address.countryName(), "Argentina");
}

// A random contact whose values sit where saving puts them: no value left in
// an extended list while a fixed field of its label is free.
ContactRecord randomContact(QRandomGenerator& random) {
    const auto word = [&random] {
        static const QStringList words = {"alpha", "Beta", "7 12", "Ωmega", "x-y", "Zeta Eta"};
        return words[random.bounded(int(words.size()))];
    };
    const auto maybe = [&random](int percent) { return int(random.bounded(100)) < percent; };
    ContactRecord c;
    for (int f = 0; f < kContactFieldCount; ++f) {
        if (maybe(40)) {
            c.fields[size_t(f)] = word();
        }
    }
    if (c.field(F::FileAs).isEmpty()) {
        c.setField(F::FileAs, word());
    }
    // A second Work or Home number without a first moves up when saved.
    for (const auto& [first, second] :
         {std::pair{F::WorkPhone, F::WorkPhone2}, std::pair{F::HomePhone, F::HomePhone2}}) {
        if (c.field(first).isEmpty()) {
            c.setField(second, QString());
        }
    }
    if (maybe(50)) {
        c.birthday = fileTimeFromDate(QDate(1950 + random.bounded(60), 5, 17)).value_or(0);
    }
    ExtendedProperties& x = c.extended;
    const QStringList customs = {"Boat", "Private", "Summer"};
    const auto custom = [&] { return customs[random.bounded(int(customs.size()))]; };
    for (int i = random.bounded(3); i > 0; --i) {
        x.phones.append({custom(), word()});
        x.emails.append({custom(), word()});
        x.links.append({maybe(50) ? "Ringtone" : "Linked file", word()});
        x.otherProps.append({maybe(50) ? "Nickname" : custom(), word()});
        x.messengers.append({maybe(50) ? "IM" : custom(), word(), maybe(50) ? "ICQ" : "Jabber"});
        x.dates.append({custom(), fileTimeFromDate(QDate(2001, 1 + i, 3)).value_or(0)});
    }
    // The template's first row of a group takes the first value of its label,
    // so such a value comes first in the saved list.
    const auto firstOf = [](auto& list, const QString& label) {
        for (qsizetype i = 0; i < list.size(); ++i) {
            if (list[i].label == label) {
                list.move(i, 0);
                return;
            }
        }
    };
    firstOf(x.links, "Ringtone");
    firstOf(x.messengers, "IM");
    if (maybe(50) && !c.field(F::WorkPhone).isEmpty() && !c.field(F::WorkPhone2).isEmpty()) {
        x.phones.append({"Work", word()});
    }
    if (maybe(50)) {
        ExtendedAddress address;
        address.label = custom();
        address.parts[1] = word();
        address.formatCode = addressFormatCode(int(random.bounded(59)));
        x.addresses.append(address);
    }
    if (!c.field(F::WorkCity).isEmpty() && maybe(50)) {
        x.workAddressFormat = addressFormatCode(int(random.bounded(59)));
    }
    c.categoryMask = QByteArray(1, char(random.bounded(4)));
    c.userNote = QByteArray("note");
    return c;
}

// What differs between two contacts, for failure messages.
std::string difference(const ContactRecord& a, const ContactRecord& b) {
    QStringList out;
    for (int f = 0; f < kContactFieldCount; ++f) {
        if (a.fields[size_t(f)] != b.fields[size_t(f)]) {
            out.append(QString::fromLatin1(contactFieldTable()[size_t(f)].name) + ": " +
                       a.fields[size_t(f)] + " / " + b.fields[size_t(f)]);
        }
    }
    const ExtendedProperties& x = a.extended;
    const ExtendedProperties& y = b.extended;
    const QList<std::pair<const char*, bool>> parts = {
        {"phones", x.phones == y.phones},
        {"emails", x.emails == y.emails},
        {"web", x.webPages == y.webPages},
        {"people", x.people == y.people},
        {"links", x.links == y.links},
        {"others", x.otherProps == y.otherProps},
        {"messengers", x.messengers == y.messengers},
        {"addresses", x.addresses == y.addresses},
        {"dates", x.dates == y.dates},
        {"formats", x.homeAddressFormat == y.homeAddressFormat &&
                        x.workAddressFormat == y.workAddressFormat &&
                        x.otherAddressFormat == y.otherAddressFormat},
        {"birthday", a.birthday == b.birthday},
        {"anniversary", a.anniversary == b.anniversary},
        {"categories", a.categoryMask == b.categoryMask},
        {"note", a.userNote == b.userNote},
        {"preferred", a.preferredItemTag == b.preferredItemTag}};
    for (const auto& [name, same] : parts) {
        if (!same) {
            out.append(QString::fromLatin1(name));
        }
    }
    return out.join("; ").toStdString();
}

TEST_F(ContactEditMapperTest, BuildThenCollectWithoutEditsGivesTheContactBack) {
    QRandomGenerator random(20261209);
    for (int round = 0; round < 300; ++round) {
        const ContactRecord contact = randomContact(random);
        const ContactRecord saved = collectIntoContact(build(contact), contact);
        ASSERT_TRUE(saved.sameContent(contact))
            << "round " << round << ": " << difference(saved, contact);
        ASSERT_EQ(saved.extended.phones, contact.extended.phones) << "round " << round;
        ASSERT_EQ(saved.extended.messengers, contact.extended.messengers) << "round " << round;
    }
}

}  // namespace
}  // namespace kontavo
