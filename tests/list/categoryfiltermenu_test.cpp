#include "list/categoryfiltermenu.h"

#include <gtest/gtest.h>

namespace kontavo {
namespace {

using Mode = CategoryFilterMenu::Mode;
using Outcome = CategoryFilterMenu::Outcome;

const QList<CategoryFilterMenu::NamedCategory> kRecent = {{101, "Business"}, {102, "Family"}};

QStringList checkedTexts(const QList<CategoryFilterMenu::Item>& items) {
    QStringList checked;
    for (const auto& item : items) {
        if (item.checked) {
            checked.append(item.text);
        }
    }
    return checked;
}

TEST(CategoryFilterMenuTest, MenuOrderAndIds) {
    const CategoryFilterMenu filter;
    const auto items = filter.menuItems(kRecent);
    ASSERT_EQ(items.size(), 6);
    EXPECT_EQ(items[0], (CategoryFilterMenu::Item{1, "Recent", false}));
    EXPECT_EQ(items[1], (CategoryFilterMenu::Item{2, "All Contacts", true}));
    EXPECT_EQ(items[2], (CategoryFilterMenu::Item{3, "No Categories", false}));
    EXPECT_EQ(items[3], (CategoryFilterMenu::Item{4, "Business", false}));
    EXPECT_EQ(items[4], (CategoryFilterMenu::Item{5, "Family", false}));
    EXPECT_EQ(items[5], (CategoryFilterMenu::Item{6, "More...", false}));
    EXPECT_EQ(filter.caption(), "All Contacts");
    EXPECT_EQ(filter.mode(), Mode::All);
}

TEST(CategoryFilterMenuTest, ChoicesSetModeCaptionAndCheckMarks) {
    CategoryFilterMenu filter;
    EXPECT_EQ(filter.choose(3, kRecent), Outcome::Changed);
    EXPECT_EQ(filter.mode(), Mode::None);
    EXPECT_EQ(filter.caption(), "No Categories");
    EXPECT_EQ(checkedTexts(filter.menuItems(kRecent)), QStringList{"No Categories"});

    EXPECT_EQ(filter.choose(5, kRecent), Outcome::Changed);
    EXPECT_EQ(filter.mode(), Mode::Categories);
    EXPECT_EQ(filter.categories(), QList<Oid>{102});
    EXPECT_EQ(filter.caption(), "Family");
    EXPECT_EQ(checkedTexts(filter.menuItems(kRecent)), QStringList{"Family"});

    EXPECT_EQ(filter.choose(1, kRecent), Outcome::Changed);
    EXPECT_EQ(filter.caption(), "Recent");
    EXPECT_EQ(checkedTexts(filter.menuItems(kRecent)), QStringList{"Recent"});
}

TEST(CategoryFilterMenuTest, TheSameChoiceAgainChangesNothing) {
    CategoryFilterMenu filter;
    EXPECT_EQ(filter.choose(2, kRecent), Outcome::Unchanged);
    EXPECT_EQ(filter.choose(4, kRecent), Outcome::Changed);
    EXPECT_EQ(filter.choose(4, kRecent), Outcome::Unchanged);
    EXPECT_EQ(filter.choose(0, kRecent), Outcome::Unchanged);   // dismissed
    EXPECT_EQ(filter.choose(99, kRecent), Outcome::Unchanged);  // unknown
    EXPECT_EQ(filter.caption(), "Business");
}

TEST(CategoryFilterMenuTest, MoreRunsTheDialogWhoseChoiceSetsTheCaption) {
    CategoryFilterMenu filter;
    EXPECT_EQ(filter.choose(6, kRecent), Outcome::More);
    EXPECT_TRUE(filter.chooseCategories({{101, "Business"}, {103, "Golf"}}));
    EXPECT_EQ(filter.caption(), "Multiple...");
    EXPECT_EQ(filter.categories(), (QList<Oid>{101, 103}));
    EXPECT_EQ(checkedTexts(filter.menuItems(kRecent)), QStringList{"Business"});
    EXPECT_TRUE(filter.chooseCategories({{103, "Golf"}}));
    EXPECT_EQ(filter.caption(), "Golf");
    EXPECT_TRUE(filter.chooseCategories({}));
    EXPECT_EQ(filter.mode(), Mode::All);
    EXPECT_EQ(filter.caption(), "All Contacts");
    EXPECT_FALSE(filter.chooseCategories({}));
}

TEST(CategoryFilterMenuTest, WithoutRecentCategoriesMoreFollowsNoCategories) {
    CategoryFilterMenu filter;
    const auto items = filter.menuItems({});
    ASSERT_EQ(items.size(), 4);
    EXPECT_EQ(items[3].id, 4);
    EXPECT_EQ(filter.choose(4, {}), Outcome::More);
}

}  // namespace
}  // namespace kontavo
