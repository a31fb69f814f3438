#pragma once

#include <QChar>
#include <QString>
#include <QStringView>

// The characters of phone numbers and phone number format templates.
namespace kontavo::phone {

// The 13 characters that separate digit groups: ( ) [ ] { } = - + ~ \ | /.
// The blank is not one of them.
inline constexpr QStringView kSeparators = u"()[]{}=-+~\\|/";

inline bool isSeparator(QChar c) {
    return kSeparators.contains(c);
}
// Only the ASCII digits count: a template's literal digits are compared with
// the number's digits character by character.
inline bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}
// A template slot: "#" (any digit) or a literal digit.
inline bool isSlot(QChar c) {
    return c == u'#' || isDigit(c);
}

// The number of slots of a template; a number is formatted only by templates
// whose weight equals its number of digits.
int templateWeight(QStringView text);
// The number of digits of a text.
int digitCount(QStringView text);
// True when the template holds at least one literal digit.
bool hasLiteralDigit(QStringView text);

// What dialing a text acts on, in order: its digits, "*", "#" and the
// commas (pauses). Formatting must leave it as it is.
QString dialSequence(QStringView text);

}  // namespace kontavo::phone
