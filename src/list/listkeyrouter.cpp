#include "list/listkeyrouter.h"

namespace kontavo {

namespace {
constexpr int kFirstGroupKey = vk::kNumpad0 + 2;
}  // namespace

ListKeyRouter::Route ListKeyRouter::route(const ListKey& key, int groupCount,
                                          bool hasPickedGroups) const {
    const int code = key.virtualKey;
    if (code >= vk::kNumpad0 && code <= vk::kNumpad9) {
        const int group = code - kFirstGroupKey;
        if (group >= 0 && group < groupCount) {
            return {Action::PickGroup, group};
        }
        return {Action::Consume, -1};
    }
    if (code == vk::kBack) {
        return {hasPickedGroups ? Action::RemoveLastGroup : Action::TypeIntoSearch, -1};
    }
    if (code == vk::kReturn || code == vk::kAction || !key.typesText()) {
        return {};
    }
    return {Action::TypeIntoSearch, -1};
}

}  // namespace kontavo
