#pragma once

#include <QList>
#include <QString>
#include <cstdint>
#include <optional>

#include "store/record/contactfields.h"

namespace kontavo {

struct ContactRecord;
class PhoneTemplateSet;

// One phone or e-mail of a contact as the list and its phone menu show it.
struct ContactItem {
    enum class Kind { Phone, Email };

    // The field's property tag, or the itemKey() of label and stored value
    // for an extended item.
    uint32_t id = 0;
    QString label;
    QString value;  // as stored
    Kind kind = Kind::Phone;
    bool extended = false;

    bool operator==(const ContactItem&) const = default;
};

// The standard phone and e-mail fields with their label string ids, phones
// first in the order Work, second Work, Home, second Home, Mobile, Home fax,
// Work fax, Pager, Car, Radio, Assistant, then E-mail, E-mail 2, E-mail 3.
struct StandardItemField {
    ContactField field;
    int labelId;
    ContactItem::Kind kind;
};
const QList<StandardItemField>& standardItemFields();

// The items of the phone menu: non-empty standard phones, extended phones,
// standard e-mails, extended e-mails (labels from the string table; a
// missing label string is fatal).
QList<ContactItem> phoneMenuItems(const ContactRecord& record);

// The item shown beside the name in the list. With a preferred item: the
// standard field it names, or the extended phone (searched first) or e-mail
// whose key it is; nothing when that item is gone or empty. Without one:
// the first non-empty standard phone or e-mail, else the first extended
// phone, else the first extended e-mail. Extended values are trimmed at
// both ends.
std::optional<ContactItem> detailItem(const ContactRecord& record);

// The number the Talk key dials for a contact. With a preferred item set:
// the standard phone field it names, or the extended phone whose key it is
// (an e-mail, or an item that is gone, gives no number: nothing is
// dialed). Without one: the first non-empty standard phone (Work, second
// Work, Home, second Home, Mobile, Home fax, Work fax, Pager, Car, Radio,
// Assistant), then the first non-empty extended phone. Empty when there is
// none.
QString talkKeyNumber(const ContactRecord& record);

// The value as shown: phones through the phone number templates, e-mail
// addresses as stored.
QString displayValue(const ContactItem& item, const PhoneTemplateSet& templates);

}  // namespace kontavo
