#pragma once

#include <optional>

namespace kontavo {

// The "Fields" menu of the edit window (menu 216) and of the template editor
// (menu 217): items for name parts Title, Suffix, Job Title, Department and
// File As (kFirstNamePartItem + part) and for groups 1 to 11
// (kFirstGroupItem - 1 + type).
namespace fieldsmenu {

inline constexpr int kFirstNamePartItem = 40100;
inline constexpr int kFirstGroupItem = 40111;
inline constexpr int kLastGroupItem = 40121;
inline constexpr int kNameParts[] = {1, 5, 6, 8, 9};

// The name part of item `id`, if it is one.
std::optional<int> namePartOf(int id);
// The template group of item `id`, if it is one.
std::optional<int> groupOf(int id);
inline int itemOfNamePart(int part) {
    return kFirstNamePartItem + part;
}
inline int itemOfGroup(int type) {
    return kFirstGroupItem - 1 + type;
}

}  // namespace fieldsmenu

}  // namespace kontavo
