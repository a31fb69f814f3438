#include "store/inkdocumentedit.h"

#include <gtest/gtest.h>

#include "diag/resources.h"
#include "store/inkparagraphtable.h"
#include "store/pocketwordink.h"

namespace kontavo::ink {
namespace {

using Entry = InkParagraphTable::Entry;

QByteArray noteTemplate() {
    return loadResource("NOTE", 170).value();
}

QByteArray withLines(const QByteArray& doc, const QStringList& lines) {
    QList<QByteArray> coded;
    for (const QString& line : lines) {
        coded.append(plainParagraphText(line));
    }
    return appendInkParagraphs(doc, coded).value();
}

QStringList texts(const QByteArray& doc) {
    QStringList out;
    for (const Paragraph& paragraph : readParagraphs(doc, walkRecords(doc))) {
        out.append(paragraph.decoded.text);
    }
    return out;
}

QList<uint8_t> types(const QByteArray& doc) {
    QList<uint8_t> out;
    for (const Record& record : walkRecords(doc).records) {
        out.append(record.type);
    }
    return out;
}

InkParagraphTable table(const QByteArray& doc) {
    const Walk walk = walkRecords(doc);
    const Record& record = walk.records[walk.firstOf(rectype::kTable)];
    return InkParagraphTable::parse(
               QByteArrayView(doc).sliced(record.bodyOffset(), record.bodyLength))
        .value();
}

// Inserts a record before the closing record.
QByteArray withRecordBeforeClosing(const QByteArray& doc, uint8_t type, uint16_t id) {
    const Walk walk = walkRecords(doc);
    QByteArray out = doc;
    out.insert(walk.records[walk.firstOf(rectype::kClosing)].offset,
               buildRecord(type, id, QByteArray(8, 'o')).value());
    return out;
}

TEST(InkAppendTest, NewPairsGoBeforeTheClosingRecordWithIdsAfterTheHighest) {
    const QByteArray base = noteTemplate();
    const QByteArray doc = withLines(base, {"hi", "\u0416"});
    EXPECT_EQ(types(doc), QList<uint8_t>({0x00, 0x14, 0x15, 0x07, 0x08, 0x40, 0x41, 0x42, 0x41,
                                          0x42, 0x41, 0x42, 0x82}));
    const Walk walk = walkRecords(doc);
    EXPECT_EQ(walk.records[8].id, 45);
    EXPECT_EQ(walk.records[9].id, 46);
    EXPECT_EQ(walk.records[10].id, 47);
    EXPECT_EQ(walk.records[11].id, 48);
    EXPECT_EQ(texts(doc), QStringList({"", "hi", "\u0416"}));
    // Everything before the table and from the template's paragraph on is copied.
    EXPECT_EQ(doc.first(0x128), base.first(0x128));
    EXPECT_EQ(doc.right(18), base.right(18)) << "the closing record";

    const QByteArray tableBody = QByteArray::fromHex(
        "03000000"
        "03000000"
        "06000000"
        "0300"
        "000000000000"
        "0000000001000100"
        "2a00000001000300"
        "2d00000001000200"
        "2f000000");
    const Record& record = walk.records[5];
    EXPECT_EQ(doc.sliced(record.bodyOffset(), record.bodyLength), tableBody);
    EXPECT_EQ(record.size, 12);
}

TEST(InkAppendTest, WithoutAClosingRecordPairsGoAfterTheLastRecord) {
    QByteArray base = noteTemplate().first(0x186);
    base += "xyz";  // left-over bytes stay last
    const QByteArray doc = withLines(base, {"a"});
    EXPECT_EQ(types(doc).last(), 0x42);
    EXPECT_TRUE(doc.endsWith("xyz"));
    EXPECT_EQ(texts(doc), QStringList({"", "a"}));
}

TEST(InkAppendTest, RefusesDocumentsItCannotWalkOrNumber) {
    const QList<QByteArray> one{plainParagraphText(u"x")};
    EXPECT_FALSE(appendInkParagraphs(noteTemplate().chopped(1), one).has_value());
    EXPECT_FALSE(appendInkParagraphs("plain text", one).has_value());
    QByteArray noTable = noteTemplate();
    noTable[0x128] = char(0x3F);
    EXPECT_FALSE(appendInkParagraphs(noTable, one).has_value());
    const QByteArray highId = withRecordBeforeClosing(noteTemplate(), 0x14, 0xFFFD);
    EXPECT_FALSE(appendInkParagraphs(highId, one).has_value());
    EXPECT_FALSE(appendInkParagraphs(noteTemplate(), {QByteArray(0x10000, 'x')}).has_value());
}

TEST(InkCutTest, RemovingAppendedParagraphsRestoresTheDocument) {
    const QByteArray user = withLines(noteTemplate(), {"first", "second"});
    const QByteArray doc = withLines(user, {"drop", "these"});
    const auto cut = cutInkText(doc, {3, 0, 4, 5});
    ASSERT_TRUE(cut);
    EXPECT_EQ(*cut, user);
}

TEST(InkCutTest, MiddleParagraphsGoWithTheirCompanionsAndTableEntries) {
    const QByteArray doc = withLines(noteTemplate(), {"a", "bb", "ccc", "dddd"});
    const QByteArray cut = cutInkText(doc, {2, 0, 3, 3}).value();
    EXPECT_EQ(texts(cut), QStringList({"", "a", "dddd"}));
    EXPECT_EQ(types(cut).count(0x42), 3);
    const InkParagraphTable rewritten = table(cut);
    EXPECT_EQ(rewritten.entries(), QList<Entry>({{42, 1}, {45, 2}, {51, 5}}));
    EXPECT_EQ(rewritten.secondCount(), 3u);
    EXPECT_EQ(rewritten.thirdCount(), 3u);
    EXPECT_EQ(rewritten.totalChars(), 8u);
}

TEST(InkCutTest, TextBesideTheCutStaysInShortenedParagraphs) {
    const QByteArray doc = withLines(noteTemplate(), {"keep<cut", "all cut", "cut>keep"});
    const QByteArray cut = cutInkText(doc, {1, 4, 3, 4}).value();
    EXPECT_EQ(texts(cut), QStringList({"", "keep", "keep"}));
    const QList<Paragraph> paragraphs = readParagraphs(cut, walkRecords(cut));
    EXPECT_EQ(paragraphs[2].coded, plainParagraphText(u"keep")) << "formatting carried over";
    EXPECT_EQ(paragraphs[1].charCount, 5);
    EXPECT_EQ(table(cut).entries()[1].chars, 5);
    EXPECT_EQ(table(cut).totalChars(), 11u);

    const QByteArray single = withLines(noteTemplate(), {"ab<cut>cd"});
    EXPECT_EQ(texts(cutInkText(single, {1, 2, 1, 7}).value()), QStringList({"", "abcd"}));
}

TEST(InkCutTest, BlankRemaindersDoNotKeepAParagraph) {
    const QByteArray doc = withLines(noteTemplate(), {"x", "  <cut", "cut> \t"});
    EXPECT_EQ(texts(cutInkText(doc, {2, 2, 3, 4}).value()), QStringList({"", "x"}));
}

TEST(InkCutTest, CuttingTheFirstParagraphLeavesAnEmptyOneInItsPlace) {
    const QByteArray doc = withLines(noteTemplate(), {"rest"});
    // paragraph 0 is the template's empty one; cut it with the next
    const QByteArray cut = cutInkText(doc, {0, 0, 1, 4}).value();
    EXPECT_EQ(texts(cut), QStringList({""}));
    const Walk walk = walkRecords(cut);
    EXPECT_EQ(walk.records[6].id, 48) << "new ids follow the highest one";
    EXPECT_EQ(table(cut).entries(), QList<Entry>({{48, 1}}));
    EXPECT_EQ(documentState(cut), DocumentState::Empty);
}

TEST(InkCutTest, EmbeddedObjectsOnlyTheCutReferencesAreRemoved) {
    QByteArray object = QByteArray("\xE5\x01\x00\xC2\x07\x00", 6) + endOfParagraph();
    QByteArray shared = QByteArray("\xC2\x08\x00", 3) + endOfParagraph();
    QByteArray doc = appendInkParagraphs(noteTemplate(), {object, shared, shared}).value();
    doc = withRecordBeforeClosing(doc, rectype::kObject, 7);
    doc = withRecordBeforeClosing(doc, rectype::kObject, 8);
    // Objects make paragraphs that hold no text: cut paragraphs 1 and 2 by position.
    const QByteArray cut = cutInkText(doc, {1, 0, 2, 0}).value();
    const Walk walk = walkRecords(cut);
    QList<uint16_t> objects;
    for (const Record& record : walk.records) {
        if (record.type == rectype::kObject) {
            objects.append(record.id);
        }
    }
    EXPECT_EQ(objects, QList<uint16_t>({8})) << "object 8 is still shown by paragraph 3";
}

TEST(InkCutTest, RejectsCutsOutsideTheDocument) {
    const QByteArray doc = withLines(noteTemplate(), {"abc"});
    EXPECT_FALSE(cutInkText(doc, {1, 0, 2, 0}).has_value());
    EXPECT_FALSE(cutInkText(doc, {1, 0, 1, 4}).has_value());
    EXPECT_FALSE(cutInkText(doc, {1, 2, 1, 1}).has_value());
    EXPECT_FALSE(cutInkText(doc.chopped(3), {1, 0, 1, 1}).has_value());
}

}  // namespace
}  // namespace kontavo::ink
