#include "card/contacttemplatecodec.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QtEndian>

#include "card/contacttemplate.h"
#include "card/utf16linereader.h"

namespace kontavo {
namespace {

constexpr int kDefaultFormat = 16;

QByteArray utf16le(const QString& text) {
    QByteArray out(text.size() * 2, '\0');
    qToLittleEndian<char16_t>(text.utf16(), text.size(), out.data());
    return out;
}

// A file of these lines, each ended by CR LF.
QByteArray fileOf(const QStringList& lines) {
    return utf16le(lines.join("\r\n") + "\r\n");
}

QStringList linesOf(const QByteArray& bytes, qint64 chunkSize = 1024) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return readUtf16Lines(buffer, chunkSize);
}

// A template read from a file of these lines into a fresh template.
ContactTemplate decoded(const QStringList& lines) {
    ContactTemplate tmpl(kDefaultFormat);
    decodeContactTemplate(lines, tmpl);
    return tmpl;
}

QStringList rowLabels(const ContactTemplate& tmpl, int type) {
    const TemplateGroup& group = *tmpl.getGroup(type);
    return labelTexts(group.labels, group.selection);
}

TEST(ContactTemplateCodecTest, DefaultTemplateIsWrittenInOrder) {
    ContactTemplate tmpl(kDefaultFormat);
    tmpl.setDefaults();
    const QStringList expected = {
        "[NameColl]", "false",    "[Field1]", "true",     "[Field5]", "false",        "[Field6]",
        "true",       "[Field8]", "true",     "[Field9]", "false",    "[Phone]",      "Work",
        "Home",       "Mobile",   "[EMail]",  "E-mail",   "[Msg]",    "IM",           "[MsgType]",
        "AOL",        "[Office]", "true",     "[Addr]",   "Work",     "[AddrFormat]", "16",
        "[Category]", "true",     "[Date]",   "Birthday", "[Link]",   "Ringtone"};
    EXPECT_EQ(encodeContactTemplate(tmpl), fileOf(expected));
}

TEST(ContactTemplateCodecTest, DefaultsSurviveARoundTrip) {
    ContactTemplate tmpl(kDefaultFormat);
    tmpl.setDefaults();
    const ContactTemplate back = decoded(linesOf(encodeContactTemplate(tmpl)));
    for (int type = 0; type < kTemplateGroupCount; ++type) {
        SCOPED_TRACE(type);
        EXPECT_EQ(back.isGroupShown(type), tmpl.isGroupShown(type));
        if (tmpl.isGroupShown(type)) {
            EXPECT_EQ(rowLabels(back, type), rowLabels(tmpl, type));
        }
    }
    for (int part = 0; part < ContactTemplate::kNamePartCount; ++part) {
        EXPECT_EQ(back.getNamePart(part), tmpl.getNamePart(part)) << part;
    }
    EXPECT_EQ(back.nameCollapsed(), tmpl.nameCollapsed());
    EXPECT_EQ(back.getGroup(kGroupMsg)->messengerSelection, QList<int>({0}));
    EXPECT_EQ(back.getGroup(kGroupAddr)->addrFormat, QList<int>({kDefaultFormat}));
    for (const int hidden : {kGroupWeb, kGroupPeople, kGroupOther}) {
        EXPECT_TRUE(back.getGroup(hidden)->selection.isEmpty());
        EXPECT_TRUE(back.getGroup(hidden)->shown);
    }
    // Writing what was read gives the same file again.
    EXPECT_EQ(decoded(linesOf(encodeContactTemplate(back))).nameCollapsed(), false);
    EXPECT_EQ(encodeContactTemplate(decoded(linesOf(encodeContactTemplate(back)))),
              encodeContactTemplate(back));
}

TEST(ContactTemplateCodecTest, CustomLabelKeepsItsIndex) {
    ContactTemplate tmpl(kDefaultFormat);
    tmpl.setDefaults();
    tmpl.getGroup(kGroupPhone)->addRow("Company car");
    const int messenger = tmpl.getGroup(kGroupMsg)->messengerTypes.findOrAppend("Skype");
    tmpl.getGroup(kGroupMsg)->messengerSelection = {messenger};
    const ContactTemplate back = decoded(linesOf(encodeContactTemplate(tmpl)));
    const TemplateGroup& phone = *back.getGroup(kGroupPhone);
    EXPECT_EQ(phone.labels.indexOf("Company car"), 11);
    EXPECT_EQ(phone.selection, QList<int>({0, 1, 2, 11}));
    EXPECT_EQ(back.getGroup(kGroupMsg)->messengerSelection, QList<int>({3}));
    EXPECT_EQ(back.getGroup(kGroupMsg)->messengerTypes.at(3), QStringLiteral("Skype"));
}

TEST(ContactTemplateCodecTest, RowsWithUnknownLabelIndexesAreLeftOut) {
    ContactTemplate tmpl(kDefaultFormat);
    tmpl.setDefaults();
    tmpl.getGroup(kGroupPhone)->selection = {1, 99, -1, 2};
    const ContactTemplate back = decoded(linesOf(encodeContactTemplate(tmpl)));
    EXPECT_EQ(rowLabels(back, kGroupPhone), QStringList({"Home", "Mobile"}));
}

TEST(ContactTemplateCodecTest, LabelBeginningWithABracketEndsItsSection) {
    ContactTemplate tmpl(kDefaultFormat);
    tmpl.setDefaults();
    TemplateGroup& phone = *tmpl.getGroup(kGroupPhone);
    phone.selection = {0};
    phone.addRow("[Boat]");
    phone.addRow("Home");
    const ContactTemplate back = decoded(linesOf(encodeContactTemplate(tmpl)));
    EXPECT_EQ(rowLabels(back, kGroupPhone), QStringList({"Work"}));
    EXPECT_EQ(back.getGroup(kGroupPhone)->labels.size(), 11);
}

TEST(ContactTemplateCodecTest, BooleansIgnoreLetterCase) {
    const ContactTemplate tmpl = decoded({"[NameColl]", "TRUE", "[Field1]", "False", "[Field6]",
                                          "yes", "[Office]", "fAlSe", "[Category]", "[Phone]"});
    EXPECT_TRUE(tmpl.nameCollapsed());
    EXPECT_FALSE(tmpl.getNamePart(ContactTemplate::kPartTitle));
    EXPECT_TRUE(tmpl.getNamePart(ContactTemplate::kPartJobTitle));
    EXPECT_FALSE(tmpl.getGroup(kGroupOffice)->shown);
    EXPECT_TRUE(tmpl.getGroup(kGroupCategory)->shown);
}

TEST(ContactTemplateCodecTest, AlwaysShownPartsIgnoreTheFile) {
    const ContactTemplate tmpl = decoded(
        {"[Field0]", "false", "[Field2]", "false", "[Field7]", "false", "[Field9]", "true"});
    for (const int part : {0, 2, 7}) {
        EXPECT_TRUE(tmpl.getNamePart(part)) << part;
    }
    EXPECT_TRUE(tmpl.getNamePart(ContactTemplate::kPartFileAs));
}

TEST(ContactTemplateCodecTest, ByteOrderMarkHidesTheFirstHeader) {
    const QByteArray bytes =
        utf16le(QStringLiteral("\uFEFF[NameColl]\r\ntrue\r\n[Field1]\r\nfalse\r\n"));
    const ContactTemplate tmpl = decoded(linesOf(bytes));
    EXPECT_FALSE(tmpl.nameCollapsed());
    EXPECT_FALSE(tmpl.getNamePart(ContactTemplate::kPartTitle));
}

TEST(ContactTemplateCodecTest, SectionsAreFoundAnywhereAndTheFirstWins) {
    const ContactTemplate tmpl =
        decoded({"[Date]", "Anniversary", "[Phone] old", "Car", "Car", "Boat", "[phone]", "Home",
                 "[Phone]", "Radio", "[EMail]"});
    EXPECT_EQ(rowLabels(tmpl, kGroupPhone), QStringList({"Car", "Car", "Boat"}));
    EXPECT_EQ(tmpl.getGroup(kGroupPhone)->selection, QList<int>({5, 5, 11}));
    EXPECT_EQ(rowLabels(tmpl, kGroupDate), QStringList({"Anniversary"}));
    EXPECT_TRUE(tmpl.getGroup(kGroupEMail)->selection.isEmpty());
}

TEST(ContactTemplateCodecTest, HeaderWithoutRowsLeavesTheGroupInvisible) {
    const ContactTemplate tmpl = decoded({"[Phone]", "[EMail]", "E-mail 2"});
    EXPECT_TRUE(tmpl.getGroup(kGroupPhone)->shown);
    EXPECT_FALSE(tmpl.isGroupShown(kGroupPhone));
    EXPECT_EQ(rowLabels(tmpl, kGroupEMail), QStringList({"E-mail 2"}));
}

TEST(ContactTemplateCodecTest, AddressFormatsAreReadAsNumbers) {
    const ContactTemplate tmpl =
        decoded({"[Addr]", "Work", "Home", "Home", "Cottage", "[AddrFormat]", "57", "abc", "12x",
                 "-3", "[Category]", "false"});
    EXPECT_EQ(rowLabels(tmpl, kGroupAddr), QStringList({"Work", "Home", "Home", "Cottage"}));
    EXPECT_EQ(tmpl.getGroup(kGroupAddr)->addrFormat, QList<int>({57, 0, 12, -3}));
    EXPECT_FALSE(tmpl.isGroupShown(kGroupCategory));
}

TEST(ContactTemplateCodecTest, ReadingStartsFromAResetTemplate) {
    ContactTemplate tmpl(kDefaultFormat);
    tmpl.setDefaults();
    tmpl.setNameCollapsed(true);
    decodeContactTemplate({"[Web]", "Web"}, tmpl);
    EXPECT_TRUE(tmpl.nameCollapsed());
    EXPECT_TRUE(tmpl.getGroup(kGroupPhone)->selection.isEmpty());
    EXPECT_EQ(rowLabels(tmpl, kGroupWeb), QStringList({"Web"}));
}

TEST(Utf16LineReaderTest, RunsOfLineEndsMakeNoEmptyLines) {
    EXPECT_EQ(linesOf(utf16le("\r\n\r\na\r\r\n\nb\nc")), QStringList({"a", "b", "c"}));
    EXPECT_TRUE(linesOf(QByteArray()).isEmpty());
}

TEST(Utf16LineReaderTest, ChunkSizeDoesNotChangeTheLines) {
    const QString text = QStringLiteral("[Phone]\r\nМобильный\r\n\r\n\U0001F4F1 phone\n\rend");
    const QByteArray bytes = utf16le(text) + 'x';  // an odd byte at the very end
    const QStringList whole = {"[Phone]", "Мобильный", "\U0001F4F1 phone", "end"};
    for (qint64 chunk = 1; chunk <= bytes.size() + 1; ++chunk) {
        EXPECT_EQ(linesOf(bytes, chunk), whole) << "chunk " << chunk;
    }
}

}  // namespace
}  // namespace kontavo
