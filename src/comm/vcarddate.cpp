#include "comm/vcarddate.h"

#include <QRegularExpression>

namespace kontavo::vcarddate {

namespace {

constexpr uint64_t kTicksPerSecond = 10'000'000;
constexpr uint64_t kTicksPerDay = 86'400 * kTicksPerSecond;

const QDate& epoch() {
    static const QDate date(1601, 1, 1);
    return date;
}

// Seconds east of UTC of an offset "+HH:MM", "-HHMM", "+HH"; 0 for "Z" or
// none; nullopt when malformed.
std::optional<int64_t> offsetSeconds(const QString& zone) {
    if (zone.isEmpty() || zone == QLatin1String("Z") || zone == QLatin1String("z")) {
        return 0;
    }
    static const QRegularExpression pattern(QStringLiteral("^([+-])(\\d\\d):?(\\d\\d)?$"));
    const QRegularExpressionMatch match = pattern.match(zone);
    if (!match.hasMatch()) {
        return std::nullopt;
    }
    const int64_t seconds = match.captured(2).toInt() * 3600 + match.captured(3).toInt() * 60;
    return match.captured(1) == QLatin1String("-") ? -seconds : seconds;
}

// Ticks of a fraction of a second given by its digits (at most 7 count).
uint64_t fractionTicks(const QString& digits) {
    const QString seven = digits.left(7).leftJustified(7, QLatin1Char('0'));
    return seven.toULongLong();
}

}  // namespace

QString format(FileTime time, Style style) {
    const QDate date = dateFromFileTime(time);
    if (time == 0 || !date.isValid()) {
        return QString();
    }
    const bool basic = style == Style::Basic;
    QString text = date.toString(basic ? QStringLiteral("yyyyMMdd") : QStringLiteral("yyyy-MM-dd"));
    const uint64_t ticks = time % kTicksPerDay;
    if (ticks == 0) {
        return text;
    }
    const uint64_t seconds = ticks / kTicksPerSecond;
    text += (basic ? QStringLiteral("T%1%2%3") : QStringLiteral("T%1:%2:%3"))
                .arg(seconds / 3600, 2, 10, QLatin1Char('0'))
                .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
                .arg(seconds % 60, 2, 10, QLatin1Char('0'));
    if (const uint64_t fraction = ticks % kTicksPerSecond; fraction != 0) {
        text += QStringLiteral(".%1").arg(fraction, 7, 10, QLatin1Char('0'));
    }
    return text + QLatin1Char('Z');
}

std::optional<FileTime> parse(const QString& text) {
    static const QRegularExpression pattern(QStringLiteral(
        "^(\\d{4})-?(\\d\\d)-?(\\d\\d)"
        "(?:[Tt](\\d\\d):?(\\d\\d):?(\\d\\d)(?:[.,](\\d+))?([Zz]|[+-]\\d\\d(?::?\\d\\d)?)?)?$"));
    const QRegularExpressionMatch match = pattern.match(text.trimmed());
    if (!match.hasMatch()) {
        return std::nullopt;
    }
    const QDate date(match.captured(1).toInt(), match.captured(2).toInt(),
                     match.captured(3).toInt());
    if (!date.isValid() || date < epoch()) {
        return std::nullopt;
    }
    const int64_t days = epoch().daysTo(date);
    int64_t seconds = days * 86'400;
    uint64_t fraction = 0;
    if (match.hasCaptured(4)) {
        const int hours = match.captured(4).toInt();
        const int minutes = match.captured(5).toInt();
        const int secs = match.captured(6).toInt();
        const std::optional<int64_t> offset = offsetSeconds(match.captured(8));
        if (hours > 23 || minutes > 59 || secs > 59 || !offset) {
            return std::nullopt;
        }
        seconds += hours * 3600 + minutes * 60 + secs - *offset;
        fraction = fractionTicks(match.captured(7));
    }
    if (seconds < 0) {
        return std::nullopt;
    }
    const FileTime time = uint64_t(seconds) * kTicksPerSecond + fraction;
    return time == 0 ? std::nullopt : std::optional<FileTime>(time);
}

}  // namespace kontavo::vcarddate
