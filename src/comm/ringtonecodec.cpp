#include "comm/ringtonecodec.h"

#include <QtEndian>

namespace kontavo::ringtonecodec {

namespace {

constexpr char kMagic[4] = {'R', 'G', 'T', 'N'};

void appendU16(QByteArray& out, quint16 value) {
    char bytes[2];
    qToLittleEndian(value, bytes);
    out.append(bytes, 2);
}

void appendText(QByteArray& out, const QString& text) {
    appendU16(out, quint16(text.size()));
    for (const QChar unit : text) {
        appendU16(out, unit.unicode());
    }
    appendU16(out, 0);
}

// Reads from a byte array without ever passing its end.
class Reader {
public:
    explicit Reader(const QByteArray& bytes) : m_bytes(bytes) {}

    std::optional<quint16> u16() {
        if (m_bytes.size() - m_offset < 2) {
            return std::nullopt;
        }
        const quint16 value = qFromLittleEndian<quint16>(m_bytes.constData() + m_offset);
        m_offset += 2;
        return value;
    }
    // A length, the text and its terminator (whose value is not checked).
    std::optional<QString> text() {
        const std::optional<quint16> length = u16();
        if (!length || (m_bytes.size() - m_offset) / 2 < qsizetype(*length) + 1) {
            return std::nullopt;
        }
        QString text(*length, Qt::Uninitialized);
        for (quint16 i = 0; i < *length; ++i) {
            text[i] = QChar(qFromLittleEndian<quint16>(m_bytes.constData() + m_offset + 2 * i));
        }
        m_offset += 2 * (qsizetype(*length) + 1);
        return text;
    }

private:
    const QByteArray& m_bytes;
    qsizetype m_offset = kHeaderSize;
};

}  // namespace

std::optional<QByteArray> encode(const QList<RingtoneEntry>& entries) {
    if (entries.isEmpty() || entries.size() > kMaxCount) {
        return std::nullopt;
    }
    QByteArray out(kMagic, sizeof kMagic);
    appendU16(out, kVersion);
    appendU16(out, quint16(entries.size()));
    for (const RingtoneEntry& entry : entries) {
        if (entry.name.size() > kMaxLength || entry.path.size() > kMaxLength) {
            return std::nullopt;
        }
        appendText(out, entry.name);
        appendText(out, entry.path);
    }
    return out;
}

std::optional<QList<RingtoneEntry>> decode(const QByteArray& bytes) {
    if (bytes.size() < kHeaderSize || !bytes.startsWith(QByteArray(kMagic, sizeof kMagic)) ||
        qFromLittleEndian<quint16>(bytes.constData() + 4) != kVersion) {
        return std::nullopt;
    }
    const quint16 count = qFromLittleEndian<quint16>(bytes.constData() + 6);
    if (count == 0) {
        return std::nullopt;
    }
    Reader reader(bytes);
    QList<RingtoneEntry> entries;
    for (quint16 i = 0; i < count; ++i) {
        std::optional<QString> name = reader.text();
        std::optional<QString> path = name ? reader.text() : std::nullopt;
        if (!path) {
            return std::nullopt;
        }
        entries.append({std::move(*name), std::move(*path)});
    }
    return entries;
}

}  // namespace kontavo::ringtonecodec
