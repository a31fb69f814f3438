#include "card/fieldsmenu.h"

namespace kontavo::fieldsmenu {

std::optional<int> namePartOf(int id) {
    for (const int part : kNameParts) {
        if (id == itemOfNamePart(part)) {
            return part;
        }
    }
    return std::nullopt;
}

std::optional<int> groupOf(int id) {
    if (id >= kFirstGroupItem && id <= kLastGroupItem) {
        return id - kFirstGroupItem + 1;
    }
    return std::nullopt;
}

}  // namespace kontavo::fieldsmenu
