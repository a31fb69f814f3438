#include "comm/appointmenttext.h"

#include "store/record/contactrecord.h"

namespace kontavo {

QString appointmentSubject(const ContactRecord& record) {
    QStringList parts;
    for (const ContactField field : {ContactField::Title, ContactField::FirstName,
                                     ContactField::MiddleName, ContactField::LastName}) {
        if (!record.field(field).isEmpty()) {
            parts.append(record.field(field));
        }
    }
    return parts.isEmpty() ? record.field(ContactField::Company) : parts.join(u' ');
}

QStringList appointmentBody(const ContactRecord& record) {
    QStringList lines;
    for (const LabeledValue& phone : record.phoneList()) {
        lines.append(phone.label + QStringLiteral(": ") + phone.value);
    }
    return lines;
}

}  // namespace kontavo
