#include "store/notes/notedocumentcodec.h"

#include <QHash>
#include <QSet>
#include <algorithm>
#include <new>

#include "diag/resources.h"
#include "store/notes/extendedblock.h"
#include "store/notes/inkparagraphtable.h"
#include "store/notes/pocketwordink.h"

namespace kontavo {

namespace {

using namespace ink;

constexpr int kNoteTemplateId = 170;
constexpr uint8_t kFaceTable = 0x46;  // "F": the faces past the document's own
constexpr uint8_t kStroke = 0x67;     // "g": ink; Kontavo's strokes start with kStrokeMagic
constexpr char kStrokeMagic[] = "KINK";
constexpr qsizetype kStrokeHeader = 12;  // magic, colour, width, point count
constexpr int kMaxStrokePoints = 16000;
// Face index 1 names the document's default face.
constexpr uint16_t kDefaultFace = 1;

namespace code {
constexpr uint8_t kFace = 0xE5;
constexpr uint8_t kSize = 0xE6;
constexpr uint8_t kColour = 0xE7;
constexpr uint8_t kWeight = 0xE8;  // weight / 100
constexpr uint8_t kItalic = 0xE9;
constexpr uint8_t kUnderline = 0xEA;
constexpr uint8_t kStrike = 0xEB;
}  // namespace code

// Offsets in a "B" body of the paragraph attributes (zero: left, no
// bullets, no indent, as every paragraph written without them).
constexpr qsizetype kAlignmentAt = 2;
constexpr qsizetype kBulletsAt = 3;
constexpr qsizetype kIndentAt = 4;

QByteArrayView bodyOf(QByteArrayView doc, const Record& record) {
    return doc.sliced(record.bodyOffset(), record.bodyLength);
}

bool isOwnStroke(QByteArrayView doc, const Record& record) {
    return record.type == kStroke && record.bodyLength >= kStrokeHeader &&
           bodyOf(doc, record).first(4) == QByteArrayView(kStrokeMagic, 4);
}

QStringList readFaces(QByteArrayView body) {
    QStringList faces;
    QString face;
    for (qsizetype at = 0; at + 1 < body.size(); at += 2) {
        const char16_t unit = readU16(body, at);
        if (unit == 0) {
            faces.append(face);
            face.clear();
        } else {
            face.append(QChar(unit));
        }
    }
    return faces;
}

NoteStroke readStroke(QByteArrayView body) {
    NoteStroke stroke;
    stroke.colour = std::clamp<int>(readU16(body, 4), 0, kNoteColourCount - 1);
    stroke.width = std::max<int>(1, readU16(body, 6));
    const qsizetype count = std::min<qsizetype>(readU32(body, 8), (body.size() - kStrokeHeader) / 4);
    for (qsizetype i = 0; i < count; ++i) {
        const qsizetype at = kStrokeHeader + 4 * i;
        stroke.points.append(QPoint(int16_t(readU16(body, at)), int16_t(readU16(body, at + 2))));
    }
    return stroke;
}

void applyCode(QByteArrayView coded, const CodeSpan& span, const QStringList& faces,
               NoteCharFormat& format) {
    const uint8_t lead = uint8_t(coded[span.offset]);
    const int value = span.length >= 3 ? readU16(coded, span.offset + 1)
                                       : (span.length == 2 ? uint8_t(coded[span.offset + 1]) : 0);
    switch (lead) {
        case code::kFace:
            format.face = value >= 2 && value - 2 < faces.size() ? faces[value - 2]
                                                                 : NoteCharFormat().face;
            break;
        case code::kSize:
            format.points = value > 0 ? value : NoteCharFormat().points;
            break;
        case code::kColour:
            format.colour = value < kNoteColourCount ? value : 0;
            break;
        case code::kWeight:
            format.bold = value >= 6;
            break;
        case code::kItalic:
            format.italic = value != 0;
            break;
        case code::kUnderline:
            format.underline = value != 0;
            break;
        case code::kStrike:
            format.strikethrough = value != 0;
            break;
        default:
            break;  // codes of other programs: their text reads as it is
    }
}

NoteParagraph readParagraph(const Paragraph& source, QByteArrayView companion,
                            const QStringList& faces) {
    NoteParagraph paragraph;
    if (companion.size() >= kIndentAt + 2) {
        paragraph.alignment = NoteAlignment(std::min<int>(uint8_t(companion[kAlignmentAt]), 2));
        paragraph.bullets = companion[kBulletsAt] != 0;
        paragraph.indent = readU16(companion, kIndentAt);
    }
    const DecodedText& decoded = source.decoded;
    NoteCharFormat format;
    qsizetype nextCode = 0;
    for (qsizetype i = 0; i < decoded.text.size(); ++i) {
        while (nextCode < decoded.formatting.size() &&
               decoded.formatting[nextCode].offset < decoded.charOffsets[i]) {
            applyCode(source.coded, decoded.formatting[nextCode++], faces, format);
        }
        if (paragraph.runs.isEmpty() || paragraph.runs.last().format != format) {
            paragraph.runs.append({QString(), format});
        }
        paragraph.runs.last().text.append(decoded.text[i]);
    }
    if (paragraph.runs.isEmpty()) {
        while (nextCode < decoded.formatting.size()) {
            applyCode(source.coded, decoded.formatting[nextCode++], faces, format);
        }
        paragraph.runs.append({QString(), format});  // an empty line keeps its format
    }
    return paragraph;
}

NoteDocument readInk(const QByteArray& stored) {
    NoteDocument note;
    const Walk walk = walkRecords(stored);
    QHash<uint16_t, QByteArrayView> companions;
    QStringList faces;
    for (const Record& record : walk.records) {
        if (record.type == rectype::kCompanion) {
            companions.insert(record.id, bodyOf(stored, record));
        } else if (record.type == kFaceTable && faces.isEmpty()) {
            faces = readFaces(bodyOf(stored, record));
        } else if (isOwnStroke(stored, record)) {
            note.strokes.append(readStroke(bodyOf(stored, record)));
        }
    }
    for (const Paragraph& paragraph : readParagraphs(stored, walk)) {
        note.paragraphs.append(
            readParagraph(paragraph, companions.value(paragraph.companionId), faces));
    }
    if (walk.intact) {
        note.base = stored;
    }
    return note;
}

NoteDocument readPlain(const QByteArray& stored, const Locale& locale) {
    NoteDocument note;
    QString text = noteToText(stored, locale);
    text.remove(QLatin1Char('\r'));
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        NoteParagraph paragraph;
        paragraph.runs.append({line, NoteCharFormat()});
        note.paragraphs.append(paragraph);
    }
    return note;
}

// --- writing -------------------------------------------------------------

class CodedParagraph {
public:
    CodedParagraph(const NoteParagraph& paragraph, QStringList& faces) {
        bool first = true;
        for (const NoteRun& run : paragraph.runs) {
            appendChanges(run.format, first, faces);
            first = false;
            m_coded += encodeText(run.text);
            m_chars += int(run.text.size());
        }
        if (first) {
            appendChanges(NoteCharFormat(), true, faces);
        }
        m_coded += endOfParagraph();
        ++m_chars;
    }
    const QByteArray& coded() const { return m_coded; }
    int chars() const { return m_chars; }

private:
    void appendWord(uint8_t lead, int value) {
        m_coded.append(char(lead));
        appendU16(m_coded, uint16_t(value));
    }
    void appendByte(uint8_t lead, bool on) {
        m_coded.append(char(lead));
        m_coded.append(char(on ? 1 : 0));
    }
    void appendChanges(const NoteCharFormat& format, bool all, QStringList& faces) {
        const NoteCharFormat& was = m_format;
        if (all || format.face != was.face) {
            appendWord(code::kFace, faceIndex(format.face, faces));
        }
        if (all || format.points != was.points) {
            appendWord(code::kSize, std::clamp(format.points, 1, 0xFFFF));
        }
        if (all || format.colour != was.colour) {
            appendWord(code::kColour, std::clamp(format.colour, 0, kNoteColourCount - 1));
        }
        if (all || format.bold != was.bold) {
            appendWord(code::kWeight, format.bold ? 7 : 4);
        }
        if (all || format.italic != was.italic) {
            appendByte(code::kItalic, format.italic);
        }
        if (all || format.underline != was.underline) {
            appendByte(code::kUnderline, format.underline);
        }
        if (all || format.strikethrough != was.strikethrough) {
            appendByte(code::kStrike, format.strikethrough);
        }
        m_format = format;
    }
    static int faceIndex(const QString& face, QStringList& faces) {
        if (face.isEmpty() || face == NoteCharFormat().face) {
            return kDefaultFace;
        }
        qsizetype at = faces.indexOf(face);
        if (at < 0) {
            at = faces.size();
            faces.append(face);
        }
        return int(at) + 2;
    }

