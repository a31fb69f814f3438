#include "list/contactrows.h"

#include <gtest/gtest.h>

#include "list/listcaption.h"

namespace kontavo {
namespace {

ContactListSource flat(QList<Oid> oids) {
    return {std::move(oids), false, {}, {}};
}

// Acme (3 contacts: 11, 12, 13), Beta (1: 21), Gamma (2: 31, 32).
ContactListSource threeCompanies() {
    return {{11, 12, 13, 21, 31, 32}, true, {"Acme", "Beta", "Gamma"}, {3, 1, 2}};
}

TEST(ContactRowsTest, FlatRowsAreContactPositions) {
    ContactRows rows;
    rows.setSource(flat({7, 5, 9}));
    EXPECT_EQ(rows.rowCount(), 3);
    EXPECT_EQ(rows.at(1), (RowPos{0, 1}));
    EXPECT_EQ(rows.at(3), RowPos{});
    EXPECT_EQ(rows.at(-1), RowPos{});
    EXPECT_EQ(rows.oidAt({0, 2}), 9u);
    EXPECT_EQ(rows.rowOf({0, 2}), 2);
    EXPECT_EQ(rows.rowOf({1, 0}), -1);
    EXPECT_EQ(rows.find(5), (RowPos{0, 1}));
    EXPECT_FALSE(rows.find(6).has_value());
    EXPECT_FALSE(rows.toggle(0));
}

TEST(ContactRowsTest, CompaniesStartClosedAndFoldOpenAndShut) {
    ContactRows rows;
    rows.setSource(threeCompanies());
    ASSERT_EQ(rows.rowCount(), 3);
    EXPECT_EQ(rows.at(0), (RowPos{0, -1}));
    EXPECT_EQ(rows.at(2), (RowPos{2, -1}));
    EXPECT_EQ(rows.rowOf({0, 1}), -1);  // inside a closed company

    ASSERT_TRUE(rows.toggle(0));  // Acme opens: three rows follow its header
    EXPECT_EQ(rows.rowCount(), 6);
    EXPECT_EQ(rows.at(1), (RowPos{0, 0}));
    EXPECT_EQ(rows.at(3), (RowPos{0, 2}));
    EXPECT_EQ(rows.at(4), (RowPos{1, -1}));
    EXPECT_EQ(rows.rowOf({0, 2}), 3);
    EXPECT_EQ(rows.rowOf({2, -1}), 5);
    EXPECT_FALSE(rows.toggle(1));  // a contact row is no header

    ASSERT_TRUE(rows.toggle(0));  // and shuts again
    EXPECT_EQ(rows.rowCount(), 3);
}

TEST(ContactRowsTest, GroupedPositionsOrdinalsAndLookups) {
    ContactRows rows;
    rows.setSource(threeCompanies());
    rows.open(2);
    EXPECT_EQ(rows.find(32), (RowPos{2, 1}));
    EXPECT_EQ(rows.find(21), (RowPos{1, 0}));
    EXPECT_EQ(rows.ordinal({2, 1}), 5);
    EXPECT_EQ(rows.ordinal({1, -1}), -1);
    EXPECT_EQ(rows.oidAt({1, -1}), 0u);
    EXPECT_EQ(rows.oidAt({2, 0}), 31u);
    EXPECT_EQ(rows.oidAt({2, 2}), 0u);
    EXPECT_EQ(rows.rowOf({2, 1}), 4);
}

TEST(ContactRowsTest, SelectedRowsYieldEachContactOnceWithHeadersContributingTheirCompany) {
    ContactRows rows;
    rows.setSource(threeCompanies());
    rows.open(0);
    // rows: 0 Acme, 1..3 its contacts, 4 Beta, 5 Gamma
    EXPECT_EQ(rows.oidsOfRows({0, 2, 5}), (QList<Oid>{11, 12, 13, 31, 32}));
    EXPECT_EQ(rows.oidsOfRows({2, 4}), (QList<Oid>{12, 21}));
    EXPECT_EQ(rows.oidsOfRows({}), QList<Oid>{});
}

TEST(ContactRowsTest, ANewSourceKeepsOpenTheCompaniesStillThere) {
    ContactRows rows;
    rows.setSource(threeCompanies());
    rows.open(0);
    rows.open(2);
    rows.setSource({{12, 31}, true, {"Acme", "Gamma"}, {1, 1}});
    EXPECT_TRUE(rows.isOpen(0));
    EXPECT_EQ(rows.rowCount(), 4);
    rows.setSource({{12}, true, {"Delta"}, {1}});
    EXPECT_FALSE(rows.isOpen(0));
    rows.setSource({{12, 31}, true, {"Acme", "Gamma"}, {1, 1}});
    EXPECT_FALSE(rows.isOpen(0)) << "Acme was gone in between";
}

TEST(ListCaptionTest, ContactsCountAcrossCompaniesAndHeadersCountCompanies) {
    ContactRows rows;
    rows.setSource(threeCompanies());
    const PositionCaption onContact = positionCaption(rows, {2, 0});
    EXPECT_EQ(onContact.text, "Contact 5 of 6");
    EXPECT_TRUE(onContact.previousEnabled);
    EXPECT_TRUE(onContact.nextEnabled);
    const PositionCaption lastHeader = positionCaption(rows, {2, -1});
    EXPECT_EQ(lastHeader.text, "Company 3 of 3");
    EXPECT_TRUE(lastHeader.previousEnabled);
    EXPECT_FALSE(lastHeader.nextEnabled);
    const PositionCaption firstHeader = positionCaption(rows, {0, -1});
    EXPECT_EQ(firstHeader.text, "Company 1 of 3");
    EXPECT_FALSE(firstHeader.previousEnabled);
}

TEST(ListCaptionTest, NothingSelectedOrNoContactsShowsPositionZero) {
    ContactRows rows;
    rows.setSource(flat({1, 2}));
    const PositionCaption none = positionCaption(rows, {});
    EXPECT_EQ(none.text, "Contact 0 of 2");
    EXPECT_FALSE(none.previousEnabled);
    EXPECT_TRUE(none.nextEnabled);
    EXPECT_EQ(positionCaption(rows, {0, 1}).nextEnabled, false);
    rows.setSource(flat({}));
    const PositionCaption empty = positionCaption(rows, {});
    EXPECT_EQ(empty.text, "Contact 0 of 0");
    EXPECT_FALSE(empty.previousEnabled);
    EXPECT_FALSE(empty.nextEnabled);
}

}  // namespace
}  // namespace kontavo
