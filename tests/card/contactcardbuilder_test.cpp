// The card's lines and header from a contact and the template: every group
// with its exact label and markup, the template's row order, values whose
// labels no row names, empty values, and the contact's own text kept literal.
#include "card/contactcardbuilder.h"

#include <gtest/gtest.h>

#include "card/addressformattable.h"
#include "card/contacttemplate.h"
#include "card/richfontcache.h"
#include "platform/locale.h"
#include "richtestsupport.h"
#include "store/notes/utf16note.h"
#include "support/richcontact.h"

namespace kontavo {
namespace {

using F = ContactField;

// "label | markup | type" of each line; a linked file adds " | extra".
QStringList describe(const ContactCard& card) {
    QStringList lines;
    for (const CardLine& line : card.lines) {
        QString text = line.label + QStringLiteral(" | ") + line.text.toString() +
                       QStringLiteral(" | ") + QString::number(line.type);
        if (!line.extra.isEmpty()) {
            text += QStringLiteral(" | ") + line.extra;
        }
        lines.append(text);
    }
    return lines;
}

ContactRecord named(const QString& first, const QString& last) {
    ContactRecord contact;
    contact.setField(F::FirstName, first);
    contact.setField(F::LastName, last);
    return contact;
}

class ContactCardBuilderTest : public ::testing::Test {
protected:
    ContactCardBuilderTest() {
        context.addressFormats = &formats;
        context.locale = &german;
        context.categoryNames = [](const QByteArray& mask) {
            return mask == QByteArray(1, '\x05') ? QStringList{"Business", "VIP"} : QStringList{};
        };
        defaults.setDefaults();
    }
    ContactCard build(const ContactRecord& contact) {
        return ContactCardBuilder(context).build(contact, defaults);
    }

