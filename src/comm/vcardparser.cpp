#include "comm/vcardparser.h"

#include <QRegularExpression>
#include <QStringDecoder>

#include "comm/vcardtext.h"
#include "platform/ansicodec.h"

namespace kontavo {

namespace {

QList<QByteArray> physicalLines(const QByteArray& bytes) {
    QList<QByteArray> lines;
    qsizetype start = 0;
    for (qsizetype at = 0; at < bytes.size(); ++at) {
        const char c = bytes[at];
        if (c != '\r' && c != '\n') {
            continue;
        }
        lines.append(bytes.mid(start, at - start));
        if (c == '\r') {
            // CR LF, and the CR CR LF some exporters write, is one break.
            qsizetype next = at + 1;
            while (next < bytes.size() && bytes[next] == '\r') {
                ++next;
            }
            if (next < bytes.size() && bytes[next] == '\n') {
                at = next;
            }
        }
        start = at + 1;
    }
    if (start < bytes.size()) {
        lines.append(bytes.mid(start));
    }
    return lines;
}

// The part of a content line before its value: up to the first colon that
// is not inside a quoted parameter value; -1 when there is none.
qsizetype valueColon(const QByteArray& line) {
    bool quoted = false;
    for (qsizetype at = 0; at < line.size(); ++at) {
        if (line[at] == '"') {
            quoted = !quoted;
        } else if (line[at] == ':' && !quoted) {
            return at;
        }
    }
    return -1;
}

bool isQuotedPrintable(const QByteArray& line);

// Splits "a;b=\"x;y\",z;c" at the semicolons outside quotes.
QList<QByteArray> splitOutsideQuotes(const QByteArray& text, char separator) {
    QList<QByteArray> pieces;
    QByteArray current;
    bool quoted = false;
    for (char c : text) {
        if (c == '"') {
            quoted = !quoted;
        } else if (c == separator && !quoted) {
            pieces.append(current);
            current.clear();
            continue;
        }
        current += c;
    }
    pieces.append(current);
    return pieces;
}

// Whether a content line's parameters name the encoding (bare, as 2.1
// writes it, or as ENCODING=...).
bool hasEncoding(const QByteArray& line, const QByteArray& encoding) {
    const qsizetype colon = valueColon(line);
    if (colon <= 0) {
        return false;
    }
    const QList<QByteArray> head = splitOutsideQuotes(line.left(colon), ';');
    for (qsizetype at = 1; at < head.size(); ++at) {
        const QByteArray param = head[at].trimmed().toUpper();
        if (param == encoding || param == "ENCODING=" + encoding) {
            return true;
        }
    }
    return false;
}

bool isQuotedPrintable(const QByteArray& line) {
    return hasEncoding(line, "QUOTED-PRINTABLE");
}

// A 2.1 base64 value runs on over the following lines, indented or not,
// up to an empty line.
bool isBase64(const QByteArray& line) {
    return hasEncoding(line, "BASE64") || hasEncoding(line, "B");
}

QString unquote(const QByteArray& value) {
    QByteArray text = value.trimmed();
    if (text.size() >= 2 && text.startsWith('"') && text.endsWith('"')) {
        text = text.mid(1, text.size() - 2);
    }
    return QString::fromUtf8(text);
}

VCardParam parseParam(const QByteArray& text) {
    const qsizetype equals = text.indexOf('=');
    if (equals < 0) {
        // A bare vCard 2.1 parameter: an encoding, a character set or a type.
        const QString bare = QString::fromUtf8(text.trimmed());
        const QString upper = bare.toUpper();
        if (upper == QLatin1String("QUOTED-PRINTABLE") || upper == QLatin1String("BASE64") ||
            upper == QLatin1String("8BIT") || upper == QLatin1String("7BIT")) {
            return {QStringLiteral("ENCODING"), {upper}};
        }
        return {QStringLiteral("TYPE"), {bare}};
    }
    VCardParam param{QString::fromUtf8(text.left(equals).trimmed()).toUpper(), {}};
    for (const QByteArray& value : splitOutsideQuotes(text.mid(equals + 1), ',')) {
        if (param.name == QLatin1String("TYPE")) {
            // vCard 4.0 quotes a list of types: TYPE="work,voice".
            for (const QString& type : unquote(value).split(QLatin1Char(','))) {
                if (!type.trimmed().isEmpty()) {
                    param.values.append(type.trimmed());
                }
            }
        } else {
            param.values.append(unquote(value));
        }
    }
    return param;
}

// The Windows code page a charset name like "windows-1251" or "CP1252"
// names, when it is one the handheld knows; 0 otherwise.
int windowsCodePage(const QString& charset) {
    static const QRegularExpression pattern(QStringLiteral("^(?:WINDOWS-|CP)(\\d+)$"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = pattern.match(charset);
    const int page = match.hasMatch() ? match.captured(1).toInt() : 0;
    const bool known = (page >= 1250 && page <= 1258) || page == 874 || page == 932 ||
                       page == 936 || page == 949 || page == 950;
    return known ? page : 0;
}

QString decodeValue(const QByteArray& raw, const VCardProperty& property) {
    const QString encoding = property.param(QStringLiteral("ENCODING")).toUpper();
    const QByteArray bytes =
        encoding == QLatin1String("QUOTED-PRINTABLE") ? vcardtext::decodeQuotedPrintable(raw) : raw;
    const QString charset = property.param(QStringLiteral("CHARSET"));
    if (!charset.isEmpty()) {
        QStringDecoder decoder(charset.toLatin1().constData());
        if (decoder.isValid()) {
            // Through UTF-8 once, so that no unpaired surrogate survives.
            const QString text = decoder.decode(bytes);
            return QString::fromUtf8(text.toUtf8());
        }
        if (const int page = windowsCodePage(charset); page != 0) {
            return QString::fromUtf8(AnsiCodec::forCodePage(page).toUnicode(bytes).toUtf8());
        }
    }
    return QString::fromUtf8(bytes);
}

}  // namespace

QList<VCardCard> VCardParser::parse(const QByteArray& bytes) {
    m_cards.clear();
    m_card.clear();
    m_inCard = false;
    m_nested = 0;
    m_skipped = 0;
    const QList<QByteArray> lines = physicalLines(bytes);
    QByteArray logical;
    bool haveLogical = false;
    bool base64 = false;
    for (const QByteArray& line : lines) {
        const bool folded = haveLogical && !line.isEmpty() && (line[0] == ' ' || line[0] == '\t');
        const bool softBreak = haveLogical && logical.endsWith('=') && isQuotedPrintable(logical);
        if (base64 && !line.trimmed().isEmpty() && (folded || !line.contains(':'))) {
            logical += line.trimmed();
        } else if (softBreak) {
            logical.chop(1);
            logical += line;
        } else if (folded) {
            logical += m_version21 ? line : line.mid(1);
        } else {
            if (haveLogical) {
                takeLine(logical);
            }
            logical = line;
            haveLogical = true;
            base64 = m_version21 && isBase64(line);
        }
    }
    if (haveLogical) {
        takeLine(logical);
    }
    if (m_inCard && !m_card.isEmpty()) {
        m_cards.append(m_card);
    }
    return m_cards;
}

void VCardParser::takeLine(const QByteArray& line) {
    if (line.trimmed().isEmpty()) {
        return;
    }
    VCardProperty property;
    if (!parseLine(line, property)) {
        ++m_skipped;
        return;
    }
    const QString value = property.value.trimmed().toUpper();
    if (property.name == QLatin1String("BEGIN") && value == QLatin1String("VCARD")) {
        if (m_inCard) {
            ++m_nested;
        } else {
            m_inCard = true;
            m_version21 = false;
            m_card.clear();
        }
        return;
    }
    if (!m_inCard) {
        ++m_skipped;
        return;
    }
    if (property.name == QLatin1String("END") && value == QLatin1String("VCARD")) {
        if (m_nested > 0) {
            --m_nested;
            return;
        }
        m_cards.append(m_card);
        m_card.clear();
        m_inCard = false;
        return;
    }
    if (m_nested > 0) {
        return;
    }
    if (property.name == QLatin1String("VERSION")) {
        m_version21 = value == QLatin1String("2.1");
    }
    m_card.append(property);
}

bool VCardParser::parseLine(const QByteArray& line, VCardProperty& property) const {
    const qsizetype colon = valueColon(line);
    if (colon <= 0) {
        return false;
    }
    const QList<QByteArray> head = splitOutsideQuotes(line.left(colon), ';');
    QByteArray name = head.front().trimmed();
    const qsizetype dot = name.lastIndexOf('.');
    if (dot >= 0) {
        property.group = QString::fromUtf8(name.left(dot)).toUpper();
        name = name.mid(dot + 1);
    }
    if (name.isEmpty()) {
        return false;
    }
    property.name = QString::fromUtf8(name).toUpper();
    for (qsizetype at = 1; at < head.size(); ++at) {
        if (!head[at].trimmed().isEmpty()) {
            property.params.append(parseParam(head[at]));
        }
    }
    property.value = decodeValue(line.mid(colon + 1), property);
    return true;
}

}  // namespace kontavo
