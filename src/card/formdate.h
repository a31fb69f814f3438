#pragma once

#include <QDate>
#include <QStringView>
#include <optional>

#include "platform/locale.h"

namespace kontavo {

// Reads a date the user typed in a date row. The runs of decimal digits are
// the numbers (a run worth 0 is dropped unless it is the last run taken; at
// most three are taken). Each number may be a year (any value), a day (up to
// 31) or a month (up to 12). Two numbers are a day and a month of
// `currentYear`: the one that cannot be a month is the day, and when both can
// be, `order` decides; a number that can only be a year rejects the text.
// Three numbers: when two of them could play the same roles, `order` decides
// (year-month-day whenever the first can only be a year); otherwise the
// year-only number is the year, the one up to 31 the day and the small one
// the month. Years below 30 are 20xx, 30 to 99 are 19xx. The result is
// nullopt for any other count of numbers, a day that is not on the calendar,
// or a year the contact cannot store (before 1601 or after 9999).
std::optional<QDate> parseTypedDate(QStringView text, DateOrder order, int currentYear);

}  // namespace kontavo
