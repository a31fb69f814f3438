#include "store/contacts/listorder.h"

#include <algorithm>

#include "store/contacts/collationkeys.h"
#include "store/contacts/contactlistsource.h"
#include "store/contacts/listorderbuilder.h"

namespace kontavo {

namespace {

int compareOids(Oid a, Oid b) {
    return a < b ? -1 : (a > b ? 1 : 0);
}

}  // namespace

const QString& primarySortText(int sortType, const ListColumns& columns) {
    switch (sortType) {
        case sorttype::kFileAs:
            return columns.fileAs;
        case sorttype::kCompany:
            return columns.company;
        default:
            return columns.name.isEmpty() ? columns.company : columns.name;
    }
}

ListOrder::ListOrder(int sortType, const Locale& locale)
    : m_sortType(sortType), m_locale(locale), m_collator(listCollator(locale)) {}

int ListOrder::compare(const ListColumns& a, const ListColumns& b) const {
    int order = m_collator.compare(primarySortText(m_sortType, a), primarySortText(m_sortType, b));
    if (order == 0 && m_sortType == sorttype::kCompany) {
        order = m_collator.compare(a.name, b.name);
    }
    return order != 0 ? order : compareOids(a.oid, b.oid);
}

bool ListOrder::sortsAlike(const ListColumns& before, const ListColumns& after) const {
    return before.oid == after.oid && primarySortText(m_sortType, before) == primarySortText(m_sortType, after) &&
           (m_sortType != sorttype::kCompany || before.name == after.name);
}

void ListOrder::build(const std::vector<ListColumns>& table, const std::vector<int>& used) {
    ListOrderBuilder builder(m_sortType, m_locale, used);
    while (!builder.step(table, used.size())) {
    }
    builder.finish(table, *this);
}

void ListOrder::adopt(std::vector<int> sequence, std::vector<int> classes, int nextClass) {
    m_sequence = std::move(sequence);
    m_classes = std::move(classes);
    m_nextClass = nextClass;
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
