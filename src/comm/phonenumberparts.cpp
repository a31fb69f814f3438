#include "comm/phonenumberparts.h"

#include <utility>

#include "comm/phonesyntax.h"

namespace kontavo {

namespace {

// First separator index and one past the last one; {-1, -1} without any.
std::pair<qsizetype, qsizetype> separatorSpan(const QString& text) {
    qsizetype first = -1;
    qsizetype end = -1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (phone::isSeparator(text[i])) {
            first = first < 0 ? i : first;
            end = i + 1;
        }
    }
    return {first, end};
}

void splitPrefix(const QString& prefix, PhoneNumberParts& parts) {
    const auto [first, end] = separatorSpan(prefix);
    if (first < 0 || end == prefix.size() - 1) {
        parts.prefixSeparators = prefix;
        return;
    }
    qsizetype labelEnd = first;
    for (qsizetype i = first; i < end; ++i) {
        if (!phone::isSeparator(prefix[i])) {
            labelEnd = i + 1;
        }
    }
    parts.label = prefix.left(labelEnd);
    parts.prefixSeparators = prefix.mid(labelEnd);
}

void splitSuffix(const QString& suffix, PhoneNumberParts& parts) {
    const auto [first, end] = separatorSpan(suffix);
    if (first < 0) {
        parts.trailing = suffix;
        return;
    }
    qsizetype cut = end;
    for (qsizetype i = first; i < end; ++i) {
        if (!phone::isSeparator(suffix[i])) {
            cut = i;
            break;
        }
    }
    parts.suffixSeparators = suffix.left(cut);
    parts.trailing = suffix.mid(cut);
}

}  // namespace

std::optional<PhoneNumberParts> splitPhoneNumber(const QString& number, bool ignoreDashes) {
    qsizetype first = -1;
    qsizetype end = -1;
    int digits = 0;
    for (qsizetype i = 0; i < number.size(); ++i) {
        if (phone::isDigit(number[i])) {
            first = first < 0 ? i : first;
            end = i + 1;
            ++digits;
        }
    }
    if (digits == 0) {
        return std::nullopt;
    }
    PhoneNumberParts parts;
    parts.digitCount = digits;
    parts.digitsEnd = int(end);
    parts.middle = number.mid(first, end - first);
    if (ignoreDashes) {
        parts.middle.remove(u'-');
    }
    parts.middle.remove(u' ');
    splitPrefix(number.left(first), parts);
    splitSuffix(number.mid(end), parts);
    return parts;
}

}  // namespace kontavo
