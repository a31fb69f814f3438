#pragma once

#include <QList>
#include <QStringList>

#include "store/record/proptag.h"

namespace kontavo {

// Sort types of the list ("SortType").
namespace sorttype {
inline constexpr int kName = 0;
inline constexpr int kFileAs = 1;
inline constexpr int kCompany = 2;
inline constexpr int kCount = 3;
}  // namespace sorttype

// The contacts a list query yields, in list order. Flat: `contacts` only.
// Grouped by company: `companies` names the groups and `counts` holds how
// many of the consecutive contacts each one has (they add up to the number
// of contacts). A plain value.
struct ContactListSource {
    QList<Oid> contacts;
    bool grouped = false;
    QStringList companies;
    QList<int> counts;

    bool operator==(const ContactListSource&) const = default;
};

}  // namespace kontavo
