#pragma once

#include <QString>

#include "store/record/proptag.h"

namespace kontavo {

// One contact as a list query yields it. A null string stands for an absent
// property (company) or a contact without any name (display name). A plain value.
struct ListEntry {
    Oid oid = 0;
    QString company;
    // "Last, First", else the one that is set, else the title.
    QString displayName;
    // WorkPhone, else WorkPhone2; the second phone is WorkPhone2 only when
    // the first is WorkPhone.
    QString firstPhone;
    QString secondPhone;

    bool operator==(const ListEntry&) const = default;
};

}  // namespace kontavo
