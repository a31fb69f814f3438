#pragma once

#include "list/listkey.h"

namespace kontavo {

// The search field's two modes: text (the user types a word's beginning)
// and groups (the field shows the picked letter groups, "A-D-A").
enum class SearchMode { Text = 1, Group = 2 };

// The rules of the search field apart from its drawing: what a key does in
// each mode, select-all on the first click after gaining the focus, and the
// soft input panel's state remembered at focus.
class SearchEditState {
public:
    enum class KeyAction {
        Edit,     // the edit control handles the key
        ToOwner,  // Up/Down, or Backspace in group mode: the owner acts
        LeaveGroupThenEdit,
        LeaveGroupSwallow,  // the blank in group mode
        Swallow,            // an editing key that would corrupt the group text
    };

    KeyAction keyAction(SearchMode mode, const ListKey& key) const;

    // Gaining the focus: with text, the next click selects all of it.
    void focusGained(bool hasText, bool sipUp);
    // Losing the focus; returns whether the soft input panel is to go down
    // (it was not up when the field took the focus).
    bool focusLost();
    // A click in the edit area: whether it selects all of the text.
    bool clickSelectsAll();
    bool selectAllOnClick() const { return m_selectAllOnClick; }

private:
    bool m_selectAllOnClick = false;
    bool m_sipWasUp = false;
};

}  // namespace kontavo
