#include "store/extendedblock.h"

#include <gtest/gtest.h>

#include "blocktestsupport.h"
#include "store/blockmarkers.h"
#include "store/pocketwordink.h"

namespace kontavo {
namespace {

using test::ansiNote;
using test::english;
using test::inkNote;
using test::plainBlock;
using test::russian;
using test::utf16Note;

struct ReadResult {
    bool ok = false;
    ExtendedProperties props;
    QString userText;
};

ReadResult read(const QByteArray& notes, const Locale& locale = english()) {
    ReadResult result;
    result.props.phones = {{"Stale", "0"}};
    result.ok = readBlock(notes, result.props, result.userText, locale);
    return result;
}

QList<LabeledValue> phone(const QString& label, const QString& value) {
    return {{label, value}};
}

TEST(ReadBlockTest, ANoteWithoutTheStartMarkerIsAllUserText) {
    const ReadResult result = read(ansiNote("plain note\r\n== end pim information ==", english()));
    EXPECT_TRUE(result.ok);
    EXPECT_TRUE(result.props.isEmpty()) << "no block means no properties";
    EXPECT_EQ(result.userText, QStringLiteral("plain note\r\n== end pim information =="));
    const ReadResult empty = read(QByteArray());
    EXPECT_TRUE(empty.ok);
    EXPECT_TRUE(empty.props.isEmpty());
    EXPECT_EQ(empty.userText, QString());
}

TEST(ReadBlockTest, AStartMarkerWithoutEndRunsToTheEndOfTheNote) {
    const QString text = "note\r\n" + kBlockStartMarker.toString() + "\r\nPhone: [a: 1]";
    const ReadResult result = read(ansiNote(text, english()));
    EXPECT_TRUE(result.ok);
    EXPECT_EQ(result.props.phones, phone("a", "1"));
    EXPECT_EQ(result.userText, QStringLiteral("note\r\n"));
}

TEST(ReadBlockTest, TextAfterTheEndMarkerJoinsWithOneBlank) {
    const QString text = "before\r\n" + plainBlock("Phone: [a: 1]") + "\r\nafter";
    const ReadResult result = read(utf16Note(text));
    EXPECT_TRUE(result.ok);
    EXPECT_EQ(result.userText, QStringLiteral("before\r\n \r\nafter"));
}

TEST(ReadBlockTest, AnUnreadableBlockLeavesThePropertiesAlone) {
    const ReadResult result = read(ansiNote("x\r\n" + plainBlock("Fax: [a: 1]"), english()));
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.props.phones, phone("Stale", "0"));
    EXPECT_EQ(result.userText, QString());
}

TEST(ReadBlockTest, TheChecksumIsNotPartOfTheBlock) {
    ExtendedProperties props;
    props.checksum = 99;
    QString userText;
    ASSERT_TRUE(readBlock(ansiNote(plainBlock("Image: [a.bmp]"), english()), props, userText));
    EXPECT_EQ(props.checksum, 99u);
    EXPECT_EQ(props.image, QStringLiteral("a.bmp"));
}

TEST(ReadBlockTest, EightBitNotesUseTheLocaleCodePage) {
    const QByteArray notes = ansiNote("Заметка\r\n" + plainBlock("Phone: [Дача: 1]"), russian());
    const ReadResult result = read(notes, russian());
    EXPECT_EQ(result.props.phones, phone("Дача", "1"));
    EXPECT_EQ(result.userText, QStringLiteral("Заметка\r\n"));
}

TEST(NoteToTextTest, InkParagraphsJoinWithSingleBlanksSkippingEmptyOnes) {
    EXPECT_EQ(noteToText(inkNote({"one", "", "two"})), QStringLiteral("one two"));
    EXPECT_EQ(noteToText(utf16Note("aЖ") + "x"), QStringLiteral("aЖ")) << "odd byte ignored";
    EXPECT_EQ(noteToText("{\\pwi"), QString());
}

TEST(StripBlockTest, PlainNotesLoseTheMarkersAndWhatLiesBetween) {
    const QString text = "note\r\n" + plainBlock("Phone: [a: 1]") + "\r\nmore";
    EXPECT_EQ(stripBlock(ansiNote(text, english()), english()), QByteArray("note\r\n\r\nmore"));
    EXPECT_EQ(stripBlock(utf16Note(text)), utf16Note("note\r\n\r\nmore"));
    QByteArray odd = utf16Note(plainBlock("") + "x");
    odd += 'z';
    EXPECT_EQ(stripBlock(odd), utf16Note("x") + "z") << "an odd last byte is kept";
}

TEST(StripBlockTest, AWhiteSpaceRemainderBecomesEmpty) {
    const QString text = " \r\n" + plainBlock("Phone: [a: 1]") + "\r\n\t";
    EXPECT_EQ(stripBlock(ansiNote(text, english()), english()), QByteArray());
    EXPECT_EQ(stripBlock(utf16Note(text)), QByteArray());
}

TEST(StripBlockTest, AnUnterminatedBlockIsStrippedToTheEndAsItIsRead) {
    const QString text = "note\r\n" + kBlockStartMarker.toString() + "\r\nPhone: [a: 1]";
    EXPECT_EQ(stripBlock(ansiNote(text, english()), english()), QByteArray("note\r\n"));
}

TEST(StripBlockTest, InkNotesLoseTheBlockParagraphs) {
    const QByteArray user = inkNote({"keep me"});
    ExtendedProperties props;
    props.phones = phone("a", "1");
    const QByteArray notes = writeBlock(user, props).value();
    EXPECT_EQ(stripBlock(notes), user);
    EXPECT_EQ(stripBlock(writeBlock(QByteArray(), props).value()), QByteArray())
        << "an empty document is no note";
    EXPECT_EQ(stripBlock(inkNote({""})), QByteArray());
    EXPECT_EQ(stripBlock(inkNote({"no block"})), inkNote({"no block"}));
}

TEST(StripBlockTest, BlockTextInsideAnInkParagraphLeavesTheUserTextBesideIt) {
    const QString start = kBlockStartMarker.toString();
    const QString end = kBlockEndMarker.toString();
    const QByteArray notes = inkNote({"mine " + start, "Phone: [a: 1]", end + " also mine"});
    ExtendedProperties props;
    QString userText;
    ASSERT_TRUE(readBlock(notes, props, userText));
    EXPECT_EQ(userText, QStringLiteral("mine   also mine"));
    EXPECT_EQ(noteToText(stripBlock(notes)), QStringLiteral("mine   also mine"));
}

TEST(WriteBlockTest, EmptyPropertiesKeepTheUserNote) {
    for (const QByteArray& note : {QByteArray(), QByteArray("plain"), utf16Note("u"),
                                   inkNote({"x"}), QByteArray("{\\pwi damaged")}) {
        EXPECT_EQ(writeBlock(note, ExtendedProperties()), note);
    }
}

TEST(WriteBlockTest, PlainLinesBecomeTheFirstParagraphs) {
    ExtendedProperties props;
    props.image = "a.bmp";
    const QByteArray user = ansiNote("Первая\r\n\r\n\nВторая\r\n", russian());
    const QByteArray notes = writeBlock(user, props, russian()).value();
    ASSERT_TRUE(notes.startsWith("{\\pwi"));
    const QList<ink::Paragraph> paragraphs = ink::readParagraphs(notes, ink::walkRecords(notes));
    ASSERT_GE(paragraphs.size(), 3);
    EXPECT_EQ(paragraphs[0].decoded.text, QString()) << "the template's own paragraph";
    EXPECT_EQ(paragraphs[1].decoded.text, QStringLiteral("Первая"));
    EXPECT_EQ(paragraphs[2].decoded.text, QStringLiteral("Вторая"));
    EXPECT_EQ(paragraphs[3].decoded.text, kBlockStartMarker.toString());
    EXPECT_EQ(noteToText(stripBlock(notes)), QStringLiteral("Первая Вторая"));
}

TEST(WriteBlockTest, ADocumentThatCannotBeBuiltIsReportedNotGuessed) {
    ExtendedProperties props;
    props.phones = phone("a", "1");
    EXPECT_FALSE(writeBlock(inkNote({"x"}).chopped(2), props).has_value());
    EXPECT_FALSE(writeBlock(QByteArray("{\\pwi damaged"), props).has_value());
    EXPECT_FALSE(writeBlock(QByteArray(70000, 'x'), props).has_value())
        << "a line past the paragraph size";
    props.phones = phone("a", QString(40000, QChar(0x0416)));
    EXPECT_FALSE(writeBlock(QByteArray(), props).has_value());
}

TEST(WriteBlockTest, WrittenDocumentsMatchTheGoldenFiles) {
    const ExtendedProperties props = test::sampleProperties();
    const struct {
        const char* file;
        QByteArray userNote;
    } rows[] = {
        {"ink/sample-empty-note.pwi", QByteArray()},
        {"ink/sample-plain-note.pwi", ansiNote("Line one\r\n\r\nЛиния два", russian())},
        {"ink/sample-ink-note.pwi", inkNote({"typed", ""})},
    };
    for (const auto& row : rows) {
        const QByteArray written = writeBlock(row.userNote, props, russian()).value();
        EXPECT_EQ(written, test::golden(row.file, written)) << row.file;
    }
}

TEST(DamagedBlockTest, AnUnreadableBlockSurvivesASave) {
    const QByteArray notes =
        ansiNote("x\r\n" + plainBlock("Phone: [a: 1]\r\nFax: [b: 2]"), english());
    ExtendedProperties props;
    QString userText;
    ASSERT_FALSE(readBlock(notes, props, userText, english()));
    const QByteArray userNote = stripBlock(notes, english());
    EXPECT_EQ(userNote, notes) << "the block text stays in the user note";
    EXPECT_EQ(writeBlock(userNote, props, english()), notes);
}

TEST(DamagedBlockTest, AGoodBlockWrittenAfterADamagedOneIsRead) {
    const QByteArray damaged = ansiNote("x\r\n" + plainBlock("Fax: [b: 2]"), english());
    ExtendedProperties props;
    props.phones = phone("a", "1");
    const QByteArray notes = writeBlock(stripBlock(damaged, english()), props, english()).value();
    ExtendedProperties back;
    QString userText;
    ASSERT_TRUE(readBlock(notes, back, userText));
    EXPECT_EQ(back.phones, phone("a", "1"));
    EXPECT_TRUE(userText.contains("Fax: [b: 2]"));
    EXPECT_TRUE(noteToText(stripBlock(notes)).contains("Fax: [b: 2]"))
        << "only the block that was read is stripped";
}

TEST(DamagedBlockTest, OtherPropSectionsAreReadBack) {
    ExtendedProperties props;
    props.otherProps = {{"Shoe", "42"}, {"Hat", "M"}};
    ExtendedProperties back;
    QString userText;
    ASSERT_TRUE(readBlock(writeBlock(QByteArray(), props).value(), back, userText));
    EXPECT_EQ(back, props);
}

TEST(IsEmptyDocumentTest, PlainTextIsNoDocument) {
    EXPECT_EQ(isEmptyDocument(inkNote({})), ink::DocumentState::Empty);
    EXPECT_EQ(isEmptyDocument(inkNote({"a"})), ink::DocumentState::NotEmpty);
    EXPECT_EQ(isEmptyDocument("not a document at all"), ink::DocumentState::NotInk);
}

}  // namespace
}  // namespace kontavo
