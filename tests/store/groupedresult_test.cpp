#include "store/contacts/groupedresult.h"

#include <gtest/gtest.h>

#include "platform/locale.h"

namespace kontavo {
namespace {

TEST(GroupedResultTest, GroupsFollowCompanyThenNameThenOid) {
    const Locale english(QLocale(QLocale::English, QLocale::UnitedStates));
    const QList<ListEntry> entries = {{1, "beta", "Zed", "", ""},   {2, QString(), "Anna", "", ""},
                                      {3, "Alpha", "Mike", "", ""}, {4, "beta", "Adam", "", ""},
                                      {5, "", "Bob", "", ""},       {6, "Alpha", QString(), "", ""},
                                      {7, "beta", "Adam", "", ""},  {8, "Ärzte", "x", "", ""}};
    const GroupedResult result = groupByCompany(entries, english);
    // Absent and empty companies are one group, sorted first; collation puts
    // "Alpha" before "Ärzte" before "beta" whatever the case.
    EXPECT_EQ(result.companies, (QStringList{"", "Alpha", "Ärzte", "beta"}));
    EXPECT_EQ(result.groups, (QList<uint32_t>{2, 2, 5, 2, 6, 3, 1, 8, 3, 4, 7, 1}));
}

TEST(GroupedResultTest, NothingGivesNoGroups) {
    const GroupedResult result = groupByCompany({}, Locale::user());
    EXPECT_TRUE(result.groups.isEmpty());
    EXPECT_TRUE(result.companies.isEmpty());
}

}  // namespace
}  // namespace kontavo
