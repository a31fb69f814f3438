#include "comm/vcardtext.h"

namespace kontavo::vcardtext {

namespace {

constexpr int kMaxLineOctets = 75;
const QString kCrLf = QStringLiteral("\r\n");

int hexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

// Replaces every line end (CR LF, CR or LF) of `text` with `lineEnd`.
QString replaceLineEnds(const QString& text, const QString& lineEnd) {
    QString result;
    result.reserve(text.size());
    for (qsizetype at = 0; at < text.size(); ++at) {
        const QChar c = text[at];
        if (c == QLatin1Char('\r')) {
            if (at + 1 < text.size() && text[at + 1] == QLatin1Char('\n')) {
                ++at;
            }
            result += lineEnd;
        } else if (c == QLatin1Char('\n')) {
            result += lineEnd;
        } else {
            result += c;
        }
    }
    return result;
}

}  // namespace

QString escape(const QString& text) {
    QString result;
    result.reserve(text.size() + 8);
    for (QChar c : text) {
        if (c == QLatin1Char('\\') || c == QLatin1Char(';') || c == QLatin1Char(',')) {
            result += QLatin1Char('\\');
        }
        result += c;
    }
    return replaceLineEnds(result, QStringLiteral("\\n"));
}

QString joinComponents(const QStringList& components) {
    QStringList escaped;
    for (const QString& component : components) {
        escaped.append(escape(component));
    }
    return escaped.join(QLatin1Char(';'));
}

QString unescape(const QString& text) {
    QString result;
    result.reserve(text.size());
    for (qsizetype at = 0; at < text.size(); ++at) {
        const QChar c = text[at];
        if (c != QLatin1Char('\\') || at + 1 >= text.size()) {
            result += c;
            continue;
        }
        const QChar next = text[at + 1];
        if (next == QLatin1Char('n') || next == QLatin1Char('N')) {
            result += QLatin1Char('\n');
            ++at;
        } else if (next == QLatin1Char('\\') || next == QLatin1Char(';') ||
                   next == QLatin1Char(',') || next == QLatin1Char(':')) {
            result += next;
            ++at;
        } else {
            result += c;
        }
    }
    return replaceLineEnds(result, kCrLf);
}

QStringList split(const QString& value, QChar separator) {
    QStringList pieces;
    QString current;
    for (qsizetype at = 0; at < value.size(); ++at) {
        const QChar c = value[at];
        if (c == QLatin1Char('\\') && at + 1 < value.size()) {
            current += c;
            current += value[++at];
        } else if (c == separator) {
            pieces.append(unescape(current));
            current.clear();
        } else {
            current += c;
        }
    }
    pieces.append(unescape(current));
    return pieces;
}

QString encodeParam(const QString& text) {
    QString result;
    for (QChar c : replaceLineEnds(text, QStringLiteral("\n"))) {
        if (c == QLatin1Char('^')) {
            result += QStringLiteral("^^");
        } else if (c == QLatin1Char('\n')) {
            result += QStringLiteral("^n");
        } else if (c == QLatin1Char('"')) {
            result += QStringLiteral("^'");
        } else {
            result += c;
        }
    }
    return result;
}

QString decodeParam(const QString& text) {
    QString result;
    for (qsizetype at = 0; at < text.size(); ++at) {
        const QChar c = text[at];
        const QChar next = at + 1 < text.size() ? text[at + 1] : QChar();
        if (c == QLatin1Char('^') && next == QLatin1Char('^')) {
            result += QLatin1Char('^');
        } else if (c == QLatin1Char('^') && next == QLatin1Char('n')) {
            result += kCrLf;
        } else if (c == QLatin1Char('^') && next == QLatin1Char('\'')) {
            result += QLatin1Char('"');
        } else {
            result += c;
            continue;
        }
        ++at;
    }
    return result;
}

QByteArray decodeQuotedPrintable(const QByteArray& bytes) {
    QByteArray result;
    result.reserve(bytes.size());
    for (qsizetype at = 0; at < bytes.size(); ++at) {
        const char c = bytes[at];
        if (c != '=') {
            result += c;
            continue;
        }
        if (at + 1 < bytes.size() && (bytes[at + 1] == '\r' || bytes[at + 1] == '\n')) {
            at += (bytes[at + 1] == '\r' && at + 2 < bytes.size() && bytes[at + 2] == '\n') ? 2 : 1;
            continue;
        }
        const int high = at + 1 < bytes.size() ? hexValue(bytes[at + 1]) : -1;
        const int low = at + 2 < bytes.size() ? hexValue(bytes[at + 2]) : -1;
        if (high < 0 || low < 0) {
            result += c;
            continue;
        }
        result += char(high * 16 + low);
        at += 2;
    }
    return result;
}

QByteArray fold(const QByteArray& line) {
    QByteArray result;
    qsizetype at = 0;
    int room = kMaxLineOctets;
    while (line.size() - at > room) {
        qsizetype end = at + room;
        // Never cut a UTF-8 sequence: back up to the start of a character.
        while (end > at + 1 && (uchar(line[end]) & 0xC0) == 0x80) {
            --end;
        }
        result += line.mid(at, end - at);
        result += "\r\n ";
        at = end;
        room = kMaxLineOctets - 1;
    }
    result += line.mid(at);
    result += "\r\n";
    return result;
}

}  // namespace kontavo::vcardtext
