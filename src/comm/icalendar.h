#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

namespace kontavo {

// One appointment as an iCalendar file holds it (docs/formats/icalendar.md).
struct CalendarEvent {
    QString uid;
    QDateTime stamp;  // when the file was made
    QDateTime start;
    int durationMinutes = 15;
    QString summary;
    QStringList descriptionLines;
};

// The event as an iCalendar 2.0 file (RFC 5545) of one VEVENT: UTF-8, CR LF
// line ends, lines folded at 75 octets, times in UTC. Text values are
// escaped; the description's lines are joined by escaped line breaks, and
// control characters inside a value (other than tab) are left out, so that
// nothing a contact holds can end a line or start a property.
QByteArray writeICalendar(const CalendarEvent& event);

}  // namespace kontavo
