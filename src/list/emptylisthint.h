#pragma once

#include <QString>

#include "list/categoryfiltermenu.h"

namespace kontavo {

// Why the contact list shows no row, as far as the list can tell.
struct EmptyListState {
    bool searching = false;  // a search text or letter groups narrow the list
    CategoryFilterMenu::Mode filter = CategoryFilterMenu::Mode::All;
    bool canAddContacts = false;  // "New" is offered
};

// The hint an empty list shows: no match for a search; an empty category or
// no recently used contact for a filter; and for an empty store how to add
// contacts ("New" once it is offered, else importing a vCard file).
QString emptyListHint(const EmptyListState& state);

}  // namespace kontavo
