#include "store/pocketwordink.h"

namespace kontavo::ink {

namespace {

uint8_t byteAt(QByteArrayView bytes, qsizetype offset) {
    return uint8_t(bytes[offset]);
}

bool hasSizeInBytes(uint8_t type) {
    return type == 0x55 || type == 0x6F;
}

bool isContentType(uint8_t type) {
    switch (type) {
        case 0x43:
        case 0x54:
        case 0x55:
        case 0x67:
        case 0x6D:
        case 0x6F:
        case 0x83:
            return true;
        default:
            return false;
    }
}

// Length of the code starting with `lead` (arguments included), for codes
// that do not stand for a character; 0 for an unknown lead byte.
qsizetype skippedCodeLength(uint8_t lead) {
    switch (lead) {
        case 0xC2:
        case 0xC3:
        case 0xC5:
        case 0xE5:
        case 0xE6:
        case 0xE7:
        case 0xE8:
            return 3;
        case 0xE9:
        case 0xEA:
        case 0xEB:
        case 0xEC:
            return 2;
        case 0xEF:
            return 4;
        case 0xF1:
            return 8;
        default:
            return 0;
    }
}

class TextDecoder {
public:
    explicit TextDecoder(QByteArrayView coded) : m_in(coded) {}
    DecodedText run();

private:
    bool has(qsizetype count) const { return m_pos + count <= m_in.size(); }
    bool skip(qsizetype count) {
        if (!has(count)) {
            return false;
        }
        m_pos += count;
        return true;
    }
    void put(char16_t c, qsizetype length);
    // Handles the 0xC4 codes; false on an unknown or truncated one.
    bool control();
    bool skipped(uint8_t lead);

