#pragma once

#include <QString>
#include <optional>

#include "store/record/filetime.h"

namespace kontavo {

// Dates of vCard properties (BDAY, X-ANNIVERSARY, X-KONTAVO-DATE) and the
// contact's FILETIMEs. Pure functions.
namespace vcarddate {

// Extended ("1980-02-15", vCard 3.0) or basic ("19800215", vCard 4.0) form.
enum class Style { Extended, Basic };

// Midnight (UTC) as "YYYY-MM-DD"; any other time as
// "YYYY-MM-DDTHH:MM:SSZ", with ".fffffff" when it holds 100-ns ticks (the
// basic style leaves out the hyphens and colons). Empty for 0 (not set) and
// for a time without a calendar date.
QString format(FileTime time, Style style = Style::Extended);
// Reads "YYYY-MM-DD" or "YYYYMMDD", optionally followed by "T" and a time
// "HH:MM:SS" or "HHMMSS" with an optional fraction and an optional "Z" or
// "+HH:MM"/"-HHMM" offset (turned into UTC). nullopt for anything else,
// a date without a year, and dates before 1601.
std::optional<FileTime> parse(const QString& text);

}  // namespace vcarddate

}  // namespace kontavo
