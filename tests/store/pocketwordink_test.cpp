#include "store/pocketwordink.h"

#include <gtest/gtest.h>

#include "diag/resources.h"
#include "store/inkparagraphtable.h"

namespace kontavo::ink {
namespace {

QByteArray bytes(std::initializer_list<uint8_t> list) {
    QByteArray out;
    for (uint8_t b : list) {
        out.append(char(b));
    }
    return out;
}

QByteArray noteTemplate() {
    return loadResource("NOTE", 170).value();
}

TEST(InkTextTest, DecodesEveryCharacterForm) {
    const DecodedText decoded =
        decodeText(bytes({'A', 0x80 + 0x3E, 0x10, 0xC1, 0xE9, 0xC4, 0x04, 0xBF, 0xFF, 0xC4, 0x00}));
    EXPECT_TRUE(decoded.ok);
    EXPECT_TRUE(decoded.endMark);
    EXPECT_EQ(decoded.text, QStringView(u"A\u043E\u00E9\t\u3FFF").toString());
    EXPECT_EQ(decoded.charOffsets, QList<qsizetype>({0, 1, 3, 5, 7}));
    EXPECT_EQ(decoded.endOffset, 9);
    EXPECT_EQ(decoded.charCount(), 6) << "the end mark counts as a character";
}

TEST(InkTextTest, SkipsFormattingCodesWithTheirArguments) {
    const DecodedText decoded = decodeText(
        bytes({0xE5, 0x01, 0x00, 'a',  0xC2, 0x07, 0x00, 'b', 0xC3, 1,    2,    0xC5, 1, 2,    0xE6,
               1,    2,    0xE7, 1,    2,    0xE8, 1,    2,   'c',  0xE9, 0xC4, 0xEA, 1, 0xEB, 1,
               0xEC, 1,    0xEF, 1,    2,    3,    0xF1, 1,   2,    3,    4,    5,    6, 7,    0xC4,
               0x19, 1,    2,    0xC4, 0x1B, 1,    2,    3,   4,    5,    6,    'd'}));
    EXPECT_TRUE(decoded.ok);
    EXPECT_FALSE(decoded.endMark);
    EXPECT_EQ(decoded.text, QStringLiteral("abcd"));
    EXPECT_EQ(decoded.objects, QList<uint16_t>({7}));
    EXPECT_EQ(decoded.formatting.size(), 10) << "E5 C3 C5 E6 E7 E8 E9 EA EB EC";
}

TEST(InkTextTest, UnknownOrTruncatedCodesStopTheParagraph) {
    for (const QByteArray& coded :
         {bytes({'a', 0xC4, 0x05, 'b'}), bytes({'a', 0xC0, 'b'}), bytes({'a', 0xF0, 'b'}),
          bytes({'a', 0xFF}), bytes({'a', 0x85}), bytes({'a', 0xC1}), bytes({'a', 0xE5, 0x01}),
          bytes({'a', 0xF1, 1, 2, 3}), bytes({'a', 0xC4, 0x1B, 1}), bytes({'a', 0xC4})}) {
        const DecodedText decoded = decodeText(coded);
        EXPECT_FALSE(decoded.ok) << coded.toHex().toStdString();
        EXPECT_EQ(decoded.text, QStringLiteral("a")) << coded.toHex().toStdString();
        EXPECT_EQ(decoded.endOffset, 1);
    }
}

TEST(InkTextTest, EncodesByRangeAndKeepsFourteenBits) {
    EXPECT_EQ(encodeText(u"z"), bytes({'z'}));
    EXPECT_EQ(encodeText(u"\u00E9\u0080"), bytes({0xC1, 0xE9, 0xC1, 0x80}));
    EXPECT_EQ(encodeText(u"\u0100\u3FFF"), bytes({0x80, 0x04, 0xBF, 0xFF}));
    EXPECT_EQ(encodeText(u"\u4E2D"), encodeText(u"\u0E2D"));
    for (char16_t c : {u'\x01', u'\x7F', u'\x80', u'\xFF', u'\u0100', u'\u0441', u'\u3FFF'}) {
        EXPECT_EQ(decodeText(encodeText(QStringView(&c, 1))).text, QString(QChar(c)));
    }
}

TEST(InkRecordTest, TheTemplateIsAnEmptyDocumentWithOneParagraph) {
    const QByteArray doc = noteTemplate();
    ASSERT_EQ(doc.size(), 408);
    const Walk walk = walkRecords(doc);
    EXPECT_TRUE(walk.intact);
    EXPECT_EQ(walk.end, 408);
    EXPECT_EQ(walk.highestId(), 43);
    const QList<Paragraph> paragraphs = readParagraphs(doc, walk);
    ASSERT_EQ(paragraphs.size(), 1);
    EXPECT_EQ(paragraphs[0].id, 42);
    EXPECT_EQ(paragraphs[0].companionId, 43);
    EXPECT_EQ(paragraphs[0].decoded.text, QString());
    EXPECT_EQ(paragraphs[0].decoded.charCount(), 1);
    EXPECT_EQ(documentState(doc), DocumentState::Empty);
    const Record& table = walk.records[walk.firstOf(rectype::kTable)];
    const auto parsed = InkParagraphTable::parse(doc.sliced(table.bodyOffset(), table.bodyLength));
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->entries(), QList<InkParagraphTable::Entry>({{42, 1, 0, 1}}));
    EXPECT_EQ(parsed->body(), doc.sliced(table.bodyOffset(), table.bodyLength))
        << "an unchanged table writes back byte for byte";
}

TEST(InkRecordTest, WalkStopsAtARecordThatRunsPastTheEnd) {
    QByteArray doc = noteTemplate();
    doc.chop(1);
    const Walk walk = walkRecords(doc);
    EXPECT_FALSE(walk.intact);
    EXPECT_EQ(walk.records.last().type, rectype::kCompanion);
    EXPECT_EQ(documentState(doc), DocumentState::NotEmpty) << "damage is kept, not thrown away";
}

TEST(InkRecordTest, UAndORecordsCountTheirSizeInBytes) {
    QByteArray doc = noteTemplate().first(kHeaderSize);
    doc += bytes({0x55, 0x01, 0x05, 0x00, 0x02, 0x00});  // 0x10002 bytes
    doc += QByteArray(0x10002, 'u');
    doc += bytes({0x6F, 0x00, 0x06, 0x00, 0x03, 0x00, 1, 2, 3});
    const Walk walk = walkRecords(doc);
    ASSERT_TRUE(walk.intact);
    ASSERT_EQ(walk.records.size(), 2);
    EXPECT_EQ(walk.records[0].bodyLength, 0x10002);
    EXPECT_EQ(walk.records[1].bodyLength, 3);
    EXPECT_EQ(documentState(doc), DocumentState::NotEmpty);
}

TEST(InkRecordTest, EmptinessLooksAtContentRecordsAndTheTableCounts) {
    EXPECT_EQ(documentState(QByteArray()), DocumentState::Empty);
    EXPECT_EQ(documentState("short plain"), DocumentState::Empty);
    EXPECT_EQ(documentState("a longer plain note"), DocumentState::NotInk);
    for (uint8_t type : {0x43, 0x54, 0x55, 0x67, 0x6D, 0x6F, 0x83}) {
        QByteArray doc = noteTemplate();
        doc += bytes({type, 0, 0x99, 0, 0, 0, 0});
        EXPECT_EQ(documentState(doc), DocumentState::NotEmpty) << int(type);
    }
    QByteArray typed = noteTemplate();
    const qsizetype totalChars = walkRecords(typed).records[5].bodyOffset() + 8;
    typed[totalChars] = 2;
    EXPECT_EQ(documentState(typed), DocumentState::NotEmpty);
}

TEST(InkRecordTest, BuiltRecordsPadTheirBodies) {
    const QByteArray a = buildParagraphRecord(45, 46, bytes({'h', 'i', 0xC4, 0x00})).value();
    EXPECT_EQ(a, bytes({0x41, 0, 45, 0, 7, 0, 3, 0, 4, 0, 1, 0, 0xFF, 0xFF, 46,  0,    0,
                        0,    0, 0,  0, 0, 0, 0, 0, 0, 0, 0, 0, 0,    'h',  'i', 0xC4, 0x00}));
    EXPECT_EQ(buildCompanionRecord(46, 3),
              bytes({0x42, 0, 46, 0, 3, 0, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_FALSE(buildParagraphRecord(1, 2, QByteArray(0x10000, 'x')).has_value());
}

TEST(InkParagraphTableTest, RejectsCountsTheBodyCannotHold) {
    QByteArray body(24, '\0');
    body[0] = 1;
    EXPECT_FALSE(InkParagraphTable::parse(body).has_value());
    body[0] = char(0xFF);
    body[3] = char(0xFF);
    EXPECT_FALSE(InkParagraphTable::parse(body).has_value());
    EXPECT_FALSE(InkParagraphTable::parse(QByteArray(23, '\0')).has_value());
}

TEST(InkParagraphTableTest, CountsFollowTheEntriesAndStopAtZero) {
    QByteArray body = noteTemplate().sliced(0x128 + kRecordHeaderSize, 32);
    auto table = InkParagraphTable::parse(body).value();
    ASSERT_TRUE(table.setEntries({{42, 1}, {45, 5}, {47, 3}}));
    EXPECT_EQ(table.secondCount(), 3u);
    EXPECT_EQ(table.thirdCount(), 3u);
    EXPECT_EQ(table.totalChars(), 9u);
    const QByteArray written = table.body();
    EXPECT_EQ(written.size(), 48);
    EXPECT_EQ(readU16(written, 20 + 8), 42) << "each entry names the paragraph before it";
    EXPECT_EQ(readU16(written, 20 + 16), 45);
    EXPECT_EQ(readU32(written, 44), 47u) << "the trailer names the last paragraph";
    ASSERT_TRUE(table.setEntries({}));
    EXPECT_EQ(table.totalChars(), 0u);
    EXPECT_TRUE(table.setEntries({{1, 0xFFFF}, {2, 0xFFFF}}));
    EXPECT_EQ(table.totalChars(), 0x1FFFEu);
}

}  // namespace
}  // namespace kontavo::ink
