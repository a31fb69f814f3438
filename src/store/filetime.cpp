#include "store/filetime.h"

namespace kontavo {

namespace {

constexpr FileTime kTicksPerDay = 864000000000ULL;
constexpr FileTime kLargestConvertible = 0x7FFFFFFFFFFFFFFFULL;

const QDate& epoch() {
    static const QDate date(1601, 1, 1);
    return date;
}

}  // namespace

std::optional<FileTime> fileTimeFromDate(const QDate& date) {
    if (!date.isValid() || date < epoch()) {
        return std::nullopt;
    }
    return FileTime(epoch().daysTo(date)) * kTicksPerDay;
}

QDate dateFromFileTime(FileTime time) {
    if (time > kLargestConvertible) {
        return QDate();
    }
    return epoch().addDays(qint64(time / kTicksPerDay));
}

int fileTimeYear(FileTime time) {
    const QDate date = dateFromFileTime(time);
    return date.isValid() ? date.year() : 0;
}

int fileTimeMonth(FileTime time) {
    const QDate date = dateFromFileTime(time);
    return date.isValid() ? date.month() : 0;
}

int fileTimeDay(FileTime time) {
    const QDate date = dateFromFileTime(time);
    return date.isValid() ? date.day() : 0;
}

}  // namespace kontavo
