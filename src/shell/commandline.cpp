#include "shell/commandline.h"

namespace kontavo {

namespace {

// The value of a lower-case hexadecimal digit, or -1.
int hexDigit(QChar c) {
    if (c >= u'0' && c <= u'9') {
        return c.unicode() - u'0';
    }
    if (c >= u'a' && c <= u'f') {
        return c.unicode() - u'a' + 10;
    }
    return -1;
}

std::optional<uint32_t> parseHexadecimal(QStringView text) {
    qsizetype pos = 0;
    while (pos < text.size() && text[pos].isSpace()) {
        ++pos;
    }
    if (text.mid(pos).startsWith(u"0x")) {
        pos += 2;
    }
    uint64_t value = 0;
    qsizetype digits = 0;
    for (; pos < text.size() && hexDigit(text[pos]) >= 0; ++pos, ++digits) {
        const int digit = hexDigit(text[pos]);
        value = value * 16 + uint64_t(digit);
        if (value > 0xFFFFFFFFull) {
            return std::nullopt;  // not an object id
        }
    }
    if (digits == 0) {
        return std::nullopt;
    }
    return uint32_t(value);
}

}  // namespace

std::optional<OpenContactRequest> CommandLine::parse(const QString& commandLine) {
    const QString text = commandLine.toLower();
    if (text.isEmpty() || (text[0] != u'e' && text[0] != u'v')) {
        return std::nullopt;
    }
    const qsizetype blank = text.indexOf(u' ');
    if (blank < 0) {
        return std::nullopt;
    }
    const std::optional<uint32_t> oid = parseHexadecimal(QStringView(text).mid(blank + 1));
    if (!oid || *oid == 0) {
        return std::nullopt;
    }
    return OpenContactRequest{text[0].unicode(), *oid};
}

}  // namespace kontavo
