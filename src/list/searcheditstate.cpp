#include "list/searcheditstate.h"

namespace kontavo {

namespace {

bool movesCaret(int code) {
    return code == vk::kLeft || code == vk::kRight || code == vk::kHome || code == vk::kEnd;
}

}  // namespace

SearchEditState::KeyAction SearchEditState::keyAction(SearchMode mode, const ListKey& key) const {
    const int code = key.virtualKey;
    if (code == vk::kUp || code == vk::kDown) {
        return KeyAction::ToOwner;
    }
    if (mode == SearchMode::Text) {
        return KeyAction::Edit;
    }
    if (code == vk::kBack) {
        return KeyAction::ToOwner;
    }
    if (key.typesText()) {
        return key.text == QLatin1String(" ") ? KeyAction::LeaveGroupSwallow
                                              : KeyAction::LeaveGroupThenEdit;
    }
    return movesCaret(code) ? KeyAction::Edit : KeyAction::Swallow;
}

void SearchEditState::focusGained(bool hasText, bool sipUp) {
    m_selectAllOnClick = hasText;
    m_sipWasUp = sipUp;
}

bool SearchEditState::focusLost() {
    m_selectAllOnClick = false;
    return !m_sipWasUp;
}

bool SearchEditState::clickSelectsAll() {
    const bool selectAll = m_selectAllOnClick;
    m_selectAllOnClick = false;
    return selectAll;
}

}  // namespace kontavo
