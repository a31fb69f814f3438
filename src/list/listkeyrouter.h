#pragma once

#include "list/listkey.h"

namespace kontavo {

// What a key typed in the contact list does for the search, so the user can
// search without touching the field: keypad 2-9 pick letter groups 0-7
// (a group the set does not have is ignored), keypad 0 and 1 do nothing,
// Backspace removes the last picked group, and any other character except
// Enter goes to the search field as typed. With no group picked, Backspace
// goes to the field too and deletes a typed character.
class ListKeyRouter {
public:
    enum class Action {
        None,       // not a search key: the list or its owner handles it
        Consume,    // used up, nothing happens
        PickGroup,  // `group` picked
        RemoveLastGroup,
        TypeIntoSearch,  // the key goes to the search field
    };
    struct Route {
        Action action = Action::None;
        int group = -1;
    };

    Route route(const ListKey& key, int groupCount, bool hasPickedGroups) const;
};

}  // namespace kontavo
