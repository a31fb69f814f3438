#pragma once

#include <QString>
#include <optional>

namespace kontavo {

class PhoneTemplateSet;
struct PhoneNumberParts;

// The pieces a template contributes when it fits a number.
struct PhoneTemplateFit {
    QString leading;   // template text before the number's prefix separators
    QString trimmed;   // the template without its leading and trailing text
    QString trailing;  // template text after its last slot and separators
};

// Tests one template (whose weight equals the number's digit count) against a
// split number: prefix separators, suffix separators, the template's own
// trailing text, trimming and separator compatibility. nullopt rejects it.
std::optional<PhoneTemplateFit> fitPhoneTemplate(const QString& pattern,
                                                 const PhoneNumberParts& parts);

// The number as the first fitting template shows it, or nullopt when it is to
// be shown as typed: formatting off, no templates, no digit, no template of
// the number's digit count fits, or the first fitting template cannot be
// filled or would change what is dialed (its digits, "*", "#" and commas,
// in order; no later one is tried). Templates holding literal digits are tried
// first, then all, each pass in list order. Thread-safe.
std::optional<QString> formatPhoneNumber(const QString& number, const PhoneTemplateSet& set);

// The formatted number, or the number as typed when no template applies.
QString displayPhoneNumber(const QString& number, const PhoneTemplateSet& set);

}  // namespace kontavo
