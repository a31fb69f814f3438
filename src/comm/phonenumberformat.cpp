#include "comm/phonenumberformat.h"

#include "comm/filltemplate.h"
#include "comm/phonenumberparts.h"
#include "comm/phonesyntax.h"
#include "comm/phonetemplateset.h"
#include "comm/separatorscompatible.h"

namespace kontavo {

namespace {

// The number's prefix separators must occur in the template with nothing but
// plain text (no separator) before them; that text becomes the leading text.
bool fitPrefix(const QString& pattern, const QString& separators, QString& leading) {
    if (separators.isEmpty()) {
        return true;
    }
    const qsizetype at = pattern.indexOf(separators);
    if (at < 0) {
        return false;
    }
    for (qsizetype i = 0; i < at; ++i) {
        if (phone::isSeparator(pattern[i])) {
            return false;
        }
    }
    leading = pattern.left(at);
    return true;
}

qsizetype slotsEnd(const QString& pattern) {
    for (qsizetype i = pattern.size(); i > 0; --i) {
        if (phone::isSlot(pattern[i - 1])) {
            return i;
        }
    }
    return 0;
}

// The number's suffix separators must follow the template's last slot. The
// search starts at the number's own end-of-digits index.
bool fitSuffix(const QString& pattern, const PhoneNumberParts& parts, qsizetype end) {
    if (parts.suffixSeparators.isEmpty()) {
        return true;
    }
    if (parts.digitsEnd > pattern.size()) {
        return false;
    }
    return pattern.indexOf(parts.suffixSeparators, parts.digitsEnd) == end;
}

// Text after the last slot: separators, then a trailing text of at least two
// characters; a template ending in separators or one character never fits.
bool fitTrailing(const QString& pattern, qsizetype end, QString& trailing) {
    if (end >= pattern.size()) {
        return true;
    }
    qsizetype start = end;
    while (start < pattern.size() && phone::isSeparator(pattern[start])) {
        ++start;
    }
    if (start >= pattern.size() - 1) {
        return false;
    }
    trailing = pattern.mid(start);
    return true;
}

QString digitsAndCommas(const QString& text) {
    QString out;
    for (const QChar c : text) {
        if (phone::isDigit(c) || c == u',') {
            out += c;
        }
    }
    return out;
}

QString compose(const PhoneNumberParts& parts, const PhoneTemplateFit& fit, const QString& filled) {
    QString out = fit.leading;
    if (!out.isEmpty()) {
        out += u' ';
    }
    out += parts.label + parts.prefixSeparators + filled + parts.suffixSeparators + parts.trailing;
    if (!fit.trailing.isEmpty()) {
        out += u' ' + fit.trailing;
    }
    return out;
}

}  // namespace

std::optional<PhoneTemplateFit> fitPhoneTemplate(const QString& pattern,
                                                 const PhoneNumberParts& parts) {
    PhoneTemplateFit fit;
    const qsizetype end = slotsEnd(pattern);
    if (!fitPrefix(pattern, parts.prefixSeparators, fit.leading) ||
        !fitSuffix(pattern, parts, end) || !fitTrailing(pattern, end, fit.trailing)) {
        return std::nullopt;
    }
    const qsizetype front = fit.leading.size() + parts.prefixSeparators.size();
    const qsizetype length = pattern.size() - front - fit.trailing.size();
    if (length <= 0) {
        return std::nullopt;
    }
    fit.trimmed = pattern.mid(front, length);
    if (!separatorsCompatible(fit.trimmed, parts.middle)) {
        return std::nullopt;
    }
    return fit;
}

std::optional<QString> formatPhoneNumber(const QString& number, const PhoneTemplateSet& set) {
    if (number.isEmpty() || !set.isActiveTemplate() || set.templates().isEmpty()) {
        return std::nullopt;
    }
    const auto parts = splitPhoneNumber(number, set.isIgnorePhoneFormat());
    if (!parts) {
        return std::nullopt;
    }
    for (const bool literalDigitsOnly : {true, false}) {
        for (qsizetype i = 0; i < set.templates().size(); ++i) {
            const QString& pattern = set.templates()[i];
            if (set.weights()[i] != parts->digitCount ||
                (literalDigitsOnly && !phone::hasLiteralDigit(pattern))) {
                continue;
            }
            const auto fit = fitPhoneTemplate(pattern, *parts);
            if (!fit) {
                continue;
            }
            const auto filled = fillTemplate(fit->trimmed, digitsAndCommas(parts->middle));
            if (!filled) {
                return std::nullopt;
            }
            // The number is dialed as shown (the card hands the shown text to
            // a call): a template that would drop, add or move a digit, a
            // "*", a "#" or a pause leaves the number as typed.
            QString shown = compose(*parts, *fit, *filled);
            if (phone::dialSequence(shown) != phone::dialSequence(number)) {
                return std::nullopt;
            }
            return shown;
        }
    }
    return std::nullopt;
}

QString displayPhoneNumber(const QString& number, const PhoneTemplateSet& set) {
    return formatPhoneNumber(number, set).value_or(number);
}

}  // namespace kontavo
