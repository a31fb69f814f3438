#include "platform/propcodec.h"

#include <QtEndian>
#include <algorithm>
#include <cstring>

namespace kontavo::propcodec {

namespace {

constexpr uint8_t kVersion = 1;

void putVarint(QByteArray& out, uint32_t value) {
    while (value >= 0x80) {
        out.append(char((value & 0x7F) | 0x80));
        value >>= 7;
    }
    out.append(char(value));
}

template <typename T>
void putLittle(QByteArray& out, T value) {
    char bytes[sizeof(T)];
    qToLittleEndian(value, bytes);
    out.append(bytes, sizeof(T));
}

QByteArray stringBytes(const QString& text) {
    QByteArray bytes(text.size() * 2, Qt::Uninitialized);
    char* out = bytes.data();
    for (QChar c : text) {
        qToLittleEndian<uint16_t>(c.unicode(), out);
        out += 2;
    }
    return bytes;
}

QString bytesToString(const char* data, qsizetype size) {
    QString text(size / 2, Qt::Uninitialized);
    QChar* out = text.data();
    for (qsizetype i = 0; i < size / 2; ++i) {
        out[i] = QChar(qFromLittleEndian<uint16_t>(data + 2 * i));
    }
    return text;
}

// Bounds-checked reading of stored bytes; every read fails past the end.
class ByteReader {
public:
    explicit ByteReader(const QByteArray& bytes)
        : m_data(bytes.constData()), m_size(bytes.size()) {}

    bool atEnd() const { return m_pos == m_size; }
    bool byte(uint8_t& value) {
        if (m_pos >= m_size) {
            return false;
        }
        value = uint8_t(m_data[m_pos++]);
        return true;
    }
    bool varint(uint32_t& value) {
        value = 0;
        for (int shift = 0; shift < 35; shift += 7) {
            uint8_t b = 0;
            if (!byte(b) || (shift == 28 && b > 0x0F)) {
                return false;
            }
            value |= uint32_t(b & 0x7F) << shift;
            if ((b & 0x80) == 0) {
                return true;
            }
        }
        return false;
    }
    template <typename T>
    bool little(T& value) {
        const char* at = take(sizeof(T));
        if (at != nullptr) {
            value = qFromLittleEndian<T>(at);
        }
        return at != nullptr;
    }
    // Pointer to the next `count` bytes, consumed; null when fewer remain.
    const char* take(qsizetype count) {
        if (count < 0 || count > m_size - m_pos) {
            return nullptr;
        }
        const char* at = m_data + m_pos;
        m_pos += count;
        return at;
    }

private:
    const char* m_data;
    qsizetype m_size;
    qsizetype m_pos = 0;
};

bool isVariable(PropType type) {
    return type == PropType::String || type == PropType::Blob;
}

QByteArray variableBytes(const PropValue& prop) {
    return prop.type() == PropType::String ? stringBytes(prop.toString()) : prop.toBlob();
}

PropValue variableValue(PropTag tag, const char* data, qsizetype size) {
    if (tagType(tag) == PropType::String) {
        return PropValue::string(tag, bytesToString(data, size));
    }
    return PropValue::blob(tag, QByteArray(data, size));
}

void encodeFixed(QByteArray& out, const PropValue& prop) {
    switch (prop.type()) {
        case PropType::Int16:
            putLittle<int16_t>(out, int16_t(prop.toInt()));
            break;
        case PropType::Int32:
            putLittle<int32_t>(out, prop.toInt());
            break;
        default:
            putLittle<uint64_t>(out, prop.toFileTime());
            break;
    }
}

bool decodeFixed(ByteReader& in, PropTag tag, PropValue* out) {
    bool ok = false;
    if (tagType(tag) == PropType::Int16) {
        int16_t v = 0;
        ok = in.little(v);
        *out = PropValue::int16(tag, v);
    } else if (tagType(tag) == PropType::Int32) {
        int32_t v = 0;
        ok = in.little(v);
        *out = PropValue::int32(tag, v);
    } else {
        uint64_t v = 0;
        ok = in.little(v);
        *out = PropValue::fileTime(tag, v);
    }
    return ok;
}

// Whether `tag` is wanted; advances `next` through the ascending list.
bool isWanted(const QList<PropTag>& wanted, qsizetype& next, PropTag tag) {
    while (next < wanted.size() && wanted[next] < tag) {
        ++next;
    }
    return next < wanted.size() && wanted[next] == tag;
}

// Reads one inline entry after its tag; `out` is null when not wanted.
// `externalSize` becomes the length of a value kept in the external part,
// else -1.
bool decodeInlineValue(ByteReader& in, PropTag tag, PropValue* out, qsizetype& externalSize) {
    externalSize = -1;
    PropValue ignored;
    if (!isVariable(tagType(tag))) {
        return decodeFixed(in, tag, out != nullptr ? out : &ignored);
    }
    uint32_t header = 0;
    if (!in.varint(header)) {
        return false;
    }
    const qsizetype size = header >> 1;
    if (tagType(tag) == PropType::String && size % 2 != 0) {
        return false;
    }
    if ((header & 1) != 0) {
        externalSize = size;
        if (out != nullptr) {
            *out = variableValue(tag, nullptr, 0);
        }
        return true;
    }
    const char* data = in.take(size);
    if (data != nullptr && out != nullptr) {
        *out = variableValue(tag, data, size);
    }
    return data != nullptr;
}

}  // namespace

PropList normalized(const PropList& props) {
    PropList sorted = props;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const PropValue& a, const PropValue& b) { return a.tag() < b.tag(); });
    PropList unique;
    unique.reserve(sorted.size());
    for (const PropValue& prop : sorted) {
        if (!unique.isEmpty() && unique.last().tag() == prop.tag()) {
            unique.last() = prop;
        } else {
            unique.append(prop);
        }
    }
    return unique;
}

