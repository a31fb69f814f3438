#include "card/formdate.h"

#include <QList>
#include <array>

namespace kontavo {

namespace {

enum Role : unsigned { kYear = 1, kDay = 2, kMonth = 4 };

unsigned rolesOf(long long value) {
    if (value > 31) {
        return kYear;
    }
    if (value > 12) {
        return kYear | kDay;
    }
    return kYear | kDay | kMonth;
}

// The digit runs of the text as numbers, zero runs dropped except a final
// one, at most three.
QList<long long> numbersOf(QStringView text) {
    QList<long long> numbers;
    qsizetype i = 0;
    while (i < text.size() && numbers.size() < 3) {
        if (text[i].unicode() < u'0' || text[i].unicode() > u'9') {
            ++i;
            continue;
        }
        long long value = 0;
        while (i < text.size() && text[i].unicode() >= u'0' && text[i].unicode() <= u'9') {
            value = std::min<long long>(value * 10 + (text[i].unicode() - u'0'), 1000000);
            ++i;
        }
        const bool last = i >= text.size();
        if (value != 0 || last) {
            numbers.append(value);
        }
    }
    return numbers;
}

long long fullYear(long long year) {
    if (year < 30) {
        return year + 2000;
    }
    if (year < 100) {
        return year + 1900;
    }
    return year;
}

std::optional<QDate> makeDate(long long year, long long month, long long day) {
    year = fullYear(year);
    if (year < 1601 || year > 9999) {
        return std::nullopt;
    }
    const QDate date(static_cast<int>(year), static_cast<int>(month), static_cast<int>(day));
    if (!date.isValid()) {
        return std::nullopt;
    }
    return date;
}

std::optional<QDate> fromTwo(long long a, long long b, DateOrder order, int currentYear) {
    const unsigned ra = rolesOf(a);
    const unsigned rb = rolesOf(b);
    if (ra == kYear || rb == kYear) {
        return std::nullopt;
    }
    bool monthFirst;
    if (!(ra & kMonth)) {
        monthFirst = false;
    } else if (!(rb & kMonth)) {
        monthFirst = true;
    } else {
        monthFirst = order != DateOrder::DayMonthYear;
    }
    return monthFirst ? makeDate(currentYear, a, b) : makeDate(currentYear, b, a);
}

std::optional<QDate> byOrder(const std::array<long long, 3>& n, DateOrder order) {
    switch (order) {
        case DateOrder::MonthDayYear:
            return makeDate(n[2], n[0], n[1]);
        case DateOrder::DayMonthYear:
            return makeDate(n[2], n[1], n[0]);
        case DateOrder::YearMonthDay:
            break;
    }
    return makeDate(n[0], n[1], n[2]);
}

std::optional<QDate> fromThree(const std::array<long long, 3>& n, DateOrder order) {
    const std::array<unsigned, 3> roles{rolesOf(n[0]), rolesOf(n[1]), rolesOf(n[2])};
    if (roles[0] == roles[1] || roles[0] == roles[2] || roles[1] == roles[2]) {
        return byOrder(n, roles[0] == kYear ? DateOrder::YearMonthDay : order);
    }
    long long year = 0;
    long long month = 0;
    long long day = 0;
    for (int i = 0; i < 3; ++i) {
        if (roles[i] == kYear) {
            year = n[i];
        } else if (roles[i] == (kYear | kDay)) {
            day = n[i];
        } else {
            month = n[i];
        }
    }
    return makeDate(year, month, day);
}

}  // namespace

std::optional<QDate> parseTypedDate(QStringView text, DateOrder order, int currentYear) {
    const QList<long long> numbers = numbersOf(text);
    if (numbers.size() == 2) {
        return fromTwo(numbers[0], numbers[1], order, currentYear);
    }
    if (numbers.size() == 3) {
        return fromThree({numbers[0], numbers[1], numbers[2]}, order);
    }
    return std::nullopt;
}

}  // namespace kontavo
