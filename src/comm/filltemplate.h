#pragma once

#include <QString>
#include <optional>

namespace kontavo {

// Fills a phone number format template with a text of digits (and commas,
// the dial pauses). With W the template's "#" and digits, H its "#" and D the
// text's digits:
// - W = D: each slot ("#" or a literal digit) copies the text's non-digits
//   that come before its next digit, then that digit, which a literal digit
//   must equal; other characters are copied. The commas (dial pauses) thus
//   stay before the digit they were typed before.
// - else H = D: each "#" takes the text's next character, whatever it is; all
//   other template characters, digits included, are copied.
// - otherwise, and for an empty template or text, the fill fails (nullopt).
std::optional<QString> fillTemplate(const QString& pattern, const QString& text);

// The example the formats dialog shows for a template: the template filled
// with "1234567890" repeated and cut to its number of "#" ("###-###-####"
// gives 123-456-7890). nullopt when the fill fails.
std::optional<QString> phoneTemplateExample(const QString& pattern);

}  // namespace kontavo
