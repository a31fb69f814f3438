// Cards as the address books of phones and mail programs write them, built
// here from their published formats, one per program style: every value
// must land in its field or in a labelled extended entry.
#include <gtest/gtest.h>

#include "comm/vcard.h"
#include "store/notes/utf16note.h"
#include "store/record/itemkey.h"

namespace kontavo {

void PrintTo(const LabeledValue& value, std::ostream* out) {
    *out << "{" << value.label.toStdString() << ": " << value.value.toStdString() << "}";
}
void PrintTo(const MessengerEntry& entry, std::ostream* out) {
    *out << "{" << entry.label.toStdString() << ": " << entry.account.toStdString() << " ("
         << entry.type.toStdString() << ")}";
}

namespace {

VCardContact readOne(const QByteArray& bytes) {
    const VCardReadResult read = readVCards(bytes);
    EXPECT_EQ(read.contacts.size(), 1);
    EXPECT_EQ(read.skippedLines, 0);
    return read.contacts.value(0);
}

QString field(const VCardContact& contact, ContactField f) {
    return contact.record.field(f);
}

QDate dateOf(FileTime time) {
    return dateFromFileTime(time);
}

// Every contact read from a foreign card comes back unchanged through this
// program's own cards, in both versions.
void expectOwnRoundTrip(const VCardContact& contact) {
    for (VCardVersion version : {VCardVersion::V30, VCardVersion::V40}) {
        const VCardContact again = readOne(writeVCard(contact, Locale::user(), version));
        EXPECT_TRUE(again.record.equals(contact.record)) << int(version);
        EXPECT_EQ(again.record.extended, contact.record.extended) << int(version);
        EXPECT_EQ(again.categories, contact.categories);
        EXPECT_EQ(again.picture, contact.picture);
    }
}

const QByteArray kJpeg("\xFF\xD8\xFF\xE0\x00\x10JFIF\x00", 11);

TEST(VCardDialects, AndroidVersion21WithCustomTypesQuotedPrintableAndBase64Photo) {
    const QByteArray card =
        "BEGIN:VCARD\r\nVERSION:2.1\r\n"
        "N;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:=D0=98=D0=B2=D0=B0=D0=BD=D0=BE=D0=B2;Ivan;;;\r\n"
        "FN;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:Ivan =D0=98=D0=B2=D0=B0=D0=BD=D0=BE=D0=B2\r\n"
        "TEL;CELL;PREF:+7 916 000 11 22\r\n"
        "TEL;HOME:+7 495 111 22 33\r\n"
        "TEL;WORK;FAX:+7 495 444 55 66\r\n"
        "TEL;X-Dacha:+7 4822 12 34\r\n"
        "TEL;MSG:+7 916 777\r\n"
        "EMAIL;HOME:ivan@home.example\r\n"
        "EMAIL;X-School:ivan@school.example\r\n"
        "ADR;HOME:;;Tverskaya 1;Moskva;;101000;Russia\r\n"
        "ORG:Acme;Sales\r\n"
        "TITLE:Engineer\r\n"
        "URL:http://ivan.example\r\n"
        "NICKNAME:Vanya\r\n"
        "X-AIM:ivan_aim\r\n"
        "X-ANDROID-CUSTOM:vnd.android.cursor.item/nickname;Vanya;1;;;;;;;;;;;;;\r\n"
        "BDAY:1980-02-15\r\n"
        "PHOTO;ENCODING=BASE64;JPEG:" +
        kJpeg.left(6).toBase64() +
        "\r\n"
        " " +
        kJpeg.mid(6).toBase64() +
        "\r\n"
        "\r\n"
        "NOTE;ENCODING=QUOTED-PRINTABLE:first=0D=0Asecond\r\n"
        "END:VCARD\r\n";
    const VCardContact contact = readOne(card);
    EXPECT_EQ(field(contact, ContactField::LastName), QStringLiteral("Иванов"));
    EXPECT_EQ(field(contact, ContactField::FirstName), "Ivan");
    EXPECT_EQ(field(contact, ContactField::MobilePhone), "+7 916 000 11 22");
    EXPECT_EQ(contact.record.preferredItemTag, fieldInfo(ContactField::MobilePhone).tag());
    EXPECT_EQ(field(contact, ContactField::HomePhone), "+7 495 111 22 33");
    EXPECT_EQ(field(contact, ContactField::WorkFax), "+7 495 444 55 66");
    EXPECT_EQ(contact.record.extended.phones,
              QList<LabeledValue>({{"Dacha", "+7 4822 12 34"}, {"MMS", "+7 916 777"}}));
    EXPECT_EQ(field(contact, ContactField::Email1), "ivan@home.example");
    EXPECT_EQ(contact.record.extended.emails,
              QList<LabeledValue>({{"School", "ivan@school.example"}}));
    EXPECT_EQ(field(contact, ContactField::HomeStreet), "Tverskaya 1");
    EXPECT_EQ(field(contact, ContactField::HomeCity), "Moskva");
    EXPECT_EQ(field(contact, ContactField::HomePostalCode), "101000");
    EXPECT_EQ(field(contact, ContactField::HomeCountry), "Russia");
    EXPECT_EQ(field(contact, ContactField::Company), "Acme");
    EXPECT_EQ(field(contact, ContactField::Department), "Sales");
    EXPECT_EQ(field(contact, ContactField::JobTitle), "Engineer");
    EXPECT_EQ(field(contact, ContactField::WebPage), "http://ivan.example");
    EXPECT_EQ(contact.record.extended.messengers,
              QList<MessengerEntry>({{"IM", "ivan_aim", "AOL"}}));
    EXPECT_EQ(contact.record.extended.otherProps,
              QList<LabeledValue>(
                  {{"Nickname", "Vanya"},
                   {"X-ANDROID-CUSTOM", "vnd.android.cursor.item/nickname;Vanya;1;;;;;;;;;;;;;"}}));
    EXPECT_EQ(dateOf(contact.record.birthday), QDate(1980, 2, 15));
    EXPECT_EQ(contact.picture, VCardPicture({kJpeg, "image/jpeg"}));
    EXPECT_EQ(contact.record.userNote, utf16Note("first\r\nsecond"));
    expectOwnRoundTrip(contact);
}

TEST(VCardDialects, AppleItemGroupsGiveLabelsAndPreference) {
    const QByteArray card =
        "BEGIN:VCARD\r\nVERSION:3.0\r\nPRODID:-//Apple Inc.//iPhone OS 17.0//EN\r\n"
        "N:Appleseed;Johnny;;;\r\nFN:Johnny Appleseed\r\n"
        "ORG:Apple Inc.;\r\n"
        "item1.EMAIL;type=INTERNET;type=pref:johnny@icloud.example\r\n"
        "item1.X-ABLabel:_$!<Other>!$_\r\n"
        "item2.EMAIL;type=INTERNET:j@garden.example\r\n"
        "item2.X-ABLabel:Garden\r\n"
        "TEL;type=CELL;type=VOICE:+1 408 555 0001\r\n"
        "TEL;type=IPHONE;type=CELL;type=VOICE:+1 408 555 0002\r\n"
        "item3.TEL:+1 408 555 0003\r\n"
        "item3.X-ABLabel:_$!<AssistantPhone>!$_\r\n"
        "item4.TEL;type=pref:+1 408 555 0004\r\n"
        "item4.X-ABLabel:Boat\r\n"
        "TEL;type=WORK;type=VOICE:+1 408 555 0005\r\n"
        "TEL;type=OTHER;type=FAX:+1 408 555 0006\r\n"
        "item5.ADR;type=HOME;type=pref:;;1 Infinite Loop;Cupertino;CA;95014;USA\r\n"
        "item5.X-ABADR:us\r\n"
        "item6.ADR:;;2 Orchard Rd;Cupertino;CA;95014;USA\r\n"
        "item6.X-ABLabel:Cottage\r\n"
        "item7.URL;type=pref:http://apple.example\r\n"
        "item7.X-ABLabel:_$!<HomePage>!$_\r\n"
        "item8.URL:http://blog.example\r\n"
        "item8.X-ABLabel:Blog\r\n"
        "item9.X-ABDATE;type=pref:2004-06-21\r\n"
        "item9.X-ABLabel:_$!<Anniversary>!$_\r\n"
        "item10.X-ABDATE:2010-09-01\r\n"
        "item10.X-ABLabel:First day\r\n"
        "item11.X-ABRELATEDNAMES;type=pref:Jane Appleseed\r\n"
        "item11.X-ABLabel:_$!<Spouse>!$_\r\n"
        "item12.X-ABRELATEDNAMES:Tim\r\n"
        "item12.X-ABLabel:_$!<Manager>!$_\r\n"
        "item13.X-ABRELATEDNAMES:Ann\r\n"
        "item13.X-ABLabel:_$!<Assistant>!$_\r\n"
        "IMPP;X-SERVICE-TYPE=AIM;type=HOME;type=pref:aim:johnnyaim\r\n"
        "IMPP;X-SERVICE-TYPE=GoogleTalk:xmpp:johnny@gmail.example\r\n"
        "item14.IMPP;X-SERVICE-TYPE=Skype:skype:johnny.skype\r\n"
        "item14.X-ABLabel:Calls\r\n"
        "X-ABShowAs:COMPANY\r\n"
        "X-ABUID:5AD380FD-B2DE-4261-BA99-DE1D1DB52FBE\\:ABPerson\r\n"
        "PHOTO;ENCODING=b;TYPE=JPEG:" +
        kJpeg.toBase64() +
        "\r\n"
        "END:VCARD\r\n";
    const VCardContact contact = readOne(card);
    const ContactRecord& record = contact.record;
    EXPECT_EQ(field(contact, ContactField::Email1), "johnny@icloud.example");
    EXPECT_EQ(record.extended.emails, QList<LabeledValue>({{"Garden", "j@garden.example"}}));
    EXPECT_EQ(field(contact, ContactField::MobilePhone), "+1 408 555 0001");
    EXPECT_EQ(field(contact, ContactField::AssistantPhone), "+1 408 555 0003");
    EXPECT_EQ(field(contact, ContactField::WorkPhone), "+1 408 555 0005");
    EXPECT_EQ(field(contact, ContactField::WorkPhone2), QString());
    EXPECT_EQ(record.extended.phones, QList<LabeledValue>({{"Mobile", "+1 408 555 0002"},
                                                           {"Boat", "+1 408 555 0004"},
                                                           {"Other fax", "+1 408 555 0006"}}));
    // The first preferred item in the card.
    EXPECT_EQ(record.preferredItemTag, fieldInfo(ContactField::Email1).tag());
    EXPECT_EQ(field(contact, ContactField::HomeStreet), "1 Infinite Loop");
    EXPECT_EQ(field(contact, ContactField::HomeRegion), "CA");
    ASSERT_EQ(record.extended.addresses.size(), 1);
    EXPECT_EQ(record.extended.addresses[0].label, "Cottage");
    EXPECT_EQ(record.extended.addresses[0].parts[0], "2 Orchard Rd");
    EXPECT_EQ(field(contact, ContactField::WebPage), "http://apple.example");
    EXPECT_EQ(record.extended.webPages, QList<LabeledValue>({{"Blog", "http://blog.example"}}));
    EXPECT_EQ(dateOf(record.anniversary), QDate(2004, 6, 21));
    ASSERT_EQ(record.extended.dates.size(), 1);
    EXPECT_EQ(record.extended.dates[0].label, "First day");
    EXPECT_EQ(dateOf(record.extended.dates[0].time), QDate(2010, 9, 1));
    EXPECT_EQ(field(contact, ContactField::Spouse), "Jane Appleseed");
    EXPECT_EQ(field(contact, ContactField::AssistantName), "Ann");
    EXPECT_EQ(record.extended.people, QList<LabeledValue>({{"Manager", "Tim"}}));
    EXPECT_EQ(record.extended.messengers,
              QList<MessengerEntry>({{"IM", "johnnyaim", "AOL"},
                                     {"IM", "johnny@gmail.example", "Google Talk"},
                                     {"Calls", "johnny.skype", "Skype"}}));
    EXPECT_TRUE(record.extended.otherProps.isEmpty());
    EXPECT_EQ(contact.picture, VCardPicture({kJpeg, "image/jpeg"}));
    expectOwnRoundTrip(contact);
}

TEST(VCardDialects, OutlookVersion21WithRelatedNamesAnniversaryAndCrCrLf) {
    QByteArray card =
        "BEGIN:VCARD\r\nVERSION:2.1\r\n"
        "N;LANGUAGE=en-us:Smith;John;Q;Mr.;Jr.\r\nFN:Mr. John Q Smith Jr.\r\n"
        "ORG:Contoso;Research\r\nTITLE:Director\r\nROLE:Director\r\n"
        "TEL;WORK;VOICE:+1 425 555 0100\r\nTEL;WORK;VOICE:+1 425 555 0101\r\n"
        "TEL;HOME;VOICE:+1 425 555 0102\r\nTEL;CELL;VOICE:+1 425 555 0103\r\n"
        "TEL;CAR;VOICE:+1 425 555 0104\r\nTEL;PAGER;VOICE:+1 425 555 0105\r\n"
        "TEL;HOME;FAX:+1 425 555 0106\r\nTEL;WORK;FAX:+1 425 555 0107\r\n"
        "TEL;ISDN:+1 425 555 0108\r\n"
        "ADR;WORK;PREF:;;One Microsoft Way;Redmond;WA;98052;United States of America\r\n"
        "LABEL;WORK;PREF;ENCODING=QUOTED-PRINTABLE:One Microsoft Way=0D=0A=\r\n"
        "Redmond, WA 98052\r\n"
        "X-MS-OL-DEFAULT-POSTAL-ADDRESS:2\r\n"
        "URL;WORK:http://contoso.example\r\n"
        "EMAIL;PREF;INTERNET:john@contoso.example\r\n"
        "EMAIL;INTERNET:jqs@home.example\r\n"
        "X-MS-IMADDRESS:john@im.example\r\n"
        "X-MS-MANAGER:Mary Major\r\nX-MS-ASSISTANT:Alan Assist\r\nX-MS-SPOUSE:Sue\r\n"
        "X-MS-ANNIVERSARY:20010512\r\nBDAY:19700401\r\n"
        "X-MS-CARDPICTURE;TYPE=JPEG;ENCODING=BASE64:\r\n " +
        kJpeg.toBase64() +
        "\r\n\r\n"
        "X-WAB-GENDER:2\r\n"
        "REV:20240101T120000Z\r\n"
        "END:VCARD\r\n";
    card.replace("\r\n", "\r\r\n");
    const VCardContact contact = readOne(card);
    const ContactRecord& record = contact.record;
    EXPECT_EQ(field(contact, ContactField::LastName), "Smith");
    EXPECT_EQ(field(contact, ContactField::MiddleName), "Q");
    EXPECT_EQ(field(contact, ContactField::Title), "Mr.");
    EXPECT_EQ(field(contact, ContactField::Suffix), "Jr.");
    EXPECT_EQ(field(contact, ContactField::Department), "Research");
    EXPECT_EQ(field(contact, ContactField::JobTitle), "Director");
    EXPECT_EQ(field(contact, ContactField::WorkPhone), "+1 425 555 0100");
    EXPECT_EQ(field(contact, ContactField::WorkPhone2), "+1 425 555 0101");
    EXPECT_EQ(field(contact, ContactField::HomePhone), "+1 425 555 0102");
    EXPECT_EQ(field(contact, ContactField::MobilePhone), "+1 425 555 0103");
    EXPECT_EQ(field(contact, ContactField::CarPhone), "+1 425 555 0104");
    EXPECT_EQ(field(contact, ContactField::Pager), "+1 425 555 0105");
    EXPECT_EQ(field(contact, ContactField::HomeFax), "+1 425 555 0106");
    EXPECT_EQ(field(contact, ContactField::WorkFax), "+1 425 555 0107");
    EXPECT_EQ(record.extended.phones, QList<LabeledValue>({{"ISDN", "+1 425 555 0108"}}));
    EXPECT_EQ(field(contact, ContactField::WorkStreet), "One Microsoft Way");
    EXPECT_EQ(field(contact, ContactField::WorkCountry), "United States of America");
    EXPECT_EQ(field(contact, ContactField::WebPage), "http://contoso.example");
    EXPECT_EQ(field(contact, ContactField::Email1), "john@contoso.example");
    EXPECT_EQ(field(contact, ContactField::Email2), "jqs@home.example");
    EXPECT_EQ(record.preferredItemTag, fieldInfo(ContactField::Email1).tag());
    EXPECT_EQ(record.extended.messengers,
              QList<MessengerEntry>({{"IM", "john@im.example", "MSN"}}));
    EXPECT_EQ(field(contact, ContactField::AssistantName), "Alan Assist");
    EXPECT_EQ(field(contact, ContactField::Spouse), "Sue");
    EXPECT_EQ(record.extended.people, QList<LabeledValue>({{"Manager", "Mary Major"}}));
    EXPECT_EQ(dateOf(record.anniversary), QDate(2001, 5, 12));
    EXPECT_EQ(dateOf(record.birthday), QDate(1970, 4, 1));
    // The address label repeats the address; the gender has no field.
    EXPECT_EQ(record.extended.otherProps, QList<LabeledValue>({{"X-WAB-GENDER", "2"}}));
    // Outlook's business card picture is not the contact's photo.
    EXPECT_FALSE(contact.picture.has_value());
    EXPECT_EQ(contact.picturesLeftOut, 1);
    expectOwnRoundTrip(contact);
}

TEST(VCardDialects, EvolutionTypesAndRelatedProperties) {
    const QByteArray card =
        "BEGIN:VCARD\nVERSION:3.0\nUID:pas-id-4F1A\n"
        "N:Lopez;Maria;;;\nFN:Maria Lopez\nX-EVOLUTION-FILE-AS:Lopez\\, Maria\n"
        "TEL;TYPE=WORK;X-EVOLUTION-UI-SLOT=1:+34 91 000 01\n"
        "TEL;TYPE=X-EVOLUTION-ASSISTANT;X-EVOLUTION-UI-SLOT=2:+34 91 000 02\n"
        "TEL;TYPE=X-EVOLUTION-COMPANY;X-EVOLUTION-UI-SLOT=3:+34 91 000 03\n"
        "TEL;TYPE=X-EVOLUTION-RADIO:+34 91 000 04\n"
        "TEL;TYPE=X-EVOLUTION-CALLBACK:+34 91 000 05\n"
        "EMAIL;TYPE=WORK;X-EVOLUTION-UI-SLOT=1:maria@work.example\n"
        "EMAIL;TYPE=OTHER:maria@other.example\n"
        "X-JABBER;TYPE=HOME;X-EVOLUTION-UI-SLOT=1:maria@jabber.example\n"
        "X-YAHOO:maria_y\nX-GADUGADU:123456\nX-SKYPE:maria.s\nX-GOOGLE-TALK:maria@gt.example\n"
        "X-ICQ:7654321\nX-MSN:maria@msn.example\nX-GROUPWISE:mlopez\n"
        "X-EVOLUTION-SPOUSE:Carlos\nX-EVOLUTION-MANAGER:Elena\nX-EVOLUTION-ASSISTANT:Pablo\n"
        "X-EVOLUTION-ANNIVERSARY:1999-07-17\nBDAY:1972-03-03\n"
        "X-EVOLUTION-BLOG-URL:http://maria.blog.example\nURL:http://maria.example\n"
        "CALURI:http://cal.example/maria\n"
        "ADR;TYPE=OTHER:;;Calle Mayor 5;Madrid;;28013;Spain\n"
        "CATEGORIES:Friends,Work\n"
        "X-EVOLUTION-LIST-SHOW-ADDRESSES:TRUE\n"
        "END:VCARD\n";
    const VCardContact contact = readOne(card);
    const ContactRecord& record = contact.record;
    EXPECT_EQ(field(contact, ContactField::FileAs), "Lopez, Maria");
    EXPECT_EQ(field(contact, ContactField::WorkPhone), "+34 91 000 01");
    EXPECT_EQ(field(contact, ContactField::AssistantPhone), "+34 91 000 02");
    EXPECT_EQ(field(contact, ContactField::RadioPhone), "+34 91 000 04");
    EXPECT_EQ(record.extended.phones,
              QList<LabeledValue>({{"Company", "+34 91 000 03"}, {"Callback", "+34 91 000 05"}}));
    EXPECT_EQ(field(contact, ContactField::Email1), "maria@work.example");
    EXPECT_EQ(field(contact, ContactField::Email2), "maria@other.example");
    EXPECT_EQ(record.extended.messengers,
              QList<MessengerEntry>({{"IM", "maria@jabber.example", "Jabber"},
                                     {"IM", "maria_y", "Yahoo"},
                                     {"IM", "123456", "Gadu-Gadu"},
                                     {"IM", "maria.s", "Skype"},
                                     {"IM", "maria@gt.example", "Google Talk"},
                                     {"IM", "7654321", "ICQ"},
                                     {"IM", "maria@msn.example", "MSN"},
                                     {"IM", "mlopez", "GroupWise"}}));
    EXPECT_EQ(field(contact, ContactField::Spouse), "Carlos");
    EXPECT_EQ(field(contact, ContactField::AssistantName), "Pablo");
    EXPECT_EQ(record.extended.people, QList<LabeledValue>({{"Manager", "Elena"}}));
    EXPECT_EQ(dateOf(record.anniversary), QDate(1999, 7, 17));
    EXPECT_EQ(dateOf(record.birthday), QDate(1972, 3, 3));
    EXPECT_EQ(field(contact, ContactField::WebPage), "http://maria.example");
    EXPECT_EQ(record.extended.webPages,
              QList<LabeledValue>({{"Blog", "http://maria.blog.example"}}));
    EXPECT_EQ(record.extended.otherProps,
              QList<LabeledValue>({{"CALURI", "http://cal.example/maria"}}));
    EXPECT_EQ(field(contact, ContactField::OtherStreet), "Calle Mayor 5");
    EXPECT_EQ(field(contact, ContactField::OtherCity), "Madrid");
    EXPECT_EQ(contact.categories, QStringList({"Friends", "Work"}));
    expectOwnRoundTrip(contact);
}

TEST(VCardDialects, GmailGroupsAndEscapedColons) {
    const QByteArray card =
        "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Lee Wong\r\nN:Wong;Lee;;;\r\n"
        "NICKNAME:Leo\r\n"
        "EMAIL;TYPE=INTERNET;TYPE=HOME:lee@gmail.example\r\n"
        "EMAIL;TYPE=INTERNET;TYPE=WORK:lee@work.example\r\n"
        "TEL;TYPE=CELL:+65 9000 0001\r\n"
        "TEL;TYPE=WORK:+65 6000 0002\r\n"
        "ADR;TYPE=HOME:;;8 Marina Blvd;Singapore;;018981;Singapore\r\n"
        "ORG:Wong Trading\r\nTITLE:Owner\r\n"
        "BDAY:1985-12-24\r\n"
        "item1.URL:http\\://lee.example\r\nitem1.X-ABLabel:_$!<HomePage>!$_\r\n"
        "item2.X-ABDATE:2012-10-10\r\nitem2.X-ABLabel:_$!<Anniversary>!$_\r\n"
        "item3.X-ABRELATEDNAMES:Mei\r\nitem3.X-ABLabel:_$!<Child>!$_\r\n"
        "item4.X-ABRELATEDNAMES:Ken\r\nitem4.X-ABLabel:_$!<Child>!$_\r\n"
        "item5.EMAIL;TYPE=INTERNET:lee@club.example\r\nitem5.X-ABLabel:Golf club\r\n"
        "CATEGORIES:myContacts,Starred in Android\r\n"
        "NOTE:Met at the fair\\, 2019\r\n"
        "END:VCARD\r\n";
    const VCardContact contact = readOne(card);
    const ContactRecord& record = contact.record;
    EXPECT_EQ(field(contact, ContactField::Email1), "lee@gmail.example");
    EXPECT_EQ(field(contact, ContactField::Email2), "lee@work.example");
    EXPECT_EQ(record.extended.emails, QList<LabeledValue>({{"Golf club", "lee@club.example"}}));
    EXPECT_EQ(field(contact, ContactField::MobilePhone), "+65 9000 0001");
    EXPECT_EQ(field(contact, ContactField::WorkPhone), "+65 6000 0002");
    EXPECT_EQ(field(contact, ContactField::HomePostalCode), "018981");
    EXPECT_EQ(field(contact, ContactField::Company), "Wong Trading");
    EXPECT_EQ(field(contact, ContactField::JobTitle), "Owner");
    EXPECT_EQ(dateOf(record.birthday), QDate(1985, 12, 24));
    EXPECT_EQ(field(contact, ContactField::WebPage), "http://lee.example");
    EXPECT_EQ(dateOf(record.anniversary), QDate(2012, 10, 10));
    EXPECT_EQ(field(contact, ContactField::Children), "Mei");
    EXPECT_EQ(record.extended.people, QList<LabeledValue>({{"Children", "Ken"}}));
    EXPECT_EQ(record.extended.otherProps, QList<LabeledValue>({{"Nickname", "Leo"}}));
    EXPECT_EQ(contact.categories, QStringList({"myContacts", "Starred in Android"}));
    EXPECT_EQ(record.userNote, utf16Note("Met at the fair, 2019"));
    expectOwnRoundTrip(contact);
}

TEST(VCardDialects, BlackBerryWithPinDuplicateNumbersAndUndatedBirthday) {
    const QByteArray card =
        "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Tremblay;Luc\r\nFN:Luc Tremblay\r\n"
        "TEL;TYPE=WORK,VOICE:+1 519 555 0001\r\nTEL;TYPE=WORK,VOICE:+1 519 555 0002\r\n"
        "TEL;TYPE=WORK,VOICE:+1 519 555 0003\r\n"
        "TEL;TYPE=HOME,VOICE:+1 519 555 0004\r\nTEL;TYPE=HOME,VOICE:+1 519 555 0005\r\n"
        "TEL;TYPE=CELL:+1 519 555 0006\r\nTEL;TYPE=CELL:+1 519 555 0007\r\n"
        "TEL;TYPE=PAGER:+1 519 555 0008\r\nTEL;TYPE=FAX:+1 519 555 0009\r\n"
        "TEL;TYPE=OTHER:+1 519 555 0010\r\n"
        "EMAIL;TYPE=INTERNET:a@bb.example\r\nEMAIL;TYPE=INTERNET:b@bb.example\r\n"
        "EMAIL;TYPE=INTERNET:c@bb.example\r\nEMAIL;TYPE=INTERNET:d@bb.example\r\n"
        "X-BB-PIN:2100000A\r\n"
        "BDAY:--0704\r\n"
        "X-ANNIVERSARY:2000-08-19\r\n"
        "NOTE:line one\\nline two\r\n"
        "END:VCARD\r\n";
    const VCardContact contact = readOne(card);
    const ContactRecord& record = contact.record;
    EXPECT_EQ(field(contact, ContactField::WorkPhone), "+1 519 555 0001");
    EXPECT_EQ(field(contact, ContactField::WorkPhone2), "+1 519 555 0002");
    EXPECT_EQ(field(contact, ContactField::HomePhone), "+1 519 555 0004");
    EXPECT_EQ(field(contact, ContactField::HomePhone2), "+1 519 555 0005");
    EXPECT_EQ(field(contact, ContactField::MobilePhone), "+1 519 555 0006");
    EXPECT_EQ(field(contact, ContactField::Pager), "+1 519 555 0008");
    EXPECT_EQ(field(contact, ContactField::WorkFax), "+1 519 555 0009");
    EXPECT_EQ(record.extended.phones, QList<LabeledValue>({{"Work", "+1 519 555 0003"},
                                                           {"Mobile", "+1 519 555 0007"},
                                                           {"Other", "+1 519 555 0010"}}));
    EXPECT_EQ(field(contact, ContactField::Email3), "c@bb.example");
    EXPECT_EQ(record.extended.emails, QList<LabeledValue>({{"E-mail", "d@bb.example"}}));
    EXPECT_EQ(record.birthday, 0u);
    EXPECT_EQ(record.extended.otherProps,
              QList<LabeledValue>({{"X-BB-PIN", "2100000A"}, {"BDAY", "--0704"}}));
    EXPECT_EQ(dateOf(record.anniversary), QDate(2000, 8, 19));
    EXPECT_EQ(record.userNote, utf16Note("line one\r\nline two"));
    expectOwnRoundTrip(contact);
}

TEST(VCardDialects, LotusNotesWithCrCrLfFoldingAndTypeLists) {
    QByteArray card =
        "BEGIN:VCARD\r\nVERSION:3.0\r\n"
        "PRODID:-//Lotus Development Corporation//NONSGML Lotus Notes//EN\r\n"
        "N:Schmidt;Petra;;Dr.;\r\nFN:Dr. Petra Schmidt\r\n"
        "ORG:Beispiel GmbH;Entwicklung;Labor\r\nTITLE:Leiterin der Abteilung f\xC3\xBC"
        "r\r\n  Forschung\r\n"
        "TEL;TYPE=WORK,VOICE,PREF:+49 30 1234 0\r\nTEL;TYPE=WORK,FAX:+49 30 1234 9\r\n"
        "TEL;TYPE=CELL:+49 171 000 000\r\n"
        "EMAIL;TYPE=INTERNET,PREF:petra.schmidt@beispiel.example\r\n"
        "ADR;TYPE=WORK,POSTAL,PARCEL:;Geb\xC3\xA4ude 4;Hauptstra\xC3\x9F"
        "e 1;Berlin;;10115;Deutschland\r\n"
        "ADR;TYPE=HOME,POSTAL:;;Gartenweg 2;Potsdam;;14467;Deutschland\r\n"
        "X-LOTUS-CHILD:Jonas\r\nX-SPOUSE:Klaus\r\nX-ASSISTANT:Heike\r\nX-MANAGER:Bernd\r\n"
        "URL:http://beispiel.example\r\n"
        "NOTE:Lange Notiz\\, die \r\n \xC3\xBC"
        "ber zwei Zeilen geht\r\n"
        "END:VCARD\r\n";
    card.replace("\r\n", "\r\r\n");
    const VCardContact contact = readOne(card);
    const ContactRecord& record = contact.record;
    EXPECT_EQ(field(contact, ContactField::Title), "Dr.");
    EXPECT_EQ(field(contact, ContactField::Department), "Entwicklung, Labor");
    EXPECT_EQ(field(contact, ContactField::JobTitle),
              QStringLiteral("Leiterin der Abteilung für Forschung"));
    EXPECT_EQ(field(contact, ContactField::WorkPhone), "+49 30 1234 0");
    EXPECT_EQ(record.preferredItemTag, fieldInfo(ContactField::WorkPhone).tag());
    EXPECT_EQ(field(contact, ContactField::WorkFax), "+49 30 1234 9");
    EXPECT_EQ(field(contact, ContactField::MobilePhone), "+49 171 000 000");
    EXPECT_EQ(field(contact, ContactField::Email1), "petra.schmidt@beispiel.example");
    EXPECT_EQ(field(contact, ContactField::WorkStreet),
              QStringLiteral("Hauptstraße 1\r\nGebäude 4"));
    EXPECT_EQ(field(contact, ContactField::WorkCity), "Berlin");
    EXPECT_EQ(field(contact, ContactField::HomeCity), "Potsdam");
    EXPECT_EQ(field(contact, ContactField::Spouse), "Klaus");
    EXPECT_EQ(field(contact, ContactField::AssistantName), "Heike");
    EXPECT_EQ(record.extended.people, QList<LabeledValue>({{"Manager", "Bernd"}}));
    EXPECT_EQ(record.extended.otherProps, QList<LabeledValue>({{"X-LOTUS-CHILD", "Jonas"}}));
    EXPECT_EQ(field(contact, ContactField::WebPage), "http://beispiel.example");
    EXPECT_EQ(record.userNote, utf16Note(QStringLiteral("Lange Notiz, die über zwei Zeilen geht")));
    expectOwnRoundTrip(contact);
}

TEST(VCardDialects, ThunderbirdVersion40WithUrisPreferenceAndDataPhoto) {
    const QByteArray card =
        "BEGIN:VCARD\r\nVERSION:4.0\r\nKIND:individual\r\n"
        "N:Dupont;Claire;;;\r\nFN:Claire Dupont\r\n"
        "EMAIL;TYPE=work:claire@work.example\r\n"
        "EMAIL;PREF=1;TYPE=home:claire@home.example\r\n"
        "TEL;TYPE=\"work,voice\";VALUE=uri:tel:+33-1-23-45-67-89\r\n"
        "TEL;TYPE=cell;VALUE=TEXT:+33 6 11 22 33 44\r\n"
        "TEL;TYPE=\"text,cell\";PREF=2:+33 6 99\r\n"
        "IMPP;PREF=1:xmpp:claire@jabber.example\r\n"
        "IMPP:sip:claire@voip.example\r\n"
        "RELATED;TYPE=spouse;VALUE=text:Marc\r\n"
        "RELATED;TYPE=child;VALUE=text:Lucie\r\n"
        "RELATED;TYPE=friend:urn:uuid:f81d4fae-7dec-11d0-a765-00a0c91e6bf6\r\n"
        "RELATED;TYPE=co-worker;VALUE=text:Paul\r\n"
        "ANNIVERSARY:19960415\r\nBDAY;VALUE=DATE:19700101\r\n"
        "GENDER:F\r\nLANG;PREF=1:fr\r\n"
        "ADR;TYPE=home;LABEL=\"1 rue de Rivoli\\nParis\":;;1 rue de Rivoli;Paris;;75001;France\r\n"
        "ORG;LANGUAGE=fr:Soci\xC3\xA9t\xC3\xA9;Ventes\r\n"
        "URL;VALUE=URL:https://claire.example\r\n"
        "X-CUSTOM1;VALUE=TEXT:Client 42\r\n"
        "PHOTO:data:image/png;base64," +
        QByteArray("\x89PNG\r\n\x1A\nabc", 11).toBase64() +
        "\r\n"
        "UID:urn:uuid:0aa2fca5-5c6f-4f1e-9ab8-5fd5a4bc8f6f\r\n"
        "END:VCARD\r\n";
    const VCardContact contact = readOne(card);
    const ContactRecord& record = contact.record;
    EXPECT_EQ(field(contact, ContactField::Email1), "claire@work.example");
    EXPECT_EQ(field(contact, ContactField::Email2), "claire@home.example");
    EXPECT_EQ(record.preferredItemTag, fieldInfo(ContactField::Email2).tag());
    EXPECT_EQ(field(contact, ContactField::WorkPhone), "+33-1-23-45-67-89");
    EXPECT_EQ(field(contact, ContactField::MobilePhone), "+33 6 11 22 33 44");
    EXPECT_EQ(record.extended.phones, QList<LabeledValue>({{"Mobile", "+33 6 99"}}));
    EXPECT_EQ(record.extended.messengers,
              QList<MessengerEntry>({{"IM", "claire@jabber.example", "Jabber"},
                                     {"IM", "claire@voip.example", "SIP"}}));
    EXPECT_EQ(field(contact, ContactField::Spouse), "Marc");
    EXPECT_EQ(field(contact, ContactField::Children), "Lucie");
    EXPECT_EQ(record.extended.people,
              QList<LabeledValue>({{"Friend", "urn:uuid:f81d4fae-7dec-11d0-a765-00a0c91e6bf6"},
                                   {"Co-worker", "Paul"}}));
    EXPECT_EQ(dateOf(record.anniversary), QDate(1996, 4, 15));
    EXPECT_EQ(dateOf(record.birthday), QDate(1970, 1, 1));
    EXPECT_EQ(record.extended.otherProps,
              QList<LabeledValue>({{"GENDER", "F"}, {"LANG", "fr"}, {"X-CUSTOM1", "Client 42"}}));
    EXPECT_EQ(field(contact, ContactField::HomeStreet), "1 rue de Rivoli");
    EXPECT_EQ(field(contact, ContactField::Company), QStringLiteral("Société"));
    EXPECT_EQ(field(contact, ContactField::WebPage), "https://claire.example");
    EXPECT_EQ(contact.picture, VCardPicture({QByteArray("\x89PNG\r\n\x1A\nabc", 11), "image/png"}));
    expectOwnRoundTrip(contact);
}

TEST(VCardDialects, VersionIsReadPerCardAndEmptyCardsAreCounted) {
    const QByteArray file =
        "BEGIN:VCARD\r\nVERSION:2.1\r\nN:One\r\nNOTE:folded in 2.1\r\n keeps the blank\r\n"
        "END:VCARD\r\n"
        "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Two\r\nNOTE:folded in 3.0\r\n  loses one blank\r\n"
        "END:VCARD\r\n"
        "BEGIN:VCARD\r\nVERSION:4.0\r\nUID:x\r\nREV:20200101T000000Z\r\nEND:VCARD\r\n"
        "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Three\r\nEND:VCARD\r\n";
    const VCardReadResult read = readVCards(file);
    ASSERT_EQ(read.contacts.size(), 3);
    EXPECT_EQ(read.unreadableCards, 1);
    EXPECT_EQ(read.contacts[0].record.userNote, utf16Note("folded in 2.1 keeps the blank"));
    EXPECT_EQ(read.contacts[1].record.userNote, utf16Note("folded in 3.0 loses one blank"));
    EXPECT_EQ(read.contacts[2].record.field(ContactField::LastName), "Three");
}

TEST(VCardDialects, Version40OwnCardsUseTheStandardProperties) {
    VCardContact contact;
    ContactRecord& record = contact.record;
    record.setField(ContactField::LastName, "Nowak");
    record.setField(ContactField::Spouse, "Ewa");
    record.setField(ContactField::MobilePhone, "+48 600");
    record.preferredItemTag = fieldInfo(ContactField::MobilePhone).tag();
    record.anniversary = *fileTimeFromDate(QDate(2003, 5, 1));
    record.extended.messengers.append(MessengerEntry{"IM", "nowak@x", "Jabber"});
    record.extended.people.append(LabeledValue{"Friend", "Jan"});
    contact.picture = VCardPicture{kJpeg, "image/jpeg"};
    const QString text = QString::fromUtf8(writeVCard(contact, Locale::user(), VCardVersion::V40))
                             .remove(QStringLiteral("\r\n "));
    EXPECT_TRUE(text.startsWith("BEGIN:VCARD\r\nVERSION:4.0\r\n"));
    EXPECT_TRUE(text.contains("TEL;TYPE=CELL,VOICE;PREF=1:+48 600\r\n"));
    EXPECT_TRUE(text.contains("ANNIVERSARY:20030501\r\n"));
    EXPECT_TRUE(text.contains("RELATED;TYPE=spouse;VALUE=text:Ewa\r\n"));
    EXPECT_TRUE(text.contains("RELATED;VALUE=text;X-LABEL=Friend:Jan\r\n"));
    EXPECT_TRUE(text.contains("IMPP;X-LABEL=IM;X-SERVICE-TYPE=Jabber:xmpp:nowak@x\r\n"));
    EXPECT_TRUE(text.contains("PHOTO:data:image/jpeg;base64," + kJpeg.toBase64() + "\r\n"));
    expectOwnRoundTrip(contact);
}

}  // namespace
}  // namespace kontavo
