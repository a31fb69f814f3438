#include "list/listkeyrouter.h"

namespace kontavo {

namespace {
constexpr int kFirstGroupKey = vkey::kNumpad0 + 2;
}  // namespace

ListKeyRouter::Route ListKeyRouter::route(const ListKey& key, int groupCount,
                                          bool hasPickedGroups) const {
    const int code = key.virtualKey;
    if (code >= vkey::kNumpad0 && code <= vkey::kNumpad9) {
        const int group = code - kFirstGroupKey;
        if (group >= 0 && group < groupCount) {
            return {Action::PickGroup, group};
        }
        return {Action::Consume, -1};
    }
    if (code == vkey::kBack) {
        return {hasPickedGroups ? Action::RemoveLastGroup : Action::TypeIntoSearch, -1};
    }
    if (code == vkey::kReturn || code == vkey::kAction || !key.typesText()) {
        return {};
    }
    return {Action::TypeIntoSearch, -1};
}

}  // namespace kontavo
