#pragma once

#include <QList>
#include <QStringList>
#include <cstdint>

#include "store/contacts/listentry.h"

namespace kontavo {

class Locale;

// List entries as company groups, the way the list takes them: two parallel
// outputs. A plain value.
struct GroupedResult {
    // For each group in order: its entry count, then the Oids of its entries.
    QList<uint32_t> groups;
    // The company of each group; the contacts without a company form the
    // group of the empty name.
    QStringList companies;

    bool operator==(const GroupedResult&) const = default;
};

// Sorts the entries by company, then display name, then Oid, comparing
// strings with the locale's collation (an absent string sorts as the empty
// one), and splits them into runs of equal company.
GroupedResult groupByCompany(const QList<ListEntry>& entries, const Locale& locale);

}  // namespace kontavo
