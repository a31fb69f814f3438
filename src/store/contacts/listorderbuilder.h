#pragma once

#include <vector>

#include "store/contacts/collationkeys.h"
#include "store/contacts/listcolumns.h"

namespace kontavo {

class ListOrder;
class Locale;

// Builds the order of one sort type (see ListOrder) over many slots in
// steps, so that the work can be spread over turns of the event loop: the
// collation keys of a number of slots per step, then one sort of integer key
// ranks. The table must not change between the steps. `locale` must outlive
// the builder. Not thread-safe.
class ListOrderBuilder {
public:
    ListOrderBuilder(int sortType, const Locale& locale, std::vector<int> used);

    // Keys up to `count` more of the slots; true once every slot is keyed.
    bool keySome(const std::vector<ListColumns>& table, size_t count);
    // Sorts the keyed slots into `order` (every slot must be keyed).
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
    std::vector<int> m_used;
    std::vector<Keyed> m_keyed;
};

}  // namespace kontavo
