#pragma once

#include <QString>
#include <QStringList>

namespace kontavo {

struct ContactRecord;

// The subject of an appointment with a contact: its title, first, middle
// and last name, the non-empty ones joined by one blank; the company when
// all four are empty.
QString appointmentSubject(const ContactRecord& record);

// The body's lines: one per entry of the contact's phone list, label, ": "
// and the number.
QStringList appointmentBody(const ContactRecord& record);

}  // namespace kontavo
