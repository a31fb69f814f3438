#pragma once

#include <QDate>
#include <cstdint>
#include <optional>

namespace kontavo {

// A FILETIME: 100-nanosecond intervals since 1601-01-01 00:00:00 UTC. Zero
// means "not set" wherever a contact stores a date.
using FileTime = uint64_t;

// Midnight at the start of `date`; nullopt for an invalid date or one before
// 1601-01-01.
std::optional<FileTime> fileTimeFromDate(const QDate& date);

// The calendar day `time` falls on; an invalid QDate when the value lies past
// the range the handheld can convert (at or above 2^63).
QDate dateFromFileTime(FileTime time);

// Parts of dateFromFileTime(); 0 for a time that has no valid date.
int fileTimeYear(FileTime time);
int fileTimeMonth(FileTime time);
int fileTimeDay(FileTime time);

}  // namespace kontavo