    QByteArrayView m_in;
    qsizetype m_pos = 0;
    DecodedText m_out;
};

void TextDecoder::put(char16_t c, qsizetype length) {
    m_out.text += QChar(c);
    m_out.charOffsets.append(m_pos);
    m_pos += length;
}

bool TextDecoder::control() {
    if (!has(2)) {
        return false;
    }
    switch (byteAt(m_in, m_pos + 1)) {
        case 0x00:
            m_out.endMark = true;
            return true;
        case 0x04:
            put(u'\t', 2);
            return true;
        case 0x19:
            return skip(4);
        case 0x1B:
            return skip(8);
        default:
            return false;
    }
}

bool TextDecoder::skipped(uint8_t lead) {
    const qsizetype length = skippedCodeLength(lead);
    if (length == 0 || !has(length)) {
        return false;
    }
    if (lead == 0xC2) {
        m_out.objects.append(readU16(m_in, m_pos + 1));
        m_out.objectOffsets.append(m_pos);
    } else if (lead != 0xEF && lead != 0xF1) {
        m_out.formatting.append({m_pos, length});
    }
    m_pos += length;
    return true;
}

DecodedText TextDecoder::run() {
    while (m_pos < m_in.size() && !m_out.endMark) {
        const uint8_t lead = byteAt(m_in, m_pos);
        bool ok = true;
        if (lead <= 0x7F) {
            put(lead, 1);
        } else if (lead <= 0xBF) {
            ok = has(2);
            if (ok) {
                put(char16_t(((byteAt(m_in, m_pos + 1) << 6) & 0x3FFF) + (lead & 0x3F)), 2);
            }
        } else if (lead == 0xC1) {
            ok = has(2);
            if (ok) {
                put(byteAt(m_in, m_pos + 1), 2);
            }
        } else if (lead == 0xC4) {
            ok = control();
        } else {
            ok = skipped(lead);
        }
        if (!ok) {
            m_out.ok = false;
            break;
        }
    }
    m_out.endOffset = m_pos;
    return m_out;
}

}  // namespace

uint16_t readU16(QByteArrayView bytes, qsizetype offset) {
    return uint16_t(byteAt(bytes, offset) | (byteAt(bytes, offset + 1) << 8));
}

uint32_t readU32(QByteArrayView bytes, qsizetype offset) {
    return uint32_t(readU16(bytes, offset)) | (uint32_t(readU16(bytes, offset + 2)) << 16);
}

void appendU16(QByteArray& out, uint16_t value) {
    out.append(char(value & 0xFF));
    out.append(char(value >> 8));
}

void appendU32(QByteArray& out, uint32_t value) {
    appendU16(out, uint16_t(value & 0xFFFF));
    appendU16(out, uint16_t(value >> 16));
}

void writeU16(QByteArray& bytes, qsizetype offset, uint16_t value) {
    bytes[offset] = char(value & 0xFF);
    bytes[offset + 1] = char(value >> 8);
}

uint16_t Walk::highestId() const {
    uint16_t highest = 0;
    for (const Record& record : records) {
        highest = qMax(highest, record.id);
    }
    return highest;
}

int Walk::firstOf(uint8_t type) const {
    for (int i = 0; i < records.size(); ++i) {
        if (records[i].type == type) {
            return i;
        }
    }
    return -1;
}

bool hasInkSignature(QByteArrayView bytes) {
    return bytes.startsWith(QByteArrayView(kSignature));
}

Walk walkRecords(QByteArrayView doc) {
    Walk walk;
    if (!hasInkSignature(doc) || doc.size() < kHeaderSize) {
        return walk;
    }
    qsizetype pos = kHeaderSize;
    while (doc.size() - pos >= kRecordHeaderSize + 1) {
        Record record;
        record.type = byteAt(doc, pos);
        record.sizeHigh = byteAt(doc, pos + 1);
        record.id = readU16(doc, pos + 2);
        record.size = readU16(doc, pos + 4);
        record.offset = pos;
        record.bodyLength = hasSizeInBytes(record.type)
                                ? (qsizetype(record.sizeHigh) << 16) | record.size
                                : qsizetype(record.size) * 4;
        if (record.end() > doc.size()) {
            walk.end = pos;
            return walk;
        }
        walk.records.append(record);
        pos = record.end();
    }
    walk.end = pos;
    walk.intact = true;
    return walk;
}

qsizetype DecodedText::offsetOf(qsizetype index) const {
    return index < charOffsets.size() ? charOffsets[index] : endOffset;
}

DecodedText decodeText(QByteArrayView coded) {
    return TextDecoder(coded).run();
}

void appendCodedChar(QByteArray& out, char16_t c) {
    if (c <= 0x7F) {
        out.append(char(c));
    } else if (c <= 0xFF) {
        out.append(char(0xC1));
        out.append(char(c));
    } else {
        out.append(char(0x80 + (c & 0x3F)));
        out.append(char((c >> 6) & 0xFF));
    }
}

QByteArray encodeText(QStringView text) {
    QByteArray out;
    out.reserve(text.size() * 2);
    for (QChar c : text) {
        appendCodedChar(out, c.unicode());
    }
    return out;
}

QByteArray endOfParagraph() {
    return QByteArray("\xC4\x00", 2);
}

QByteArray plainParagraphText(QStringView line) {
    return QByteArray("\xE5\x01\x00\xE6\x08\x00", 6) + encodeText(line) + endOfParagraph();
}

QList<Paragraph> readParagraphs(QByteArrayView doc, const Walk& walk) {
    QList<Paragraph> paragraphs;
    for (int i = 0; i < walk.records.size(); ++i) {
        const Record& record = walk.records[i];
        if (record.type != rectype::kParagraph) {
            continue;
        }
        Paragraph paragraph;
        paragraph.recordIndex = i;
        paragraph.id = record.id;
        const QByteArrayView body = doc.sliced(record.bodyOffset(), record.bodyLength);
        if (body.size() >= kParagraphPrefixSize) {
            paragraph.charCount = readU16(body, 0);
            paragraph.companionId = readU16(body, 8);
            const qsizetype textLength =
                qMin<qsizetype>(readU16(body, 2), body.size() - kParagraphPrefixSize);
            paragraph.coded = body.sliced(kParagraphPrefixSize, textLength).toByteArray();
        }
        paragraph.decoded = decodeText(paragraph.coded);
        paragraphs.append(paragraph);
    }
    return paragraphs;
}

std::optional<QByteArray> buildRecord(uint8_t type, uint16_t id, QByteArrayView body) {
    const qsizetype padded = (body.size() + 3) / 4 * 4;
    if (padded / 4 > 0xFFFF) {
        return std::nullopt;
    }
    QByteArray record;
    record.reserve(kRecordHeaderSize + padded);
    record.append(char(type));
    record.append('\0');
    appendU16(record, id);
    appendU16(record, uint16_t(padded / 4));
    record.append(body.data(), body.size());
    record.append(QByteArray(padded - body.size(), '\0'));
    return record;
}

std::optional<QByteArray> buildParagraphRecord(uint16_t id, uint16_t companionId,
                                               QByteArrayView coded) {
    const int chars = decodeText(coded).charCount();
    if (coded.size() > 0xFFFF || chars > 0xFFFF) {
        return std::nullopt;
    }
    QByteArray body;
    appendU16(body, uint16_t(chars));
    appendU16(body, uint16_t(coded.size()));
    appendU16(body, 1);
    appendU16(body, 0xFFFF);
    appendU16(body, companionId);
    body.append(QByteArray(14, '\0'));
    body.append(coded.data(), coded.size());
    return buildRecord(rectype::kParagraph, id, body);
}

QByteArray buildCompanionRecord(uint16_t id, uint16_t charCount) {
    QByteArray body;
    appendU16(body, charCount);
    body.append(QByteArray(kCompanionBodySize - 2, '\0'));
    return *buildRecord(rectype::kCompanion, id, body);
}

DocumentState documentState(QByteArrayView doc) {
    if (doc.size() <= 13) {
        return DocumentState::Empty;
    }
    if (!hasInkSignature(doc)) {
        return DocumentState::NotInk;
    }
    const Walk walk = walkRecords(doc);
    if (!walk.intact) {
        return DocumentState::NotEmpty;
    }
    for (const Record& record : walk.records) {
        if (isContentType(record.type)) {
            return DocumentState::NotEmpty;
        }
        if (record.type == rectype::kTable && record.bodyLength >= 12 &&
            readU32(doc, record.bodyOffset() + 4) != readU32(doc, record.bodyOffset() + 8)) {
            return DocumentState::NotEmpty;
        }
    }
    return DocumentState::Empty;
}

}  // namespace kontavo::ink
