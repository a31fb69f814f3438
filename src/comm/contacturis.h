#pragma once

#include <QString>

namespace kontavo {

// The characters of `number` an SMS address keeps: "+" and the digits, in
// their order.
QString smsNumber(const QString& number);

// The sms URI of `number`: "sms:" and smsNumber(number).
QString smsUri(const QString& number);

// The tel URI of `number` as it stands, formatting characters included:
// letters, digits and "+-.()*,_~" are kept, every other character
// (blanks, "#", ";", quotes, "$" ...) is percent-encoded as UTF-8, so that
// the number stays one URI whatever it holds.
QString telUri(const QString& number);

}  // namespace kontavo
