#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include "platform/objectstore.h"
#include "store/record/proptag.h"

namespace kontavo {

// What the contact list orders and filters one contact by. A null string
// stands for an absent property (company, "File As") or a contact without
// any name (name). A plain value.
struct ListColumns {
    Oid oid = 0;
    // "Last, First", else the one that is set, else the title.
    QString name;
    QString company;
    QString fileAs;
    QByteArray categoryMask;

    bool operator==(const ListColumns&) const = default;
};

// The properties listColumnsOf() takes, in the order it expects them.
const QList<PropTag>& listColumnTags();
// The columns of a record read with listColumnTags().
ListColumns listColumnsOf(const DbRecord& read);

}  // namespace kontavo
