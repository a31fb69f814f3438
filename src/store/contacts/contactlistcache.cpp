#include "store/contacts/contactlistcache.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <utility>

namespace kontavo {

namespace {

bool oidBelow(const std::pair<Oid, int>& entry, Oid oid) {
    return entry.first < oid;
}

// `positions` ascending without repeats. Many positions are marked in a bit
// map and collected by one walk; few are sorted.
void ascendingUnique(std::vector<int>& positions, size_t orderSize) {
    if (positions.size() * 8 < orderSize) {
        std::sort(positions.begin(), positions.end());
        positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
        return;
    }
    std::vector<uint64_t> bits((orderSize + 63) / 64, 0);
    for (const int position : positions) {
        bits[size_t(position) / 64] |= uint64_t(1) << (size_t(position) % 64);
    }
    positions.clear();
    for (size_t word = 0; word < bits.size(); ++word) {
        for (uint64_t rest = bits[word]; rest != 0; rest &= rest - 1) {
            positions.push_back(int(word * 64 + size_t(std::countr_zero(rest))));
        }
    }
}

}  // namespace

ContactListCache::ContactListCache(const Locale& locale) : m_locale(locale) {}

ContactListCache::~ContactListCache() = default;

void ContactListCache::clear() {
    m_state = State::Empty;
    m_table.clear();
    m_freeSlots.clear();
    m_byOid.clear();
    for (auto& order : m_orders) {
        order.reset();
    }
    dropBuilders();
    m_touched.clear();
}

// The expected count comes from the store's header, which another program
// may have damaged: it sizes the first reservation only up to a bound.
void ContactListCache::beginLoad(qsizetype expected) {
    clear();
    const size_t reserved = size_t(std::clamp<qsizetype>(expected, 0, kMostReservedAhead));
    m_table.reserve(reserved);
    m_byOid.reserve(reserved);
    m_state = State::Loading;
}

void ContactListCache::loaded(const ListColumns& columns) {
    if (m_state == State::Loading && !m_touched.contains(columns.oid)) {
        store(columns);
    }
}

void ContactListCache::finishLoad(const Reread& reread) {
    if (m_state != State::Loading) {
        return;
    }
    const QSet<Oid> touched = std::exchange(m_touched, {});
    for (const Oid oid : touched) {
        if (const std::optional<ListColumns> columns = reread(oid)) {
            store(*columns);
        } else {
            erase(oid);
        }
    }
    m_state = State::Ready;
}

void ContactListCache::put(const ListColumns& columns) {
    if (m_state == State::Loading) {
        m_touched.insert(columns.oid);
    } else if (m_state == State::Ready) {
        store(columns);
    }
}

void ContactListCache::remove(Oid oid) {
    if (m_state == State::Loading) {
        m_touched.insert(oid);
    } else if (m_state == State::Ready) {
        erase(oid);
    }
}

int ContactListCache::slotOf(Oid oid) const {
    const auto at = std::lower_bound(m_byOid.begin(), m_byOid.end(), oid, oidBelow);
    return at != m_byOid.end() && at->first == oid ? at->second : -1;
}

const ListColumns* ContactListCache::find(Oid oid) const {
    const int slot = slotOf(oid);
    return slot >= 0 ? &m_table[size_t(slot)] : nullptr;
}

void ContactListCache::dropBuilders() {
    for (auto& builder : m_builders) {
        builder.reset();
    }
}

// A known contact is re-placed only in the orders its change moves it in.
void ContactListCache::store(const ListColumns& columns) {
    dropBuilders();
    const int known = slotOf(columns.oid);
    if (known >= 0) {
        ListColumns& held = m_table[size_t(known)];
        std::vector<ListOrder*> moved;
        for (auto& order : m_orders) {
            if (order && !order->sortsAlike(held, columns)) {
                order->remove(known);
                moved.push_back(order.get());
            }
        }
        held = columns;
        for (ListOrder* order : moved) {
            order->insert(m_table, known);
        }
        return;
    }
    int slot = 0;
    if (!m_freeSlots.empty()) {
        slot = m_freeSlots.back();
        m_freeSlots.pop_back();
        m_table[size_t(slot)] = columns;
    } else {
        slot = int(m_table.size());
        m_table.push_back(columns);
    }
    const auto at = std::lower_bound(m_byOid.begin(), m_byOid.end(), columns.oid, oidBelow);
    m_byOid.insert(at, {columns.oid, slot});
    for (auto& order : m_orders) {
        if (order) {
            order->insert(m_table, slot);
        }
    }
}

void ContactListCache::erase(Oid oid) {
    const auto at = std::lower_bound(m_byOid.begin(), m_byOid.end(), oid, oidBelow);
    if (at == m_byOid.end() || at->first != oid) {
        return;
    }
    const int slot = at->second;
    dropBuilders();
    for (auto& order : m_orders) {
        if (order) {
            order->remove(slot);
        }
    }
    m_byOid.erase(at);
    m_table[size_t(slot)] = ListColumns();
    m_freeSlots.push_back(slot);
}

std::vector<int> ContactListCache::usedSlots() const {
    std::vector<int> used;
    used.reserve(m_byOid.size());
    for (const auto& entry : m_byOid) {
        used.push_back(entry.second);
    }
    return used;
}

ListOrder& ContactListCache::order(int sortType) {
    const size_t type =
        size_t(sortType >= 0 && sortType < sorttype::kCount ? sortType : sorttype::kName);
    std::unique_ptr<ListOrder>& order = m_orders[type];
    if (!order) {
        m_builders[type].reset();
        order = std::make_unique<ListOrder>(int(type), m_locale);
        order->build(m_table, usedSlots());
    }
    return *order;
}

bool ContactListCache::prepareSome(size_t count) {
    if (m_state != State::Ready) {
        return false;
    }
    for (size_t type = 0; type < m_orders.size(); ++type) {
        if (m_orders[type]) {
            continue;
        }
        std::unique_ptr<ListOrderBuilder>& builder = m_builders[type];
        if (!builder) {
            builder = std::make_unique<ListOrderBuilder>(int(type), m_locale, usedSlots());
        } else if (builder->step(m_table, count)) {
            m_orders[type] = std::make_unique<ListOrder>(int(type), m_locale);
            builder->finish(m_table, *m_orders[type]);
            builder.reset();
        }
        return false;
    }
    return true;
}

// Candidates in ascending order (as the index gives them) are found by one
// forward walk through the Oid table; others one by one.
std::vector<int> ContactListCache::positionsOf(const QList<Oid>& candidates,
                                               const CategoryFilter& filter, ListOrder& order) {
    const std::vector<int>& ranks = order.ranks(m_table.size());
    std::vector<int> positions;
    positions.reserve(size_t(std::min(candidates.size(), size())));
    const bool ascending = std::is_sorted(candidates.begin(), candidates.end());
    auto from = m_byOid.begin();
    for (const Oid oid : candidates) {
        const auto begin = ascending ? from : m_byOid.begin();
        const auto at = std::lower_bound(begin, m_byOid.end(), oid, oidBelow);
        if (ascending) {
            from = at;
        }
        if (at == m_byOid.end() || at->first != oid) {
            continue;
        }
        const int slot = at->second;
        if (filter.isAny() || filter.keeps(m_table[size_t(slot)].categoryMask)) {
            positions.push_back(ranks[size_t(slot)]);
        }
    }
    ascendingUnique(positions, order.sequence().size());
    return positions;
}

ContactListSource ContactListCache::select(const QList<Oid>* candidates,
                                           const CategoryFilter& filter, int sortType) {
    if (m_state != State::Ready) {
        return {};
    }
    ListOrder& chosen = order(sortType);
    std::vector<int> positions;
    if (candidates != nullptr) {
        positions = positionsOf(*candidates, filter, chosen);
    } else {
        const std::vector<int>& sequence = chosen.sequence();
        positions.reserve(sequence.size());
        for (size_t i = 0; i < sequence.size(); ++i) {
            if (filter.isAny() || filter.keeps(m_table[size_t(sequence[i])].categoryMask)) {
                positions.push_back(int(i));
            }
        }
    }
    return listed(chosen, positions);
}

// Grouped: a new group starts where the company class changes; it is named
// by the company of its first contact listed.
ContactListSource ContactListCache::listed(const ListOrder& order,
                                           const std::vector<int>& positions) const {
    ContactListSource source;
    source.grouped = order.sortType() == sorttype::kCompany;
    source.contacts.reserve(qsizetype(positions.size()));
    int runClass = -1;
    const std::vector<int>& sequence = order.sequence();
    for (size_t i = 0; i < positions.size(); ++i) {
        // The table is read in list order, far from its own: the row a few
        // steps ahead is asked for early, so that reading is not waiting.
        if (i + kReadAhead < positions.size()) {
            __builtin_prefetch(&m_table[size_t(sequence[size_t(positions[i + kReadAhead])])]);
        }
        const int slot = sequence[size_t(positions[i])];
        const ListColumns& columns = m_table[size_t(slot)];
        if (source.grouped) {
            const int companyClass = order.companyClass(slot);
            if (source.counts.isEmpty() || companyClass != runClass) {
                runClass = companyClass;
                source.companies.append(columns.company.isNull() ? QStringLiteral("")
                                                                 : columns.company);
                source.counts.append(0);
            }
            ++source.counts.back();
        }
        source.contacts.append(columns.oid);
    }
    return source;
}

}  // namespace kontavo
