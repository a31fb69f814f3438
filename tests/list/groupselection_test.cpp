#include "list/groupselection.h"

#include <gtest/gtest.h>

#include "list/listkeyrouter.h"
#include "list/searchtexttracker.h"

namespace kontavo {
namespace {

// ABC, DEF, ABC picked: "A-D-A".
GroupSelection picksAda() {
    GroupSelection picks;
    picks.append(0, QLatin1Char('A'));
    picks.append(1, QLatin1Char('D'));
    picks.append(0, QLatin1Char('A'));
    return picks;
}

TEST(GroupSelectionTest, PicksShowTheirLettersJoinedByDashes) {
    EXPECT_EQ(picksAda().text(), QStringLiteral("A-D-A"));
    EXPECT_EQ(picksAda().groups(), QList<int>({0, 1, 0}));
    EXPECT_EQ(GroupSelection().text(), QString());
}

TEST(GroupSelectionTest, BackspaceRemovesThePickBeforeTheCaret) {
    struct Case {
        int caret;
        const char* text;
        QList<int> removed;
    };
    const Case cases[] = {{5, "A-D", {0}}, {4, "A-A", {1}}, {3, "A-A", {1}},
                          {2, "D-A", {0}}, {1, "D-A", {0}}, {0, "A-D-A", {}}};
    for (const Case& each : cases) {
        GroupSelection picks = picksAda();
        EXPECT_EQ(picks.removeAt(each.caret), each.removed) << "caret " << each.caret;
        EXPECT_EQ(picks.text(), QString::fromLatin1(each.text)) << "caret " << each.caret;
    }
}

TEST(GroupSelectionTest, BackspaceOverASelectionRemovesTheSelectedPicks) {
    GroupSelection picks = picksAda();
    EXPECT_EQ(picks.removeAt(5, 2, 3), QList<int>({1, 0}));
    EXPECT_EQ(picks.text(), QStringLiteral("A"));
    picks = picksAda();
    EXPECT_EQ(picks.removeAt(2, 1, 1), QList<int>{0}) << "only a dash selected";
    EXPECT_EQ(picks.text(), QStringLiteral("D-A"));
    picks = picksAda();
    picks.removeAt(5, 0, 5);
    EXPECT_TRUE(picks.isEmpty());
}

TEST(GroupSelectionTest, RemovingTheLastPickLeavesNothing) {
    GroupSelection picks;
    picks.append(3, QLatin1Char('J'));
    EXPECT_EQ(picks.removeLast(), 3);
    EXPECT_TRUE(picks.isEmpty());
    EXPECT_EQ(picks.removeLast(), -1);
}

TEST(ListKeyRouterTest, KeypadDigitsPickGroupsAndOtherCharactersType) {
    using Action = ListKeyRouter::Action;
    const ListKeyRouter router;
    const auto route = [&](int code, const char* text, int groups = 8, bool picked = false) {
        return router.route(ListKey{code, QString::fromLatin1(text), false}, groups, picked);
    };
    EXPECT_EQ(route(98, "2").action, Action::PickGroup);
    EXPECT_EQ(route(98, "2").group, 0);
    EXPECT_EQ(route(105, "9").group, 7);
    EXPECT_EQ(route(96, "0").action, Action::Consume);
    EXPECT_EQ(route(97, "1").action, Action::Consume);
    EXPECT_EQ(route(105, "9", 3).action, Action::Consume) << "no eighth group";
    EXPECT_EQ(route(8, "\b", 8, true).action, Action::RemoveLastGroup);
    EXPECT_EQ(route(8, "\b", 8, false).action, Action::TypeIntoSearch);
    EXPECT_EQ(route('K', "k").action, Action::TypeIntoSearch);
    EXPECT_EQ(route(0, "\xc3\xa4").action, Action::TypeIntoSearch);
    EXPECT_EQ(route(13, "\r").action, Action::None);
    EXPECT_EQ(route(40, "").action, Action::None);
}

TEST(ListKeyRouterTest, KeypadTwoTwiceShowsAA) {
    const ListKeyRouter router;
    const QString firstLetters = QStringLiteral("ADGJMPTW");
    GroupSelection picks;
    for (int press = 0; press < 2; ++press) {
        const auto route =
            router.route(ListKey{98, QStringLiteral("2"), false}, 8, !picks.isEmpty());
        picks.append(route.group, firstLetters[route.group]);
    }
    EXPECT_EQ(picks.text(), QStringLiteral("A-A"));
    EXPECT_EQ(picks.groups(), QList<int>({0, 0}));
}

TEST(SearchTextTrackerTest, TrimmedTextRefillsOnlyWhenItChanges) {
    SearchTextTracker tracker;
    auto outcome = tracker.textChanged(QStringLiteral(" "));
    EXPECT_TRUE(outcome.clearGroups);
    EXPECT_FALSE(outcome.refill) << "the last text was empty already";
    EXPECT_TRUE(tracker.textChanged(QStringLiteral("a")).refill);
    outcome = tracker.textChanged(QStringLiteral("ab"));
    EXPECT_TRUE(outcome.refill);
    EXPECT_EQ(outcome.text, QStringLiteral("ab"));
    EXPECT_FALSE(tracker.textChanged(QStringLiteral("ab ")).refill) << "a trailing blank";
    EXPECT_TRUE(tracker.textChanged(QStringLiteral("a")).refill);
    EXPECT_TRUE(tracker.textChanged(QStringLiteral("ab")).refill);
    outcome = tracker.textChanged(QStringLiteral("  "));
    EXPECT_TRUE(outcome.clearGroups);
    EXPECT_TRUE(outcome.refill);
    EXPECT_EQ(outcome.text, QString());
}

}  // namespace
}  // namespace kontavo
