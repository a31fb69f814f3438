#pragma once

#include <cstdint>

namespace kontavo {

// The parts of the program that arrive one after another. Until a part is
// built, every menu item that needs it is disabled wherever it appears (menu
// bar, context menu, phone menu, filter menu); once built, its items are
// offered everywhere alike.
enum class Feature : uint8_t {
    EditForm,        // New, Edit, a new contact from the caller-ID companion
    ContactActions,  // calls, SMS and e-mails from the list's menus
    Beam,            // "Beam..."
    Appointment,     // "Make Appointment..."
    CategoryList,    // "Category List" and the category filter's "More..."
};

// A set of features. FeatureSet::built() is what this program has: the one
// place that decides which of the menu items above are offered. Tests take
// other sets to drive parts whose features are still being built. A plain
// value.
class FeatureSet {
public:
    // The features of this program.
    static FeatureSet built();
    // Every feature (for tests of the routing behind the items).
    static FeatureSet all();
    // No feature.
    FeatureSet() = default;

    bool has(Feature feature) const { return (m_bits & bit(feature)) != 0; }
    // This set with `feature` added or removed.
    FeatureSet with(Feature feature, bool on = true) const;

    // Whether menu command `id` (of the menu bar or the list's context
    // menu) may be offered: true unless it needs a feature not in the set.
    bool allowsCommand(int id) const;

    bool operator==(const FeatureSet&) const = default;

private:
    static uint32_t bit(Feature feature) { return 1u << unsigned(feature); }

    uint32_t m_bits = 0;
};

}  // namespace kontavo
