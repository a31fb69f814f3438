#include "store/contacts/listorder.h"

#include <algorithm>

#include "store/contacts/collationkeys.h"
#include "store/contacts/contactlistsource.h"

namespace kontavo {

namespace {

int compareOids(Oid a, Oid b) {
    return a < b ? -1 : (a > b ? 1 : 0);
}

}  // namespace

ListOrder::ListOrder(int sortType, const Locale& locale)
    : m_sortType(sortType), m_locale(locale), m_collator(listCollator(locale)) {}

const QString& ListOrder::primary(const ListColumns& columns) const {
    switch (m_sortType) {
        case sorttype::kFileAs:
            return columns.fileAs;
        case sorttype::kCompany:
            return columns.company;
        default:
            return columns.name.isEmpty() ? columns.company : columns.name;
    }
}

int ListOrder::compare(const ListColumns& a, const ListColumns& b) const {
    int order = m_collator.compare(primary(a), primary(b));
    if (order == 0 && m_sortType == sorttype::kCompany) {
        order = m_collator.compare(a.name, b.name);
    }
    return order != 0 ? order : compareOids(a.oid, b.oid);
}

bool ListOrder::sortsAlike(const ListColumns& before, const ListColumns& after) const {
    return before.oid == after.oid && primary(before) == primary(after) &&
           (m_sortType != sorttype::kCompany || before.name == after.name);
}

void ListOrder::build(const std::vector<ListColumns>& table, const std::vector<int>& used) {
    struct Keyed {
        int first;
        int second;
        int slot;
    };
    CollationKeys keys(m_locale);
    const bool byCompany = m_sortType == sorttype::kCompany;
    std::vector<Keyed> keyed;
    keyed.reserve(used.size());
    for (const int slot : used) {
        const ListColumns& columns = table[size_t(slot)];
        keyed.push_back(
            {keys.indexOf(primary(columns)), byCompany ? keys.indexOf(columns.name) : 0, slot});
    }
    std::sort(keyed.begin(), keyed.end(), [&](const Keyed& a, const Keyed& b) {
        if (const int c = keys.compare(a.first, b.first); c != 0) {
            return c < 0;
        }
        if (const int c = keys.compare(a.second, b.second); c != 0) {
            return c < 0;
        }
        return table[size_t(a.slot)].oid < table[size_t(b.slot)].oid;
    });
    m_sequence.clear();
    m_sequence.reserve(keyed.size());
    m_classes.assign(byCompany ? table.size() : 0, 0);
    m_nextClass = 0;
    for (size_t i = 0; i < keyed.size(); ++i) {
        m_sequence.push_back(keyed[i].slot);
        if (byCompany) {
            if (i > 0 && keys.compare(keyed[i - 1].first, keyed[i].first) != 0) {
                ++m_nextClass;
            }
            m_classes[size_t(keyed[i].slot)] = m_nextClass;
        }
    }
    ++m_nextClass;
    m_ranksValid = false;
}

// The class of a contact placed at `position`: that of a neighbour whose
// company collates equal, else a new one. The order being sorted by
// company first, no run can hold a contact of another company.
int ListOrder::classAt(const std::vector<ListColumns>& table, size_t position, int slot) {
    const QString& company = table[size_t(slot)].company;
    if (position > 0) {
        const int before = m_sequence[position - 1];
        if (m_collator.compare(table[size_t(before)].company, company) == 0) {
            return m_classes[size_t(before)];
        }
    }
    if (position < m_sequence.size()) {
        const int after = m_sequence[position];
        if (m_collator.compare(table[size_t(after)].company, company) == 0) {
            return m_classes[size_t(after)];
        }
    }
    return m_nextClass++;
}

void ListOrder::insert(const std::vector<ListColumns>& table, int slot) {
    const ListColumns& columns = table[size_t(slot)];
    const auto at = std::lower_bound(m_sequence.begin(), m_sequence.end(), slot, [&](int a, int) {
        return compare(table[size_t(a)], columns) < 0;
    });
    const size_t position = size_t(at - m_sequence.begin());
    if (m_sortType == sorttype::kCompany) {
        if (m_classes.size() < table.size()) {
            m_classes.resize(table.size(), 0);
        }
        m_classes[size_t(slot)] = classAt(table, position, slot);
    }
    m_sequence.insert(m_sequence.begin() + qsizetype(position), slot);
    m_ranksValid = false;
}

void ListOrder::remove(int slot) {
    auto at = m_sequence.end();
    if (m_ranksValid && size_t(slot) < m_ranks.size() && m_ranks[size_t(slot)] >= 0) {
        at = m_sequence.begin() + m_ranks[size_t(slot)];
    } else {
        at = std::find(m_sequence.begin(), m_sequence.end(), slot);
    }
    if (at != m_sequence.end()) {
        m_sequence.erase(at);
        m_ranksValid = false;
    }
}

const std::vector<int>& ListOrder::ranks(size_t tableSize) {
    if (!m_ranksValid || m_ranks.size() != tableSize) {
        m_ranks.assign(tableSize, -1);
        for (size_t i = 0; i < m_sequence.size(); ++i) {
            m_ranks[size_t(m_sequence[i])] = int(i);
        }
        m_ranksValid = true;
    }
    return m_ranks;
}

int ListOrder::companyClass(int slot) const {
    return size_t(slot) < m_classes.size() ? m_classes[size_t(slot)] : 0;
}

}  // namespace kontavo
