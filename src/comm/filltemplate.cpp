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

// W = D: the template's slots and the text's digits pair up one to one. A
// slot first copies the commas (pauses) before its digit, so that a pause
// stays where it was typed; a literal digit must equal its digit.
std::optional<QString> fillBySlots(const QString& pattern, const QString& text) {
    QString out;
    qsizetype pos = 0;
    for (const QChar c : pattern) {
        if (!phone::isSlot(c)) {
            out += c;
            continue;
        }
        const qsizetype digit = nextDigit(text, pos);
        if (digit == text.size() || (c != u'#' && text[digit] != c)) {
            return std::nullopt;
        }
        out += QStringView(text).mid(pos, digit - pos + 1);
        pos = digit + 1;
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
