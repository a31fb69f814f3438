#include "list/emptylisthint.h"

#include "diag/resources.h"

namespace kontavo {

namespace {
constexpr int kAddWithNewString = 42170;
constexpr int kImportString = 42171;
constexpr int kNoMatchString = 42172;
constexpr int kEmptyCategoryString = 42173;
constexpr int kNoRecentString = 42174;
}  // namespace

QString emptyListHint(const EmptyListState& state) {
    if (state.searching) {
        return loadString(kNoMatchString);
    }
    switch (state.filter) {
        case CategoryFilterMenu::Mode::Recent:
            return loadString(kNoRecentString);
        case CategoryFilterMenu::Mode::None:
        case CategoryFilterMenu::Mode::Categories:
            return loadString(kEmptyCategoryString);
        case CategoryFilterMenu::Mode::All:
            break;
    }
    return loadString(state.canAddContacts ? kAddWithNewString : kImportString);
}

}  // namespace kontavo