    QByteArray m_coded;
    int m_chars = 0;
    NoteCharFormat m_format;
};

QByteArray companionBody(const NoteParagraph& paragraph, int chars) {
    QByteArray body;
    appendU16(body, uint16_t(chars));
    body.append(char(paragraph.alignment));
    body.append(char(paragraph.bullets ? 1 : 0));
    appendU16(body, uint16_t(std::clamp(paragraph.indent, 0, 0xFFFF)));
    body.append(QByteArray(kCompanionBodySize - body.size(), '\0'));
    return body;
}

QByteArray strokeBody(const NoteStroke& stroke) {
    QByteArray body(kStrokeMagic, 4);
    appendU16(body, uint16_t(std::clamp(stroke.colour, 0, kNoteColourCount - 1)));
    appendU16(body, uint16_t(std::clamp(stroke.width, 1, 0xFF)));
    const qsizetype count = std::min<qsizetype>(stroke.points.size(), kMaxStrokePoints);
    appendU32(body, uint32_t(count));
    for (qsizetype i = 0; i < count; ++i) {
        appendU16(body, uint16_t(int16_t(std::clamp(stroke.points[i].x(), -32768, 32767))));
        appendU16(body, uint16_t(int16_t(std::clamp(stroke.points[i].y(), -32768, 32767))));
    }
    return body;
}

QByteArray faceBody(const QStringList& faces) {
    QByteArray body;
    for (const QString& face : faces) {
        for (QChar c : face) {
            appendU16(body, c.unicode());
        }
        appendU16(body, 0);
    }
    return body;
}

// What the new document keeps of its base.
struct BaseParts {
    QByteArray header;
    QList<QByteArray> before;  // records before the text
    QList<QByteArray> after;   // records after it, up to the closing record
    QByteArray closing;
    QByteArray leftOver;
    std::optional<InkParagraphTable> table;
    uint16_t tableId = 0;
    QSet<uint16_t> ids;
};

bool isRebuilt(QByteArrayView doc, const Record& record) {
    return record.type == rectype::kTable || record.type == rectype::kParagraph ||
           record.type == rectype::kCompanion || record.type == kFaceTable ||
           isOwnStroke(doc, record);
}

BaseParts splitBase(const QByteArray& base) {
    BaseParts parts;
    const Walk walk = walkRecords(base);
    parts.header = base.left(kHeaderSize);
    parts.leftOver = base.mid(walk.end);
    bool textSeen = false;
    for (const Record& record : walk.records) {
        const QByteArray bytes = base.mid(record.offset, record.end() - record.offset);
        if (record.type == rectype::kTable && !parts.table) {
            parts.table = InkParagraphTable::parse(bodyOf(base, record));
            parts.tableId = record.id;
        }
        if (isRebuilt(base, record)) {
            textSeen = true;
            continue;
        }
        parts.ids.insert(record.id);
        if (record.type == rectype::kClosing && parts.closing.isEmpty()) {
            parts.closing = bytes;
        } else if (textSeen || !parts.closing.isEmpty()) {
            parts.after.append(bytes);
        } else {
            parts.before.append(bytes);
        }
    }
    return parts;
}

const QByteArray& noteTemplate() {
    static const QByteArray bytes =
        loadResource(QStringLiteral("NOTE"), kNoteTemplateId).value_or(QByteArray());
    return bytes;
}

class IdPool {
public:
    explicit IdPool(const QSet<uint16_t>& used) : m_used(used) {}
    std::optional<uint16_t> take() {
        while (m_next != 0 && m_used.contains(m_next)) {
            ++m_next;
        }
        if (m_next == 0) {
            return std::nullopt;  // wrapped: every id is taken
        }
        m_used.insert(m_next);
        return m_next++;
    }

private:
    QSet<uint16_t> m_used;
    uint16_t m_next = 1;
};

std::optional<QByteArray> build(const NoteDocument& note) {
    const bool ownBase = hasInkSignature(note.base) && walkRecords(note.base).intact;
    const QByteArray& base = ownBase ? note.base : noteTemplate();
    if (!hasInkSignature(base)) {
        return std::nullopt;
    }
    BaseParts parts = splitBase(base);
    if (parts.tableId != 0) {
        parts.ids.insert(parts.tableId);
    }
    IdPool ids(parts.ids);
    QList<NoteParagraph> paragraphs = note.paragraphs;
    if (paragraphs.isEmpty()) {
        paragraphs.append(NoteParagraph());
    }
    QStringList faces;
    QByteArray text;
    QList<InkParagraphTable::Entry> entries;
    for (const NoteParagraph& paragraph : paragraphs) {
        const CodedParagraph coded(paragraph, faces);
        const std::optional<uint16_t> id = ids.take();
        const std::optional<uint16_t> companion = ids.take();
        if (!id || !companion || coded.chars() > 0xFFFF) {
            return std::nullopt;
        }
        const std::optional<QByteArray> record =
            buildParagraphRecord(*id, *companion, coded.coded());
        const std::optional<QByteArray> companionRecord =
            buildRecord(rectype::kCompanion, *companion, companionBody(paragraph, coded.chars()));
        if (!record || !companionRecord) {
            return std::nullopt;
        }
        text += *record + *companionRecord;
        entries.append({*id, uint16_t(coded.chars()), 0, 1});
    }
    InkParagraphTable table = parts.table ? *parts.table
                                          : *InkParagraphTable::parse(QByteArray(24, '\0'));
    const std::optional<uint16_t> tableId = parts.tableId != 0 ? parts.tableId : ids.take();
    if (!tableId || !table.setEntries(entries)) {
        return std::nullopt;
    }
    const std::optional<QByteArray> tableRecord = buildRecord(rectype::kTable, *tableId, table.body());
    if (!tableRecord) {
        return std::nullopt;
    }
    QByteArray ink;
    for (const NoteStroke& stroke : note.strokes) {
        const std::optional<uint16_t> id = ids.take();
        const std::optional<QByteArray> record =
            id ? buildRecord(kStroke, *id, strokeBody(stroke)) : std::nullopt;
        if (!record) {
            return std::nullopt;
        }
        ink += *record;
    }
    if (!faces.isEmpty()) {
        const std::optional<uint16_t> id = ids.take();
        const std::optional<QByteArray> record =
            id ? buildRecord(kFaceTable, *id, faceBody(faces)) : std::nullopt;
        if (!record) {
            return std::nullopt;
        }
        ink += *record;
    }
    if (parts.closing.isEmpty()) {
        const std::optional<uint16_t> id = ids.take();
        if (!id) {
            return std::nullopt;
        }
        parts.closing = *buildRecord(rectype::kClosing, *id, QByteArray(12, '\0'));
        parts.closing[kRecordHeaderSize] = char(rectype::kClosing);
    }
    QByteArray out = parts.header;
    for (const QByteArray& record : parts.before) {
        out += record;
    }
    out += *tableRecord + text + ink;
    for (const QByteArray& record : parts.after) {
        out += record;
    }
    return out + parts.closing + parts.leftOver;
}

}  // namespace

QString NoteParagraph::text() const {
    QString all;
    for (const NoteRun& run : runs) {
        all += run.text;
    }
    return all;
}

NoteDocument readNoteDocument(const QByteArray& stored, const Locale& locale) {
    return hasInkSignature(stored) ? readInk(stored) : readPlain(stored, locale);
}

std::optional<QByteArray> writeNoteDocument(const NoteDocument& note) {
    try {
        return build(note);
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

}  // namespace kontavo
