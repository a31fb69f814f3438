#include "store/contacts/listorderbuilder.h"

#include <algorithm>
#include <numeric>

#include "store/contacts/contactlistsource.h"
#include "store/contacts/listorder.h"

namespace kontavo {

namespace {

// Sorts `items` stably by the member `rank` (each below `rankCount`).
template <typename Item>
void countingSort(std::vector<Item>& items, size_t rankCount, int Item::*rank) {
    std::vector<size_t> starts(rankCount + 1, 0);
    for (const Item& item : items) {
        ++starts[size_t(item.*rank) + 1];
    }
    std::partial_sum(starts.begin(), starts.end(), starts.begin());
    std::vector<Item> sorted(items.size());
    for (const Item& item : items) {
        sorted[starts[size_t(item.*rank)]++] = item;
    }
    items.swap(sorted);
}

}  // namespace

ListOrderBuilder::ListOrderBuilder(int sortType, const Locale& locale, std::vector<int> used)
    : m_sortType(sortType), m_keys(locale), m_used(std::move(used)) {
    m_keyed.reserve(m_used.size());
}

bool ListOrderBuilder::step(const std::vector<ListColumns>& table, size_t count) {
    if (m_keyed.size() < m_used.size()) {
        const bool byCompany = m_sortType == sorttype::kCompany;
        const size_t end = std::min(m_used.size(), m_keyed.size() + std::max<size_t>(count, 1));
        for (size_t i = m_keyed.size(); i < end; ++i) {
            const ListColumns& columns = table[size_t(m_used[i])];
            m_keyed.push_back({m_keys.indexOf(primarySortText(m_sortType, columns)),
                               byCompany ? m_keys.indexOf(columns.name) : 0, columns.oid,
                               m_used[i]});
        }
        return false;
    }
    if (!m_ranking) {
        m_ranking.emplace(m_keys);
    }
    return m_ranking->step(count);
}

// Equal ranks collate equal, so contacts of one company class are those of
// one company rank.
void ListOrderBuilder::finish(const std::vector<ListColumns>& table, ListOrder& order) {
    const bool byCompany = m_sortType == sorttype::kCompany;
    const std::vector<int>& ranks = m_ranking->ranks();
    for (Keyed& keyed : m_keyed) {
        keyed.first = ranks[size_t(keyed.first)];
        keyed.second = byCompany ? ranks[size_t(keyed.second)] : 0;
    }
    // Ranks are small dense integers: stable counting sorts by Oid's order
    // of arrival, the second rank, then the first give (first, second, Oid).
    if (!std::is_sorted(m_keyed.begin(), m_keyed.end(),
                        [](const Keyed& a, const Keyed& b) { return a.oid < b.oid; })) {
        std::sort(m_keyed.begin(), m_keyed.end(),
                  [](const Keyed& a, const Keyed& b) { return a.oid < b.oid; });
    }
    const size_t rankCount = ranks.size() + 1;
    if (byCompany) {
        countingSort(m_keyed, rankCount, &Keyed::second);
    }
    countingSort(m_keyed, rankCount, &Keyed::first);
    std::vector<int> sequence;
    sequence.reserve(m_keyed.size());
    std::vector<int> classes(byCompany ? table.size() : 0, 0);
    int companyClass = 0;
    for (size_t i = 0; i < m_keyed.size(); ++i) {
        sequence.push_back(m_keyed[i].slot);
        if (byCompany) {
            if (i > 0 && m_keyed[i - 1].first != m_keyed[i].first) {
                ++companyClass;
            }
            classes[size_t(m_keyed[i].slot)] = companyClass;
        }
    }
    order.adopt(std::move(sequence), std::move(classes), companyClass + 1);
}

}  // namespace kontavo
