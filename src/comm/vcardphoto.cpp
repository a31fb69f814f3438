#include "comm/vcardphoto.h"

namespace kontavo::vcardphoto {

namespace {

const QString kOctetStream = QStringLiteral("application/octet-stream");

// "JPEG", "jpg", "image/jpeg" -> "image/jpeg"; empty for nothing known.
QString mediaTypeOfName(const QString& name) {
    const QString lower = name.trimmed().toLower();
    if (lower.startsWith(QLatin1String("image/"))) {
        return lower;
    }
    if (lower == QLatin1String("jpeg") || lower == QLatin1String("jpg")) {
        return QStringLiteral("image/jpeg");
    }
    const bool token = !lower.isEmpty() && !lower.contains(QLatin1Char('/'));
    return token ? QStringLiteral("image/") + lower : QString();
}

// The short type name vCard 3.0 writes: "image/jpeg" -> "JPEG".
QString typeNameOf(const QString& mediaType) {
    const QString lower = mediaType.toLower();
    return lower.startsWith(QLatin1String("image/")) ? lower.mid(6).toUpper() : QString();
}

QByteArray decodeBase64(const QString& text, bool* ok) {
    const QByteArray::FromBase64Result result =
        QByteArray::fromBase64Encoding(text.toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    if (result) {
        *ok = !result.decoded.isEmpty();
        return result.decoded;
    }
    // Exporters break base64 with blanks and tabs; anything else is broken.
    QByteArray compact;
    for (const QChar c : text) {
        if (!c.isSpace()) {
            compact += char(c.unicode() < 0x80 ? c.unicode() : '!');
        }
    }
    const QByteArray::FromBase64Result again =
        QByteArray::fromBase64Encoding(compact, QByteArray::AbortOnBase64DecodingErrors);
    *ok = bool(again) && !again.decoded.isEmpty();
    return *ok ? again.decoded : QByteArray();
}

// "data:image/png;base64,AAAA"
Value readDataUri(const QString& uri) {
    Value value;
    const qsizetype comma = uri.indexOf(QLatin1Char(','));
    if (comma < 0) {
        return value;
    }
    const QStringList head = uri.mid(5, comma - 5).split(QLatin1Char(';'));
    bool ok = false;
    QByteArray bytes;
    if (head.contains(QLatin1String("base64"), Qt::CaseInsensitive)) {
        bytes = decodeBase64(uri.mid(comma + 1), &ok);
    } else {
        bytes = QByteArray::fromPercentEncoding(uri.mid(comma + 1).toLatin1());
        ok = !bytes.isEmpty();
    }
    if (!ok) {
        return value;
    }
    value.kind = Value::Kind::Inline;
    value.picture.bytes = bytes;
    value.picture.mediaType = mediaTypeOfName(head.front());
    if (value.picture.mediaType.isEmpty()) {
        value.picture.mediaType = sniffMediaType(bytes);
    }
    return value;
}

}  // namespace

QString sniffMediaType(const QByteArray& bytes) {
    if (bytes.startsWith("\xFF\xD8\xFF")) {
        return QStringLiteral("image/jpeg");
    }
    if (bytes.startsWith("\x89PNG\r\n\x1A\n")) {
        return QStringLiteral("image/png");
    }
    if (bytes.startsWith("GIF87a") || bytes.startsWith("GIF89a")) {
        return QStringLiteral("image/gif");
    }
    if (bytes.startsWith("BM")) {
        return QStringLiteral("image/bmp");
    }
    if (bytes.startsWith("II*") || bytes.startsWith("MM\0*")) {
        return QStringLiteral("image/tiff");
    }
    return kOctetStream;
}

Value read(const VCardProperty& property) {
    const QString text = property.value.trimmed();
    if (text.startsWith(QLatin1String("data:"), Qt::CaseInsensitive)) {
        return readDataUri(text);
    }
    const QString encoding = property.param(QStringLiteral("ENCODING")).toUpper();
    Value value;
    if (encoding == QLatin1String("B") || encoding == QLatin1String("BASE64")) {
        bool ok = false;
        value.picture.bytes = decodeBase64(text, &ok);
        if (!ok) {
            value.picture = {};
            return value;
        }
        value.kind = Value::Kind::Inline;
        for (const QString& type : property.types()) {
            value.picture.mediaType = mediaTypeOfName(type);
            if (!value.picture.mediaType.isEmpty()) {
                break;
            }
        }
        if (value.picture.mediaType.isEmpty()) {
            value.picture.mediaType = sniffMediaType(value.picture.bytes);
        }
        return value;
    }
    if (!text.isEmpty()) {
        value.kind = Value::Kind::Link;
        value.link = text;
    }
    return value;
}

VCardProperty write(const VCardPicture& picture, bool version4) {
    const QString base64 = QString::fromLatin1(picture.bytes.toBase64());
    if (version4) {
        const QString type = picture.mediaType.isEmpty() ? kOctetStream : picture.mediaType;
        return {QStringLiteral("PHOTO"),
                {},
                {},
                QStringLiteral("data:") + type + QStringLiteral(";base64,") + base64};
    }
    VCardProperty property{QStringLiteral("PHOTO"), {}, {}, base64};
    property.addParam(QStringLiteral("ENCODING"), QStringLiteral("b"));
    const QString type = typeNameOf(picture.mediaType);
    if (!type.isEmpty()) {
        property.addType(type);
    }
    return property;
}

}  // namespace kontavo::vcardphoto
