#include "comm/filltemplate.h"

#include "comm/phonesyntax.h"

namespace kontavo {

namespace {

qsizetype nextDigit(const QString& text, qsizetype from) {
    while (from < text.size() && !phone::isDigit(text[from])) {
        ++from;
    }
    return from;
}

// W = D: the template's slots and the text's digits pair up one to one.
std::optional<QString> fillBySlots(const QString& pattern, QString text) {
    QString out;
    qsizetype pos = 0;
    for (const QChar c : pattern) {
        if (c == u'#') {
            const qsizetype digit = nextDigit(text, pos);
            if (digit == text.size()) {
                return std::nullopt;
            }
            out += QStringView(text).mid(pos, digit - pos + 1);
            pos = digit + 1;
        } else if (phone::isDigit(c)) {
            // The digit is consumed; non-digits before it stay for the next "#".
            const qsizetype digit = nextDigit(text, pos);
            if (digit == text.size() || text[digit] != c) {
                return std::nullopt;
            }
            out += c;
            text.remove(digit, 1);
        } else {
            out += c;
        }
    }
    return out;
}

// H = D: every "#" takes one character of the text, in order.
QString fillByHashes(const QString& pattern, const QString& text) {
    QString out;
    qsizetype pos = 0;
    for (const QChar c : pattern) {
        out += (c == u'#' && pos < text.size()) ? text[pos++] : c;
    }
    return out;
}

}  // namespace

std::optional<QString> fillTemplate(const QString& pattern, const QString& text) {
    if (pattern.isEmpty() || text.isEmpty()) {
        return std::nullopt;
    }
    const int digits = phone::digitCount(text);
    if (phone::templateWeight(pattern) == digits) {
        return fillBySlots(pattern, text);
    }
    if (pattern.count(u'#') == digits) {
        return fillByHashes(pattern, text);
    }
    return std::nullopt;
}

std::optional<QString> phoneTemplateExample(const QString& pattern) {
    const qsizetype hashes = pattern.count(u'#');
    const QString digits = QStringLiteral("1234567890").repeated(hashes / 10 + 1).left(hashes);
    return fillTemplate(pattern, digits);
}

}  // namespace kontavo
