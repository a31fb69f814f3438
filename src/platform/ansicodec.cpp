#include "platform/ansicodec.h"

#include <iconv.h>

#include <QHash>
#include <QMutex>
#include <array>
#include <map>

namespace kontavo {

namespace {

// Converts with iconv; false when any input is not representable.
bool iconvConvert(const char* to, const char* from, const QByteArray& in, QByteArray& out) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        return false;
    }
    out.resize(in.size() * 4 + 16);
    char* inPtr = const_cast<char*>(in.constData());
    size_t inLeft = size_t(in.size());
    char* outPtr = out.data();
    size_t outLeft = size_t(out.size());
    const size_t result = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    out.resize(out.size() - qsizetype(outLeft));
    return result != size_t(-1) && inLeft == 0;
}

QByteArray utf16le(char16_t unit) {
    return QByteArray{char(unit & 0xFF), char(unit >> 8)};
}

bool isSingleByte(int codePage) {
    return codePage != 932 && codePage != 936 && codePage != 949 && codePage != 950;
}

}  // namespace

struct AnsiCodec::Tables {
    std::array<char16_t, 256> toUnicode{};   // single-byte pages
    QHash<char16_t, uchar> fromUnicode;      // single-byte pages
    QByteArray iconvName;
};

AnsiCodec::AnsiCodec(int codePage) : m_codePage(codePage), m_tables(std::make_unique<Tables>()) {
    m_tables->iconvName = "CP" + QByteArray::number(codePage);
    if (!isSingleByte(codePage)) {
        return;
    }
    for (int byte = 0; byte < 256; ++byte) {
        QByteArray out;
        const QByteArray in(1, char(byte));
        char16_t unit = 0xFFFD;
        if (iconvConvert("UTF-16LE", m_tables->iconvName.constData(), in, out) &&
            out.size() == 2) {
            unit = char16_t(uchar(out[0]) | (uchar(out[1]) << 8));
            m_tables->fromUnicode.insert(unit, uchar(byte));
        } else if (byte < 0x80) {
            unit = char16_t(byte);
            m_tables->fromUnicode.insert(unit, uchar(byte));
        }
        m_tables->toUnicode[size_t(byte)] = unit;
    }
}

AnsiCodec::~AnsiCodec() = default;

QByteArray AnsiCodec::fromUnicode(const QString& text) const {
    QByteArray out;
    out.reserve(text.size());
    const bool single = isSingleByte(m_codePage);
    for (QChar c : text) {
        const char16_t unit = c.unicode();
        if (single) {
            const auto it = m_tables->fromUnicode.constFind(unit);
            out.append(it != m_tables->fromUnicode.constEnd() ? char(it.value()) : '?');
            continue;
        }
        QByteArray piece;
        if (unit < 0x80) {
            out.append(char(unit));
        } else if (iconvConvert(m_tables->iconvName.constData(), "UTF-16LE", utf16le(unit),
                                piece) &&
                   !piece.isEmpty()) {
            out.append(piece);
        } else {
            out.append('?');
        }
    }
    return out;
}

QString AnsiCodec::toUnicode(const QByteArray& bytes) const {
    if (isSingleByte(m_codePage)) {
        QString text(bytes.size(), Qt::Uninitialized);
        for (qsizetype i = 0; i < bytes.size(); ++i) {
            text[i] = QChar(m_tables->toUnicode[uchar(bytes[i])]);
        }
        return text;
    }
    QByteArray out;
    if (iconvConvert("UTF-16LE", m_tables->iconvName.constData(), bytes, out)) {
        return QString(reinterpret_cast<const QChar*>(out.constData()), out.size() / 2);
    }
    // Damaged multi-byte text: keep what is plain ASCII, mark the rest.
    QString text;
    for (char byte : bytes) {
        text.append(uchar(byte) < 0x80 ? QChar(byte) : QChar(0xFFFD));
    }
    return text;
}

const AnsiCodec& AnsiCodec::forCodePage(int codePage) {
    static QMutex mutex;
    static std::map<int, std::unique_ptr<AnsiCodec>> codecs;
    QMutexLocker lock(&mutex);
    auto& codec = codecs[codePage];
    if (!codec) {
        codec = std::make_unique<AnsiCodec>(codePage);
    }
    return *codec;
}

}  // namespace kontavo
