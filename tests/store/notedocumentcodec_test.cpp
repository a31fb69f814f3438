#include "store/notes/notedocumentcodec.h"

#include <gtest/gtest.h>

#include "diag/resources.h"
#include "platform/locale.h"
#include "store/notes/extendedblock.h"
#include "store/notes/pocketwordink.h"
#include "store/notes/utf16note.h"
#include "store/record/extendedproperties.h"

namespace kontavo {
namespace {

const Locale& english() {
    static const Locale locale(QLocale(QLocale::English, QLocale::UnitedStates));
    return locale;
}

NoteDocument formattedNote() {
    NoteDocument note;
    NoteParagraph title;
    NoteCharFormat bold;
    bold.bold = true;
    bold.points = 12;
    bold.colour = 4;
    title.runs = {{"Meeting", bold}};
    title.alignment = NoteAlignment::Centre;
    NoteParagraph body;
    NoteCharFormat serif;
    serif.face = "DejaVu Serif";
    serif.italic = true;
    serif.underline = true;
    NoteCharFormat struck;
    struck.strikethrough = true;
    body.runs = {{"plain\tthen ", NoteCharFormat()}, {"serif", serif}, {" gone", struck}};
    body.bullets = true;
    body.indent = 2 * kNoteIndentStep;
    NoteParagraph empty;
    empty.runs = {{QString(), bold}};
    empty.alignment = NoteAlignment::Right;
    note.paragraphs = {title, body, empty};
    note.strokes = {{3, 2, {{0, 0}, {10, 5}, {-4, 300}}}, {15, 1, {{7, 7}}}};
    return note;
}

TEST(NoteDocumentCodecTest, FormattedTextAndStrokesRoundTrip) {
    const NoteDocument note = formattedNote();
    const std::optional<QByteArray> stored = writeNoteDocument(note);
    ASSERT_TRUE(stored);
    EXPECT_TRUE(ink::hasInkSignature(*stored));
    EXPECT_EQ(ink::documentState(*stored), ink::DocumentState::NotEmpty);
    const NoteDocument back = readNoteDocument(*stored, english());
    EXPECT_EQ(back.paragraphs, note.paragraphs);
    EXPECT_EQ(back.strokes, note.strokes);
    // Written again from what was read, the bytes stay the same.
    EXPECT_EQ(writeNoteDocument(back), stored);
    // The text the search and the card read.
    EXPECT_EQ(noteToText(*stored, english()), "Meeting plain\tthen serif gone");
}

TEST(NoteDocumentCodecTest, RecordsTheEditorDoesNotKnowAreKeptByteForByte) {
    std::optional<QByteArray> stored = writeNoteDocument(formattedNote());
    ASSERT_TRUE(stored);
    // Another program's drawing record ("g" without our mark) and an object.
    const QByteArray foreign = *ink::buildRecord(0x67, 900, QByteArray("\x01\x02\x03\x04\x05", 5));
    const QByteArray object = *ink::buildRecord(0x43, 901, QByteArray(8, '\x7e'));
    const ink::Walk walk = ink::walkRecords(*stored);
    const qsizetype closing = walk.records[walk.firstOf(ink::rectype::kClosing)].offset;
    QByteArray document = *stored;
    document.insert(closing, foreign + object);
    NoteDocument read = readNoteDocument(document, english());
    EXPECT_EQ(read.strokes.size(), 2);
    read.paragraphs[0].runs[0].text = "Changed";
    read.strokes.removeLast();
    const std::optional<QByteArray> rewritten = writeNoteDocument(read);
    ASSERT_TRUE(rewritten);
    EXPECT_TRUE(rewritten->contains(foreign));
    EXPECT_TRUE(rewritten->contains(object));
    EXPECT_EQ(rewritten->left(14), stored->left(14));
    const NoteDocument again = readNoteDocument(*rewritten, english());
    EXPECT_EQ(again.paragraphs[0].text(), "Changed");
    EXPECT_EQ(again.strokes.size(), 1);
}

TEST(NoteDocumentCodecTest, PlainNotesLoadAsTextAndAreSavedAsDocuments) {
    const NoteDocument utf16 = readNoteDocument(utf16Note("first\r\nsecond"), english());
    ASSERT_EQ(utf16.paragraphs.size(), 2);
    EXPECT_EQ(utf16.paragraphs[1].text(), "second");
    EXPECT_TRUE(utf16.base.isEmpty());
    const NoteDocument ansi = readNoteDocument("one line", english());
    ASSERT_EQ(ansi.paragraphs.size(), 1);
    EXPECT_EQ(ansi.paragraphs[0].runs[0].format, NoteCharFormat());
    const std::optional<QByteArray> stored = writeNoteDocument(utf16);
    ASSERT_TRUE(stored);
    EXPECT_EQ(noteToText(*stored, english()), "first second");
}

TEST(NoteDocumentCodecTest, EmptinessFollowsContentNotTheModeTheUserWasIn) {
    NoteDocument nothing;
    nothing.paragraphs = {NoteParagraph()};
    EXPECT_EQ(ink::documentState(*writeNoteDocument(nothing)), ink::DocumentState::Empty);
    EXPECT_EQ(ink::documentState(*writeNoteDocument(NoteDocument())), ink::DocumentState::Empty);
    NoteDocument inkOnly = nothing;
    inkOnly.strokes = {{0, 1, {{1, 1}, {2, 2}}}};
    EXPECT_EQ(ink::documentState(*writeNoteDocument(inkOnly)), ink::DocumentState::NotEmpty);
}

TEST(NoteDocumentCodecTest, TheBlockAppendedAndCutAgainGivesTheNoteBack) {
    const std::optional<QByteArray> stored = writeNoteDocument(formattedNote());
    ASSERT_TRUE(stored);
    ExtendedProperties properties;
    properties.image = "Anna.bmp";
    const std::optional<QByteArray> withBlock = writeBlock(*stored, properties, english());
    ASSERT_TRUE(withBlock);
    EXPECT_EQ(stripBlock(*withBlock, english()), *stored);
    // The block's own paragraphs read as Kontavo wrote them: the marker bold,
    // italic and underlined.
    const NoteDocument read = readNoteDocument(*withBlock, english());
    const auto marker = std::find_if(read.paragraphs.begin(), read.paragraphs.end(),
                                     [](const NoteParagraph& p) {
                                         return p.text().startsWith("== start");
                                     });
    ASSERT_NE(marker, read.paragraphs.end());
    EXPECT_TRUE(marker->runs[0].format.bold);
    EXPECT_TRUE(marker->runs[0].format.italic);
}

TEST(NoteDocumentCodecTest, TheEmptyTemplateAndDamagedDocumentsRead) {
    const QByteArray empty = *loadResource("NOTE", 170);
    const NoteDocument note = readNoteDocument(empty, english());
    ASSERT_EQ(note.paragraphs.size(), 1);
    EXPECT_TRUE(note.paragraphs[0].text().isEmpty());
    EXPECT_EQ(note.base, empty);
    EXPECT_EQ(ink::documentState(*writeNoteDocument(note)), ink::DocumentState::Empty);
    QByteArray cut = *writeNoteDocument(formattedNote());
    cut.chop(30);
    const NoteDocument damaged = readNoteDocument(cut, english());
    EXPECT_TRUE(damaged.base.isEmpty());  // never written back over
    EXPECT_FALSE(damaged.paragraphs.isEmpty());
    EXPECT_TRUE(writeNoteDocument(damaged));
}

}  // namespace
}  // namespace kontavo