    AddressFormatTable formats = AddressFormatTable::fromStringTable(1);
    Locale german{QLocale(QStringLiteral("de_DE"))};
    CardContext context;
    ContactTemplate defaults{57};
};

TEST_F(ContactCardBuilderTest, EveryGroupInTemplateTypeOrderWithItsMarkup) {
    const ContactCard card = build(test::richContact(QByteArray(1, '\x05')));
    EXPECT_EQ(
        describe(card),
        QStringList({
            "Work | +49 30 2345 6789 | 1",
            "Work | +49 30 2345 6700 | 1",
            "Home | +1 212 555 0147 | 1",
            "Mobile | +49 171 234 5678 | 1",
            "Work fax | +49 30 2345 6799 | 1",
            "Boat | +46 70 123 45 67 | 1",
            "E-mail | <#004080><I>anna.lindqvist@nordlicht.de</I></#> | 2",
            "E-mail | <#004080><I>a.lindqvist@photonics.org</I></#> | 2",
            "E-mail 2 | <#004080><I>anna@lindqvist.se</I></#> | 2",
            "IM | 123456789 <B>ICQ</B> | 3",
            "IM 2 | anna.l <B>MSN</B> | 3",
            "Web | <I>www.nordlicht.de/optics</I> | 4",
            "Blog | <I>http://anna.lindqvist.se</I> | 4",
            "Office | Building C, room 312 | 5",
            "Work | Friedrichstraße 112 10117 Berlin Germany | 6",
            "Home | 350 Fifth Avenue New York NY 10118 USA | 6",
            "Categories | Business, VIP | 7",
            "Spouse | Erik | 8",
            "Children | Lena, Jonas | 8",
            "Birthday | 14.03.1978 | 9",
            "Anniversary | 18.06.2005 | 9",
            "Name day | 09.12.2024 | 9",
            "Linked file | Spectrometer.pdf | 10 | \\My Documents\\Projects\\Spectrometer.pdf",
        }));
    EXPECT_EQ(
        card.note,
        QStringLiteral("Met at the photonics fair in Munich.\r\nPrefers e-mail before 10 am."));
    EXPECT_EQ(card.header.toString(),
              QStringLiteral("<B>Dr. Anna Maria Lindqvist</B> Head of Research\r\n"
                             "Nordlicht Instruments Optics"));
    EXPECT_EQ(card.lines[0].icon, cardicon::kPhone);
    EXPECT_EQ(card.lines[6].icon, cardicon::kEmail);
    EXPECT_EQ(card.lines[9].icon, 0) << "a messenger line does nothing when tapped";
}

TEST_F(ContactCardBuilderTest, HeaderSeparatorsOnlyBetweenPresentPieces) {
    struct Case {
        QString title, first, last, job, company, department;
        QString header;
        bool companyIcon;
    };
    const QList<Case> cases = {
        {"", "", "", "", "Acme", "", "<B>Acme</B>", true},
        {"", "", "", "", "Acme", "Sales", "<B>Acme</B> Sales", true},
        {"", "", "", "Boss", "Acme", "", "Boss\r\n<B>Acme</B>", true},
        {"", "Ann", "", "", "", "Sales", "<B>Ann</B> Sales", false},
        {"Ms.", "", "Lee", "Boss", "", "", "<B>Ms. Lee</B> Boss", false},
        {"", "", "", "Boss", "", "", "Boss", false},
        {"", "", "", "", "", "Sales", "Sales", false},
        {"", "", "", "", "", "", "", false},
    };
    for (const Case& c : cases) {
        ContactRecord contact = named(c.first, c.last);
        contact.setField(F::Title, c.title);
        contact.setField(F::JobTitle, c.job);
        contact.setField(F::Company, c.company);
        contact.setField(F::Department, c.department);
        const ContactCard card = build(contact);
        EXPECT_EQ(card.header.toString(), c.header) << c.header.toStdString();
        EXPECT_EQ(card.companyIcon, c.companyIcon) << c.header.toStdString();
        EXPECT_EQ(card.picture, nullptr);
    }
}

TEST_F(ContactCardBuilderTest, EmptyValuesGiveNoLines) {
    ContactRecord contact = named("Ann", "Lee");
    contact.extended.phones = {{"Boat", ""}};
    contact.extended.emails = {{"E-mail", ""}};
    contact.extended.messengers = {{"IM", "", "ICQ"}};
    contact.extended.dates = {{"Name day", 0}};
    contact.extended.addresses = {{"Dacha", {}, 16}};
    contact.extended.links = {{"Linked file", ""}};
    contact.setField(F::HomeRegion, QString());
    contact.userNote = utf16Note(QStringLiteral(" \r\n "));
    const ContactCard card = build(contact);
    EXPECT_TRUE(card.lines.isEmpty()) << describe(card).join('\n').toStdString();
    EXPECT_TRUE(card.note.isEmpty()) << "a note of blanks has no section";
    EXPECT_FALSE(card.isEmpty()) << "the header remains";
    EXPECT_TRUE(build(ContactRecord()).isEmpty());
}

TEST_F(ContactCardBuilderTest, RowsOrderValuesAndUnusedLabelsFollow) {
    ContactTemplate tmpl(57);
    tmpl.getGroup(kGroupPhone)->addRow("Mobile");
    tmpl.getGroup(kGroupPhone)->addRow("Pager");
    tmpl.getGroup(kGroupPhone)->addRow("Mobile");  // the same label twice
    tmpl.getGroup(kGroupPhone)->addRow("Boat");    // a custom label
    ContactRecord contact = named("Ann", "Lee");
    contact.setField(F::HomePhone, "1");
    contact.setField(F::MobilePhone, "2");
    contact.extended.phones = {{"Boat", "3"}, {"Mobile", "4"}, {"Car boot", "5"}};
    const ContactCard card = ContactCardBuilder(context).build(contact, tmpl);
    EXPECT_EQ(describe(card), QStringList({"Mobile | 2 | 1", "Mobile | 4 | 1", "Boat | 3 | 1",
                                           "Home | 1 | 1", "Car boot | 5 | 1"}))
        << "each value once; a hidden group still lists every value";
}

TEST_F(ContactCardBuilderTest, TheContactsOwnTextIsNeverMarkup) {
    ContactRecord contact = named("<B>Bob", "</B><L>");
    contact.setField(F::Email1, "<#FF0000>x@y</#>");
    contact.setField(F::Company, "<P40>Big");
    contact.extended.messengers = {{"IM", "<U>u", "<I>AOL"}};
    const ContactCard card = build(contact);
    RichFontCache cache(test::monoFont(), 96);

    const RichText header = card.header.parse(cache);
    EXPECT_EQ(header.plainText(), QStringLiteral("<B>Bob </B><L>\r\n<P40>Big"));
    for (int i = 0; i < 14; ++i) {
        EXPECT_EQ(header.at(i).style, richstyle::kBold)
            << "the name, bold as a whole, nothing more";
    }
    for (int i = 14; i < header.size(); ++i) {
        EXPECT_EQ(header.at(i).style, 0) << "the company: no size tag, no separator";
    }

    const RichText email = card.lines[0].text.parse(cache);
    EXPECT_EQ(email.plainText(), QStringLiteral("<#FF0000>x@y</#>"));
    for (const RichChar& c : email.chars()) {
        EXPECT_EQ(c.colour & 0xFFFFFF, 0x004080u);
        EXPECT_EQ(c.style, richstyle::kItalic);
    }
    const RichText messenger = card.lines[1].text.parse(cache);
    EXPECT_EQ(messenger.plainText(), QStringLiteral("<U>u <I>AOL"));
    EXPECT_EQ(messenger.at(0).style, 0);
    EXPECT_EQ(messenger.at(6).style, richstyle::kBold) << "the type is bold, not italic";
}

TEST_F(ContactCardBuilderTest, PhonesShowThroughTheActiveTemplates) {
    context.phoneTemplates = PhoneTemplateSet(PhoneTemplateSet::firstRunTemplates(), true, false);
    ContactRecord contact = named("Ann", "Lee");
    contact.setField(F::MobilePhone, "79123456789");
    contact.extended.phones = {{"Boat", "123 456"}};
    EXPECT_EQ(describe(build(contact)),
              QStringList({"Mobile | +7 (912) 345-67-89 | 1", "Boat | 12-34-56 | 1"}));
    context.phoneTemplates.setActiveTemplate(false);
    EXPECT_EQ(describe(build(contact)),
              QStringList({"Mobile | 79123456789 | 1", "Boat | 123 456 | 1"}));
}

TEST_F(ContactCardBuilderTest, AnAddressWithoutFormatTakesTheTableDefault) {
    ContactRecord contact = named("Ann", "Lee");
    contact.setField(F::HomeStreet, "1 Main St");
    contact.setField(F::HomeCity, "Springfield");
    contact.setField(F::HomeRegion, "IL");
    contact.setField(F::HomePostalCode, "62701");
    contact.extended.addresses = {{"Dacha", {"Lesnaya 5", "Tver", "", "170000", "Russia"}, 42}};
    EXPECT_EQ(describe(build(contact)), QStringList({"Home | 1 Main St Springfield IL 62701  | 6",
                                                     "Dacha | Russia 170000  Tver Lesnaya 5 | 6"}))
        << "no format stored: the United States default of this table; the extra address "
           "in the Russian format";
}

TEST_F(ContactCardBuilderTest, CategoryLineOnlyWithNames) {
    ContactRecord contact = named("Ann", "Lee");
    contact.categoryMask = QByteArray(1, '\x01');
    EXPECT_TRUE(build(contact).lines.isEmpty()) << "no names for the mask";
    context.categoryNames = nullptr;
    contact.categoryMask = QByteArray(1, '\x05');
    EXPECT_TRUE(build(contact).lines.isEmpty()) << "no categories database";
}

}  // namespace
}  // namespace kontavo
