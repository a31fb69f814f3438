#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringView>
#include <cstdint>
#include <optional>

// The Pocket Word Ink document the handheld's RichInk note control stores:
// a 14-byte header beginning with "{\pwi", then records of a 6-byte header
// (type, high byte of size, 16-bit id, 16-bit size; little-endian) and a
// body. Paragraphs are "A" records holding coded text, each with a companion
// "B" record; the "@" record is the paragraph table. See
// docs/formats/pocket-word-ink.md. Everything here is a pure function of its
// input and safe on any bytes: sizes are checked before every read.
namespace kontavo::ink {

inline constexpr char kSignature[] = "{\\pwi";
inline constexpr qsizetype kHeaderSize = 14;
inline constexpr qsizetype kRecordHeaderSize = 6;
// Size of an "A" body before its coded text.
inline constexpr qsizetype kParagraphPrefixSize = 24;
// Size of a "B" body.
inline constexpr qsizetype kCompanionBodySize = 12;

namespace rectype {
inline constexpr uint8_t kTable = 0x40;      // "@"
inline constexpr uint8_t kParagraph = 0x41;  // "A"
inline constexpr uint8_t kCompanion = 0x42;  // "B"
inline constexpr uint8_t kObject = 0x43;     // "C", an embedded object
inline constexpr uint8_t kClosing = 0x82;
}  // namespace rectype

// One record as found in a document.
struct Record {
    uint8_t type = 0;
    uint8_t sizeHigh = 0;
    uint16_t id = 0;
    uint16_t size = 0;
    qsizetype offset = 0;      // of the record header in the document
    qsizetype bodyLength = 0;  // size * 4, or (sizeHigh << 16) | size for "U" and "o"

    qsizetype bodyOffset() const { return offset + kRecordHeaderSize; }
    qsizetype end() const { return bodyOffset() + bodyLength; }
};

// The records of a document in order. `intact` is false when the bytes do
// not start with the signature or a record's body runs past the end (the
// records before it are listed). Bytes after `end` (fewer than 7) are left
// over and belong to no record.
struct Walk {
    QList<Record> records;
    qsizetype end = 0;
    bool intact = false;

    uint16_t highestId() const;
    // Index of the first record of `type`, or -1.
    int firstOf(uint8_t type) const;
};

bool hasInkSignature(QByteArrayView bytes);
Walk walkRecords(QByteArrayView doc);

// A code the text decoder skipped, by its place in the coded bytes.
struct CodeSpan {
    qsizetype offset = 0;
    qsizetype length = 0;
};

// A paragraph's coded text, decoded. Characters come with the offset of
// their first byte so that callers can cut the coded bytes at a character.
struct DecodedText {
    QString text;
    QList<qsizetype> charOffsets;  // one per character of `text`
    qsizetype endOffset = 0;       // where decoding stopped: the end mark, an error or the end
    bool endMark = false;          // stopped at the end-of-paragraph code
    bool ok = true;                // false: an unknown or truncated code stopped decoding
    QList<CodeSpan> formatting;    // character formatting codes (not objects)
    QList<uint16_t> objects;       // ids named by embedded-object codes
    QList<qsizetype> objectOffsets;

    // Characters counted as the paragraph table counts them (end mark included).
    int charCount() const { return int(text.size()) + (endMark ? 1 : 0); }
    // Offset of character `index` (endOffset at or past the last character).
    qsizetype offsetOf(qsizetype index) const;
};

DecodedText decodeText(QByteArrayView coded);
// Appends the coding of one UTF-16 code unit; units at or above 0x4000 keep
// only their low 14 bits.
void appendCodedChar(QByteArray& out, char16_t c);
QByteArray encodeText(QStringView text);
// The end-of-paragraph code.
QByteArray endOfParagraph();
// The coded text of a plain paragraph: E5 01 00 E6 08 00, the line, the end mark.
QByteArray plainParagraphText(QStringView line);

// An "A" record read from a document.
struct Paragraph {
    int recordIndex = -1;
    uint16_t id = 0;
    uint16_t charCount = 0;    // as the record states it
    uint16_t companionId = 0;  // id of its "B" record
    QByteArray coded;
    DecodedText decoded;
};

// The "A" records of a walked document in record order. A body too short for
// its fixed part yields an empty paragraph; a text length past the body is
// cut to the body.
QList<Paragraph> readParagraphs(QByteArrayView doc, const Walk& walk);

// A record from its parts; the body is padded with zero bytes to a multiple
// of 4. nullopt when the padded body is too large for the 16-bit size field.
std::optional<QByteArray> buildRecord(uint8_t type, uint16_t id, QByteArrayView body);
// An "A" record: character count, text length, 1, 0xFFFF, companion id, 14
// zero bytes, the coded text. nullopt when the text or count does not fit.
std::optional<QByteArray> buildParagraphRecord(uint16_t id, uint16_t companionId,
                                               QByteArrayView coded);
// A "B" record: the character count and 10 zero bytes.
QByteArray buildCompanionRecord(uint16_t id, uint16_t charCount);

enum class DocumentState { Empty, NotEmpty, NotInk };

// Empty: at most 13 bytes, or no content record ("C", "T", "U", "g", "m",
// "o", 0x83) and every "@" record's second paragraph count equals its total
// characters (no paragraph holds more than its end mark). A document whose
// records cannot all be walked counts as not empty, so that nothing is
// thrown away.
DocumentState documentState(QByteArrayView doc);

// Little-endian access, bounds checked by the caller.
uint16_t readU16(QByteArrayView bytes, qsizetype offset);
uint32_t readU32(QByteArrayView bytes, qsizetype offset);
void appendU16(QByteArray& out, uint16_t value);
void appendU32(QByteArray& out, uint32_t value);
void writeU16(QByteArray& bytes, qsizetype offset, uint16_t value);

}  // namespace kontavo::ink
