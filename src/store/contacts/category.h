#pragma once

#include <QString>
#include <cstdint>

#include "store/record/proptag.h"

namespace kontavo {

// One category as lists show it. A plain value.
struct Category {
    Oid oid = 0;
    QString name;
    int16_t position = -1;  // bit index in contact masks; -1 = none
    bool active = true;     // false: deleted by the user, kept while contacts use it

    bool operator==(const Category&) const = default;
};

// The name a category list shows: the name, with " (deleted category)"
// (string 40242) appended for an inactive category.
QString categoryDisplayName(const Category& category);

}  // namespace kontavo
