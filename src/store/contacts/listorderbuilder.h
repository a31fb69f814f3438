#pragma once

#include <optional>
#include <vector>

#include "store/contacts/collationkeys.h"
#include "store/contacts/keyranking.h"
#include "store/contacts/listcolumns.h"

namespace kontavo {

class ListOrder;
class Locale;

// Builds the order of one sort type (see ListOrder) over many slots in
// steps, so that the work can be spread over turns of the event loop: the
// collation keys of a number of slots per step, the keys ranked in steps,
// then one sort of integer ranks. The table must not change between the steps. `locale` must outlive
// the builder. Not thread-safe.
class ListOrderBuilder {
public:
    ListOrderBuilder(int sortType, const Locale& locale, std::vector<int> used);

    // One part of the work: keying up to `count` more slots, or a step of
    // ranking the keys (see KeyRanking); true once finish() may run.
    bool step(const std::vector<ListColumns>& table, size_t count);
    // Sorts the slots by their key ranks into `order` (step() must have
    // returned true).
    void finish(const std::vector<ListColumns>& table, ListOrder& order);

private:
    struct Keyed {
        int first;
        int second;
        Oid oid;
        int slot;
    };

    int m_sortType;
    CollationKeys m_keys;
    std::optional<KeyRanking> m_ranking;
    std::vector<int> m_used;
    std::vector<Keyed> m_keyed;
};

}  // namespace kontavo
