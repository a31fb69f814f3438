#include "store/contacts/listorderbuilder.h"

#include <algorithm>
#include <tuple>

#include "store/contacts/contactlistsource.h"
#include "store/contacts/listorder.h"

namespace kontavo {

ListOrderBuilder::ListOrderBuilder(int sortType, const Locale& locale, std::vector<int> used)
    : m_sortType(sortType), m_keys(locale), m_used(std::move(used)) {
    m_keyed.reserve(m_used.size());
}

bool ListOrderBuilder::keySome(const std::vector<ListColumns>& table, size_t count) {
    const bool byCompany = m_sortType == sorttype::kCompany;
    const size_t end = std::min(m_used.size(), m_keyed.size() + count);
    for (size_t i = m_keyed.size(); i < end; ++i) {
        const ListColumns& columns = table[size_t(m_used[i])];
        m_keyed.push_back({m_keys.indexOf(primarySortText(m_sortType, columns)),
                           byCompany ? m_keys.indexOf(columns.name) : 0, columns.oid, m_used[i]});
    }
    return m_keyed.size() == m_used.size();
}

// Equal ranks collate equal, so contacts of one company class are those of
// one company rank.
void ListOrderBuilder::finish(const std::vector<ListColumns>& table, ListOrder& order) {
    const bool byCompany = m_sortType == sorttype::kCompany;
    const std::vector<int> ranks = m_keys.ranks();
    for (Keyed& keyed : m_keyed) {
        keyed.first = ranks[size_t(keyed.first)];
        keyed.second = byCompany ? ranks[size_t(keyed.second)] : 0;
    }
    std::sort(m_keyed.begin(), m_keyed.end(), [](const Keyed& a, const Keyed& b) {
        return std::tie(a.first, a.second, a.oid) < std::tie(b.first, b.second, b.oid);
    });
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
