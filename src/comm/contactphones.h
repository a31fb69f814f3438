#pragma once

#include <QStringList>
#include <array>

namespace kontavo {

class PhoneTemplateSet;

// The phone numbers of one contact that display formatting rewrites: the
// eleven standard phone fields and the values of the extended phones. The
// contact record copies its fields in and out (formatting works on a copy of
// the contact and never on the stored one).
struct ContactPhones {
    enum Field {
        Work,
        Work2,
        Home,
        Home2,
        Mobile,
        HomeFax,
        WorkFax,
        Pager,
        Car,
        Radio,
        Assistant,
        FieldCount
    };
    std::array<QString, FieldCount> standard;
    QStringList extended;
};

// Replaces every number for which a template matches by its formatted form;
// the others stay as typed.
void formatContactPhones(ContactPhones& phones, const PhoneTemplateSet& set);

}  // namespace kontavo
