#include "ui/features.h"

#include <optional>

namespace kontavo {

namespace {

// The menu commands that need a feature (ids of menu 102; the list's context
// menu uses the same ids for Beam and the appointment).
constexpr int kCmdNewContact = 41209;
constexpr int kCmdEditContact = 41283;
constexpr int kCmdCallerIdContact = 41280;
constexpr int kCmdBeam = 41286;
constexpr int kCmdAppointment = 41211;
constexpr int kCmdCategoryList = 41300;

std::optional<Feature> featureOf(int id) {
    switch (id) {
        case kCmdNewContact:
        case kCmdEditContact:
        case kCmdCallerIdContact:
            return Feature::EditForm;
        case kCmdBeam:
            return Feature::Beam;
        case kCmdAppointment:
            return Feature::Appointment;
        case kCmdCategoryList:
            return Feature::CategoryList;
        default:
            return std::nullopt;
    }
}

}  // namespace

// Every feature is built; a part still in the making stays out of this set
// until it works.
FeatureSet FeatureSet::built() {
    return FeatureSet()
        .with(Feature::EditForm)
        .with(Feature::ContactActions)
        .with(Feature::Beam)
        .with(Feature::Appointment)
        .with(Feature::CategoryList);
}

FeatureSet FeatureSet::all() {
    FeatureSet set;
    for (const Feature feature : {Feature::EditForm, Feature::ContactActions, Feature::Beam,
                                  Feature::Appointment, Feature::CategoryList}) {
        set = set.with(feature);
    }
    return set;
}

FeatureSet FeatureSet::with(Feature feature, bool on) const {
    FeatureSet set = *this;
    set.m_bits = on ? (m_bits | bit(feature)) : (m_bits & ~bit(feature));
    return set;
}

bool FeatureSet::allowsCommand(int id) const {
    const std::optional<Feature> needed = featureOf(id);
    return !needed || has(*needed);
}

}  // namespace kontavo
