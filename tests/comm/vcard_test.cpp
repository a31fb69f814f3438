#include "comm/vcard.h"

#include <gtest/gtest.h>

#include "randomcontact.h"
#include "store/notes/utf16note.h"
#include "store/record/itemkey.h"

namespace kontavo {
namespace {

// Field-by-field comparison first, so that a failure names the field.
void expectSameContact(const VCardContact& expected, const VCardContact& actual) {
    for (int f = 0; f < kContactFieldCount; ++f) {
        EXPECT_EQ(expected.record.fields[size_t(f)], actual.record.fields[size_t(f)])
            << fieldInfo(ContactField(f)).name;
    }
    EXPECT_EQ(expected.record.birthday, actual.record.birthday);
    EXPECT_EQ(expected.record.anniversary, actual.record.anniversary);
    EXPECT_EQ(expected.record.preferredItemTag, actual.record.preferredItemTag);
    EXPECT_EQ(expected.record.userNote, actual.record.userNote);
    EXPECT_EQ(expected.record.extended.phones, actual.record.extended.phones);
    EXPECT_EQ(expected.record.extended.emails, actual.record.extended.emails);
    EXPECT_EQ(expected.record.extended.webPages, actual.record.extended.webPages);
    EXPECT_EQ(expected.record.extended.people, actual.record.extended.people);
    EXPECT_EQ(expected.record.extended.otherProps, actual.record.extended.otherProps);
    EXPECT_EQ(expected.record.extended.links, actual.record.extended.links);
    EXPECT_EQ(expected.record.extended.messengers, actual.record.extended.messengers);
    EXPECT_EQ(expected.record.extended.addresses, actual.record.extended.addresses);
    EXPECT_EQ(expected.record.extended.dates, actual.record.extended.dates);
    EXPECT_TRUE(expected.record.equals(actual.record));
    EXPECT_EQ(expected.categories, actual.categories);
    EXPECT_EQ(expected.picture, actual.picture);
}

VCardContact readOne(const QByteArray& bytes) {
    const VCardReadResult read = readVCards(bytes);
    EXPECT_EQ(read.contacts.size(), 1);
    return read.contacts.value(0);
}

class VCardRoundTrip : public ::testing::TestWithParam<VCardVersion> {};

TEST_P(VCardRoundTrip, RandomContactsComeBackEqualInEveryMappedField) {
    test::RandomContact random(2026);
    QByteArray file;
    QList<VCardContact> written;
    for (int i = 0; i < 300; ++i) {
        const VCardContact contact = random.next();
        const QByteArray card = writeVCard(contact, Locale::user(), GetParam());
        SCOPED_TRACE(card.toStdString());
        expectSameContact(contact, readOne(card));
        if (::testing::Test::HasFailure()) {
            return;
        }
        file += card;
        written.append(contact);
    }
    // The same contacts as one file of many cards.
    const VCardReadResult all = readVCards(file);
    ASSERT_EQ(all.contacts.size(), written.size());
    EXPECT_EQ(all.skippedLines, 0);
    for (qsizetype i = 0; i < written.size(); ++i) {
        EXPECT_TRUE(written[i].record.equals(all.contacts[i].record)) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Versions, VCardRoundTrip,
                         ::testing::Values(VCardVersion::V30, VCardVersion::V40),
                         [](const auto& info) {
                             return info.param == VCardVersion::V30 ? "V30" : "V40";
                         });

TEST(VCardWriter, WritesFoldedEscapedUtf8LinesWithCrLf) {
    VCardContact contact;
    contact.record.setField(ContactField::LastName, QStringLiteral("a;b,c\\d\r\ne"));
    contact.record.setField(ContactField::Office, QString(40, QChar(0x0416)));  // 80 octets
    const QByteArray card = writeVCard(contact);
    EXPECT_TRUE(card.startsWith("BEGIN:VCARD\r\nVERSION:3.0\r\n"));
    EXPECT_TRUE(card.endsWith("END:VCARD\r\n"));
    EXPECT_TRUE(card.contains("N:a\\;b\\,c\\\\d\\ne;;;;\r\n"));
    const QList<QByteArray> lines = card.split('\n');
    for (const QByteArray& line : lines.mid(0, lines.size() - 1)) {
        EXPECT_TRUE(line.endsWith('\r')) << line.toStdString();
        EXPECT_LE(line.size() - 1, 75) << line.toStdString();
        // No line cuts a UTF-8 sequence: each decodes on its own.
        EXPECT_EQ(QString::fromUtf8(line).toUtf8(), line);
    }
    EXPECT_TRUE(card.contains("X-KONTAVO-OFFICE:"));
    EXPECT_TRUE(card.contains("\r\n "));  // the office line was folded
}

TEST(VCardWriter, GivesEveryStandardPhoneItsOwnTypes) {
    VCardContact contact;
    for (ContactField phone : phoneListFields()) {
        contact.record.setField(phone, QString::fromLatin1(fieldInfo(phone).name));
    }
    contact.record.preferredItemTag = fieldInfo(ContactField::MobilePhone).tag();
    const QByteArray card = writeVCard(contact);
    EXPECT_TRUE(card.contains("TEL;TYPE=WORK,VOICE:WorkPhone\r\n"));
    EXPECT_TRUE(card.contains("TEL;TYPE=WORK,VOICE,X-SECOND:WorkPhone2\r\n"));
    EXPECT_TRUE(card.contains("TEL;TYPE=HOME,FAX:HomeFax\r\n"));
    EXPECT_TRUE(card.contains("TEL;TYPE=CELL,VOICE,PREF:MobilePhone\r\n"));
    EXPECT_TRUE(card.contains("TEL;TYPE=X-RADIO:RadioPhone\r\n"));
    const VCardContact read = readOne(card);
    for (ContactField phone : phoneListFields()) {
        EXPECT_EQ(read.record.field(phone), QString::fromLatin1(fieldInfo(phone).name));
    }
    EXPECT_EQ(read.record.preferredItemTag, contact.record.preferredItemTag);
}

TEST(VCardReader, PlacesForeignPhonesAndEmailsInFreeFieldsThenExtended) {
    const QByteArray card =
        "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Doe;John\r\n"
        "TEL;TYPE=CELL:1\r\nTEL;TYPE=CELL:2\r\nTEL:3\r\nTEL;TYPE=WORK:4\r\nTEL;TYPE=WORK:5\r\n"
        "TEL;TYPE=FAX:6\r\nTEL;TYPE=HOME;TYPE=VOICE:7\r\n"
        "EMAIL;TYPE=X-EMAIL3:c@x\r\nEMAIL:a@x\r\nEMAIL;TYPE=INTERNET,PREF:b@x\r\nEMAIL:d@x\r\n"
        "END:VCARD\r\n";
    const ContactRecord record = readOne(card).record;
    EXPECT_EQ(record.field(ContactField::MobilePhone), "1");
    EXPECT_EQ(record.field(ContactField::WorkPhone), "3");
    EXPECT_EQ(record.field(ContactField::WorkPhone2), "4");
    EXPECT_EQ(record.field(ContactField::WorkFax), "6");
    EXPECT_EQ(record.field(ContactField::HomePhone), "7");
    ASSERT_EQ(record.extended.phones.size(), 2);
    EXPECT_EQ(record.extended.phones[0].value, "2");
    EXPECT_EQ(record.extended.phones[0].label, fieldLabel(ContactField::MobilePhone).wide);
    EXPECT_EQ(record.extended.phones[1].value, "5");
    EXPECT_EQ(record.field(ContactField::Email1), "a@x");
    EXPECT_EQ(record.field(ContactField::Email2), "b@x");
    EXPECT_EQ(record.field(ContactField::Email3), "c@x");
    ASSERT_EQ(record.extended.emails.size(), 1);
    EXPECT_EQ(record.extended.emails[0].value, "d@x");
    EXPECT_EQ(record.preferredItemTag, fieldInfo(ContactField::Email2).tag());
}

TEST(VCardReader, ReadsVersion21WithQuotedPrintableCharsetsAndBareTypes) {
    // Soft line breaks ("=" at a line end), an encoded CR LF, CHARSET=UTF-8
    // and windows-1251, bare types, and 2.1 folding that keeps the blank.
    const QByteArray card =
        "BEGIN:VCARD\r\n"
        "VERSION:2.1\r\n"
        "N;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:=D0=9F=D0=B5=D1=82=D1=80=D0=BE=D0=B2=D0=B0;=\r\n"
        "Anna\r\n"
        "TEL;HOME;VOICE:+7 495 111\r\n"
        "TEL;CELL:+7 916\r\n"
        "TEL;WORK;FAX:+7 495 222\r\n"
        "ADR;WORK;QUOTED-PRINTABLE;CHARSET=UTF-8:;;Tverskaya 1=0D=0AFloor 2;Moskva;;101000;=\r\n"
        "Russia\r\n"
        "ORG;CHARSET=WINDOWS-1251:\xCC\xE8\xF0\r\n"
        "NOTE;ENCODING=QUOTED-PRINTABLE:first line=0D=0Asecond =3D line\r\n"
        "TITLE:Chief\r\n"
        " Engineer\r\n"
        "BDAY:19800215\r\n"
        "END:VCARD\r\n";
    const ContactRecord record = readOne(card).record;
    EXPECT_EQ(record.field(ContactField::LastName), QStringLiteral("Петрова"));
    EXPECT_EQ(record.field(ContactField::FirstName), "Anna");
    EXPECT_EQ(record.field(ContactField::HomePhone), "+7 495 111");
    EXPECT_EQ(record.field(ContactField::MobilePhone), "+7 916");
    EXPECT_EQ(record.field(ContactField::WorkFax), "+7 495 222");
    EXPECT_EQ(record.field(ContactField::WorkStreet), "Tverskaya 1\r\nFloor 2");
    EXPECT_EQ(record.field(ContactField::WorkCity), "Moskva");
    EXPECT_EQ(record.field(ContactField::WorkPostalCode), "101000");
    EXPECT_EQ(record.field(ContactField::WorkCountry), "Russia");
    EXPECT_EQ(record.field(ContactField::Company), QStringLiteral("Мир"));
    EXPECT_EQ(record.field(ContactField::JobTitle), "Chief Engineer");
    EXPECT_EQ(record.userNote, utf16Note(QStringLiteral("first line\r\nsecond = line")));
    EXPECT_EQ(dateFromFileTime(record.birthday), QDate(1980, 2, 15));
}

TEST(VCardReader, SkipsMalformedUnknownAndStrayLinesAndReadsEveryCard) {
    const QByteArray file =
        "garbage before any card\n"
        "BEGIN:VCARD\nVERSION:3.0\nN:One;\n"
        "this line has no colon\n"
        ":no name\n"
        "X-UNKNOWN;FOO=bar:kept\n"
        "PHOTO;ENCODING=b;TYPE=JPEG:/9j/4AAQ\n"
        "AGENT:\nBEGIN:VCARD\nN:Nested;Agent\nEND:VCARD\n"
        "item1.EMAIL;type=INTERNET:one@x\n"
        "END:VCARD\n"
        "BEGIN:VCARD\rFN:Only Formatted\rEND:VCARD\r"
        "BEGIN:vcard\r\nN:Three;;;;\r\nCATEGORIES:Work,Family\\,Friends;Home\r\n";
    const VCardReadResult read = readVCards(file);
    ASSERT_EQ(read.contacts.size(), 3);
    EXPECT_EQ(read.skippedLines, 3);
    EXPECT_EQ(read.contacts[0].record.field(ContactField::LastName), "One");
    EXPECT_EQ(read.contacts[0].record.field(ContactField::Email1), "one@x");
    EXPECT_EQ(read.contacts[0].record.extended.otherProps,
              QList<LabeledValue>({{"X-UNKNOWN", "kept"}}));
    EXPECT_EQ(read.contacts[0].picture,
              VCardPicture({QByteArray("\xFF\xD8\xFF\xE0\x00\x10", 6), "image/jpeg"}));
    EXPECT_EQ(read.contacts[1].record.field(ContactField::FirstName), "Only Formatted");
    EXPECT_EQ(read.contacts[2].record.field(ContactField::LastName), "Three");
    EXPECT_EQ(read.contacts[2].categories, QStringList({"Work", "Family,Friends", "Home"}));
}

TEST(VCardReader, ReadsExtendedEntriesWithTheirLabels) {
    const QByteArray card =
        "BEGIN:VCARD\r\nVERSION:3.0\r\nN:;;;;\r\n"
        "X-KONTAVO-PHONE;X-LABEL=\"Da;cha ^'x^' ^^\";TYPE=PREF:+7 1\r\n"
        "X-KONTAVO-MESSENGER;X-LABEL=Chat:ICQ;12345\r\n"
        "X-KONTAVO-ADDRESS;X-LABEL=Cottage;X-KONTAVO-FORMAT=54:;;Lane 3;Tver;;170000;RU\r\n"
        "X-KONTAVO-DATE;X-LABEL=Met:2001-09-11\r\n"
        "X-KONTAVO-LINK:/docs/a.txt\r\n"
        "X-ANNIVERSARY:2005-06-07T12:30:00Z\r\n"
        "NICKNAME:Annie\r\n"
        "END:VCARD\r\n";
    const ContactRecord record = readOne(card).record;
    const QString label = QStringLiteral("Da;cha \"x\" ^");
    ASSERT_EQ(record.extended.phones, QList<LabeledValue>({{label, "+7 1"}}));
    EXPECT_EQ(record.preferredItemTag, itemKey(label, QStringLiteral("+7 1")));
    EXPECT_EQ(record.extended.messengers, QList<MessengerEntry>({{"Chat", "12345", "ICQ"}}));
    ASSERT_EQ(record.extended.addresses.size(), 1);
    EXPECT_EQ(record.extended.addresses[0].parts[0], "Lane 3");
    EXPECT_EQ(record.extended.addresses[0].parts[3], "170000");
    EXPECT_EQ(record.extended.addresses[0].formatCode, 54u);
    ASSERT_EQ(record.extended.dates.size(), 1);
    EXPECT_EQ(dateFromFileTime(record.extended.dates[0].time), QDate(2001, 9, 11));
    EXPECT_EQ(record.extended.links, QList<LabeledValue>({{"Link", "/docs/a.txt"}}));
    EXPECT_EQ(record.anniversary,
              *fileTimeFromDate(QDate(2005, 6, 7)) + FileTime(45000) * 10'000'000);
    EXPECT_EQ(record.extended.otherProps, QList<LabeledValue>({{"Nickname", "Annie"}}));
}

TEST(VCardReader, FileWithoutCardsGivesNoContacts) {
    EXPECT_TRUE(readVCards(QByteArray()).contacts.isEmpty());
    const VCardReadResult read = readVCards("hello\nN:x\nEND:VCARD\n");
    EXPECT_TRUE(read.contacts.isEmpty());
    EXPECT_EQ(read.skippedLines, 3);
}

}  // namespace
}  // namespace kontavo
