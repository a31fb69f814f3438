#pragma once

#include <QHash>
#include <QList>
#include <QSet>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "store/contacts/categoryfilter.h"
#include "store/contacts/contactlistsource.h"
#include "store/contacts/listcolumns.h"
#include "store/contacts/listorder.h"
#include "store/contacts/listorderbuilder.h"

namespace kontavo {

class Locale;

// The list's columns of every contact, kept in memory in the three list
// orders, so that a search or a filter orders its contacts without reading
// a record: a query maps each candidate to its position in the order and
// walks the positions.
//
// States: empty (nothing known) → loading (a loader adds every record;
// changes meanwhile are only remembered) → ready (queries answered, changes
// applied at once). A change remembered while loading is read again when the
// load finishes, so that a row read ahead by the loader before the change
// never wins. The orders are built by prepareSome() in steps, or at once on
// their first query.
//
// `locale` must outlive the cache. Not thread-safe.
class ContactListCache {
public:
    enum class State { Empty, Loading, Ready };
    // Reads the current columns of a contact; nullopt when it is gone.
    using Reread = std::function<std::optional<ListColumns>(Oid)>;

    explicit ContactListCache(const Locale& locale);
    ~ContactListCache();

    State state() const { return m_state; }
    bool isReady() const { return m_state == State::Ready; }
    // The number of contacts held.
    qsizetype size() const { return qsizetype(m_byOid.size()); }

    // Forgets everything (state empty).
    void clear();
    // The most contacts a load makes room for before it has read them.
    static constexpr qsizetype kMostReservedAhead = qsizetype(1) << 18;

    // Starts a load: everything is forgotten, state loading; room is made
    // for `expected` contacts at once (at most kMostReservedAhead; a
    // negative or absurd count reserves nothing more).
    void beginLoad(qsizetype expected = 0);
    // A record the loader read; ignored when a change of it was remembered
    // since the load began, or when not loading.
    void loaded(const ListColumns& columns);
    // Ends the load: each contact changed meanwhile is read again through
    // `reread`; state ready.
    void finishLoad(const Reread& reread);

    // A contact was created or changed (its columns now), or deleted.
    // Applied when ready, remembered when loading, ignored when empty.
    void put(const ListColumns& columns);
    void remove(Oid oid);

    // Builds the orders not built yet, a part of the work per call (the
    // collation keys of up to `count` contacts, or one sort); true once
    // every order is built. Only when ready; a change meanwhile makes the
    // order in progress start over.
    bool prepareSome(size_t count);

    // The contacts among `candidates` (every contact when null; unknown Oids
    // and repeats are ignored) that `filter` keeps, in the order of
    // `sortType`: flat for sort types 0 and 1, grouped by company for 2.
    // Only when ready; an unknown sort type orders by name.
    ContactListSource select(const QList<Oid>* candidates, const CategoryFilter& filter,
                             int sortType);
    // The columns of `oid`, if held.
    const ListColumns* find(Oid oid) const;

private:
    // How many rows ahead listed() asks for the table's entries.
    static constexpr size_t kReadAhead = 8;

    int slotOf(Oid oid) const;
    void store(const ListColumns& columns);
    void erase(Oid oid);
    ListOrder& order(int sortType);
    std::vector<int> usedSlots() const;
    void dropBuilders();
    std::vector<int> positionsOf(const QList<Oid>& candidates, const CategoryFilter& filter,
                                 ListOrder& order);
    ContactListSource listed(const ListOrder& order, const std::vector<int>& positions) const;

    const Locale& m_locale;
    State m_state = State::Empty;
    std::vector<ListColumns> m_table;          // by slot
    std::vector<int> m_freeSlots;              // slots of deleted contacts, for reuse
    std::vector<std::pair<Oid, int>> m_byOid;  // (Oid, slot), ascending by Oid
    std::array<std::unique_ptr<ListOrder>, sorttype::kCount> m_orders;
    std::array<std::unique_ptr<ListOrderBuilder>, sorttype::kCount> m_builders;
    QSet<Oid> m_touched;  // changed while loading
};

}  // namespace kontavo
