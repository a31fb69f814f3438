#pragma once

#include <QCollator>
#include <vector>

#include "store/contacts/listcolumns.h"

namespace kontavo {

class Locale;

// The string a contact sorts by first under `sortType`: its name (else its
// company) for 0, "File As" for 1, its company for 2 (then its name).
const QString& primarySortText(int sortType, const ListColumns& columns);

// The contacts of the list cache in the order of one sort type, as slot
// numbers into the cache's table of columns:
// - sort type 0 (name): by the name, a contact without one by its company;
// - sort type 1 ("File As"): by "File As";
// - sort type 2 (company): by company, then name; contacts whose companies
//   collate equal form one run (company class).
// Strings compare by the locale's collation (case-sensitive; an absent
// string as the empty one), ties by Oid. The order keeps the ranks (position
// of each slot) and recomputes them on demand after a change.
//
// `table` passed to each call is the cache's table; the slots named must be
// in use. `locale` must outlive the order. Not thread-safe.
class ListOrder {
public:
    ListOrder(int sortType, const Locale& locale);

    int sortType() const { return m_sortType; }
    // Orders the slots `used` of `table` at once (see ListOrderBuilder).
    void build(const std::vector<ListColumns>& table, const std::vector<int>& used);
    // Takes over an order built elsewhere: the slots in order and, for the
    // company sort, the company class of each slot (by slot) and the next
    // unused class.
    void adopt(std::vector<int> sequence, std::vector<int> classes, int nextClass);
    // Puts `slot` in its place; it must not be in the order.
    void insert(const std::vector<ListColumns>& table, int slot);
    // Takes `slot` out; nothing when it is not in the order.
    void remove(int slot);
    // True when `before` and `after` (columns of one contact) sort alike, so
    // that a change between them leaves the order as it is.
    bool sortsAlike(const ListColumns& before, const ListColumns& after) const;

    // The slots in order.
    const std::vector<int>& sequence() const { return m_sequence; }
    // The position of each slot in sequence(), indexed by slot (slots not in
    // the order hold -1); valid for a table of `tableSize` slots.
    const std::vector<int>& ranks(size_t tableSize);
    // Company sort: the run of the slot's company (equal for slots whose
    // companies collate equal); 0 for the other sort types.
    int companyClass(int slot) const;

private:
    int compare(const ListColumns& a, const ListColumns& b) const;
    int classAt(const std::vector<ListColumns>& table, size_t position, int slot);

    int m_sortType;
    const Locale& m_locale;
    QCollator m_collator;
    std::vector<int> m_sequence;
    std::vector<int> m_ranks;
    bool m_ranksValid = false;
    std::vector<int> m_classes;  // by slot; company sort only
    int m_nextClass = 0;
};

}  // namespace kontavo
