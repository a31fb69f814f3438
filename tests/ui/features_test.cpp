#include "ui/features.h"

#include <gtest/gtest.h>

namespace kontavo {
namespace {

TEST(FeatureSetTest, CommandsWaitForTheirFeature) {
    const FeatureSet none;
    const struct {
        int id;
        Feature feature;
    } needs[] = {{41209, Feature::EditForm},    {41283, Feature::EditForm},
                 {41280, Feature::EditForm},    {41286, Feature::Beam},
                 {41211, Feature::Appointment}, {41300, Feature::CategoryList}};
    for (const auto& need : needs) {
        EXPECT_FALSE(none.allowsCommand(need.id)) << need.id;
        EXPECT_TRUE(none.with(need.feature).allowsCommand(need.id)) << need.id;
        EXPECT_FALSE(FeatureSet::all().with(need.feature, false).allowsCommand(need.id));
    }
    // Commands that need nothing more: Duplicate, Delete, Reindex, the view.
    for (const int id : {41284, 41208, 41290, 41214, 41216}) {
        EXPECT_TRUE(none.allowsCommand(id)) << id;
    }
}

}  // namespace
}  // namespace kontavo
