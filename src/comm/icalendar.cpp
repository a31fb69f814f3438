#include "comm/icalendar.h"

#include "comm/vcardtext.h"

namespace kontavo {

namespace {

const QString kUtcFormat = QStringLiteral("yyyyMMdd'T'HHmmss'Z'");

// The text of a value: line ends become escaped breaks, other control
// characters are dropped.
QString textValue(const QString& text) {
    QString kept;
    kept.reserve(text.size());
    for (const QChar c : text) {
        if ((c >= u' ' && c != u'\x7f') || c == u'\t' || c == u'\r' || c == u'\n') {
            kept += c;
        }
    }
    return vcardtext::escape(kept);
}

QByteArray line(const QString& name, const QString& value) {
    return vcardtext::fold((name + u':' + value).toUtf8());
}

QString utc(const QDateTime& time) {
    return time.toUTC().toString(kUtcFormat);
}

}  // namespace

QByteArray writeICalendar(const CalendarEvent& event) {
    QStringList description;
    for (const QString& entry : event.descriptionLines) {
        description.append(textValue(entry));
    }
    QByteArray out;
    out += line(QStringLiteral("BEGIN"), QStringLiteral("VCALENDAR"));
    out += line(QStringLiteral("VERSION"), QStringLiteral("2.0"));
    out += line(QStringLiteral("PRODID"), QStringLiteral("-//Kontavo//Contacts//EN"));
    out += line(QStringLiteral("BEGIN"), QStringLiteral("VEVENT"));
    out += line(QStringLiteral("UID"), textValue(event.uid));
    out += line(QStringLiteral("DTSTAMP"), utc(event.stamp));
    out += line(QStringLiteral("DTSTART"), utc(event.start));
    out += line(QStringLiteral("DURATION"), QStringLiteral("PT%1M").arg(event.durationMinutes));
    out += line(QStringLiteral("SUMMARY"), textValue(event.summary));
    if (!description.isEmpty()) {
        out += line(QStringLiteral("DESCRIPTION"), description.join(QStringLiteral("\\n")));
    }
    out += line(QStringLiteral("END"), QStringLiteral("VEVENT"));
    out += line(QStringLiteral("END"), QStringLiteral("VCALENDAR"));
    return out;
}

}  // namespace kontavo