EncodedRecord encode(const PropList& props, int externalThreshold) {
    EncodedRecord record;
    QByteArray& in = record.inlinePart;
    QByteArray external;
    uint32_t externalCount = 0;
    in.append(char(kVersion));
    putVarint(in, uint32_t(props.size()));
    for (const PropValue& prop : props) {
        putLittle<uint32_t>(in, prop.tag());
        if (!isVariable(prop.type())) {
            encodeFixed(in, prop);
            continue;
        }
        const QByteArray bytes = variableBytes(prop);
        const bool isExternal = bytes.size() > externalThreshold;
        putVarint(in, (uint32_t(bytes.size()) << 1) | (isExternal ? 1u : 0u));
        if (isExternal) {
            putLittle<uint32_t>(external, prop.tag());
            putVarint(external, uint32_t(bytes.size()));
            external.append(bytes);
            ++externalCount;
        } else {
            in.append(bytes);
        }
    }
    if (externalCount > 0) {
        record.externalPart.append(char(kVersion));
        putVarint(record.externalPart, externalCount);
        record.externalPart.append(external);
    }
    return record;
}

bool decodeInline(const QByteArray& bytes, const QList<PropTag>& wanted, InlineProps& out) {
    ByteReader in(bytes);
    uint8_t version = 0;
    uint32_t count = 0;
    if (!in.byte(version) || version != kVersion || !in.varint(count)) {
        return false;
    }
    qsizetype next = 0;
    PropTag previous = 0;
    out.props.reserve(out.props.size() +
                      (wanted.isEmpty() ? qsizetype(std::min(count, 64u)) : wanted.size()));
    for (uint32_t i = 0; i < count; ++i) {
        if (!wanted.isEmpty() && next >= wanted.size()) {
            return true;  // nothing wanted remains
        }
        PropTag tag = 0;
        if (!in.little(tag) || !hasKnownType(tag) || (i > 0 && tag <= previous)) {
            return false;
        }
        previous = tag;
        const bool keep = wanted.isEmpty() || isWanted(wanted, next, tag);
        PropValue value;
        qsizetype externalSize = -1;
        if (!decodeInlineValue(in, tag, keep ? &value : nullptr, externalSize)) {
            return false;
        }
        if (keep) {
            if (externalSize >= 0) {
                out.externalSlots.append({out.props.size(), externalSize});
            }
            out.props.append(value);
        }
    }
    return in.atEnd() || !wanted.isEmpty();
}

namespace {

// Fills the refs from the external part. With `exact`, every external
// value must be referred to by a slot.
bool resolve(const QByteArray& bytes, InlineProps& decoded, bool exact) {
    const QList<ExternalSlot>& refs = decoded.externalSlots;
    ByteReader in(bytes);
    uint8_t version = 0;
    uint32_t count = 0;
    if (!in.byte(version) || version != kVersion || !in.varint(count)) {
        return false;
    }
    qsizetype slot = 0;
    PropTag previous = 0;
    for (uint32_t i = 0; i < count; ++i) {
        PropTag tag = 0;
        uint32_t size = 0;
        if (!in.little(tag) || !isVariable(tagType(tag)) || (i > 0 && tag <= previous) ||
            !in.varint(size)) {
            return false;
        }
        previous = tag;
        const char* data = in.take(size);
        if (data == nullptr) {
            return false;
        }
        if (slot < refs.size() && decoded.props[refs[slot].index].tag() < tag) {
            return false;  // a referred value is missing
        }
        if (slot < refs.size() && decoded.props[refs[slot].index].tag() == tag) {
            if (refs[slot].size != qsizetype(size)) {
                return false;
            }
            decoded.props[refs[slot].index] = variableValue(tag, data, size);
            ++slot;
        } else if (exact) {
            return false;
        }
    }
    return slot == refs.size() && in.atEnd();
}

}  // namespace

bool resolveExternal(const QByteArray& bytes, InlineProps& decoded) {
    return decoded.externalSlots.isEmpty() || resolve(bytes, decoded, false);
}

std::optional<PropList> decode(const QByteArray& inlinePart, const QByteArray& externalPart) {
    InlineProps decoded;
    if (!decodeInline(inlinePart, {}, decoded)) {
        return std::nullopt;
    }
    const bool hasExternal = !decoded.externalSlots.isEmpty();
    if (hasExternal != !externalPart.isEmpty()) {
        return std::nullopt;
    }
    if (hasExternal && !resolve(externalPart, decoded, true)) {
        return std::nullopt;
    }
    return decoded.props;
}

}  // namespace kontavo::propcodec
