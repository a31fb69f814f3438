#pragma once

#include <QChar>
#include <QString>

#include "store/contacts/contactlistsource.h"

namespace kontavo {

struct ContactRecord;
class PhoneTemplateSet;

// The texts of one contact row: the name, the second name line shown beside
// it in two-line mode, and the detail (lower-cased label, shown value and
// its tag, the label's first character). A plain value.
struct ContactRowText {
    QString name;
    QString secondName;
    QString label;
    QString value;
    QChar tag;
    bool hasDetail = false;

    bool operator==(const ContactRowText&) const = default;
};

// The name of a contact for `sortType`: "File As" for sort type 1, the first
// name line otherwise; "Unnamed" when that is empty.
QString shownName(const ContactRecord& record, int sortType);

// The row texts of `record`. The second name is the second name line for
// sort types 0 and 2 (empty for "File As"); the detail is left out when
// `nameOnly` is set.
ContactRowText contactRowText(const ContactRecord& record, int sortType, bool nameOnly,
                              const PhoneTemplateSet& templates);

// The row of a contact that cannot be read: "Unnamed" and no detail.
ContactRowText unreadableRowText();

}  // namespace kontavo
