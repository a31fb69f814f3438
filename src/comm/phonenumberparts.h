#pragma once

#include <QString>
#include <optional>

namespace kontavo {

// A phone number as typed, split around its digits for formatting. The parts
// depend only on the number and are computed once per number.
struct PhoneNumberParts {
    // Of the text before the first digit: the label part ("tel ") and the
    // separator part ("+") that a template must contain.
    QString label;
    QString prefixSeparators;
    // From the first digit to the last: blanks removed, and dashes too when
    // typed dashes are ignored.
    QString middle;
    // Of the text after the last digit: the separator part that must follow
    // the template's last slot, and the trailing text kept as typed.
    QString suffixSeparators;
    QString trailing;
    // The number of digits, and the index one past the last digit in the
    // number as typed.
    int digitCount = 0;
    int digitsEnd = 0;
};

// Splits a number; nullopt when it holds no digit.
//
// The prefix is split at its separators: with F its first separator and E one
// past its last, when not exactly one character follows the last separator,
// the label part runs up to one past the last non-separator in F..E-1 (F when
// there is none) and the separator part is the rest; otherwise the whole
// prefix is the separator part. The suffix's separator part runs up to the
// first non-separator at or after its first separator (one past its last
// separator at the latest); a suffix without separators is all trailing text.
std::optional<PhoneNumberParts> splitPhoneNumber(const QString& number, bool ignoreDashes);

}  // namespace kontavo
