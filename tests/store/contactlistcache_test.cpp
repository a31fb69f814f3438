#include "store/contacts/contactlistcache.h"

#include <gtest/gtest.h>

#include <QRandomGenerator>
#include <map>

#include "platform/locale.h"
#include "store/contacts/categorymask.h"

namespace kontavo {
namespace {

ListColumns contact(Oid oid, const QString& name, const QString& company = {},
                    const QString& fileAs = {}, const QByteArray& mask = {}) {
    return {oid, name, company, fileAs, mask};
}

class ContactListCacheTest : public ::testing::Test {
protected:
    // A ready cache holding `contacts`.
    void load(const QList<ListColumns>& contacts) {
        cache.beginLoad();
        for (const ListColumns& columns : contacts) {
            cache.loaded(columns);
        }
        cache.finishLoad([](Oid) { return std::nullopt; });
        ASSERT_TRUE(cache.isReady());
    }
    QList<Oid> order(int sortType, const QList<Oid>* candidates = nullptr,
                     const CategoryFilter& filter = CategoryFilter::any()) {
        return cache.select(candidates, filter, sortType).contacts;
    }

    Locale english{QLocale(QLocale::English, QLocale::UnitedStates)};
    ContactListCache cache{english};
};

TEST_F(ContactListCacheTest, EachSortTypeHasItsOrderWithTiesByOid) {
    load({contact(5, "Zeta", "Smith, Al", "b"), contact(3, {}, "Alpha", "c"),
          contact(4, "Smith, Al", {}, "a"), contact(2, "Smith, Al", "Beta"),
          contact(6, {}, {}, "Ärger")});
    // By name; a contact without one by its company, one with neither first.
    EXPECT_EQ(order(sorttype::kName), (QList<Oid>{6, 3, 2, 4, 5}));
    // By "File As", an absent one sorting as empty; collation puts Ä after a.
    EXPECT_EQ(order(sorttype::kFileAs), (QList<Oid>{2, 4, 6, 5, 3}));
    const ContactListSource grouped = cache.select(nullptr, CategoryFilter::any(), 2);
    EXPECT_TRUE(grouped.grouped);
    EXPECT_EQ(grouped.companies, (QStringList{"", "Alpha", "Beta", "Smith, Al"}));
    EXPECT_EQ(grouped.counts, (QList<int>{2, 1, 1, 1}));
    EXPECT_EQ(grouped.contacts, (QList<Oid>{6, 4, 3, 2, 5}));
}

TEST_F(ContactListCacheTest, CandidatesAndCategoriesNarrowTheOrder) {
    const QByteArray golf = categorymask::fromPositions({0});
    const QByteArray chess = categorymask::fromPositions({33});
    load({contact(1, "Dunn", "", "", golf), contact(2, "Adams", "", "", chess),
          contact(3, "Carter", "", "", golf + QByteArray(4, '\0')), contact(4, "Baker")});
    // Unknown Oids and repeats are ignored; the candidates' own order is not
    // the list's (the recently used contacts come newest first).
    const QList<Oid> recent = {3, 99, 1, 2, 3};
    EXPECT_EQ(order(sorttype::kName, &recent), (QList<Oid>{2, 3, 1}));
    EXPECT_EQ(order(sorttype::kName, nullptr, CategoryFilter::sharing(golf)), (QList<Oid>{3, 1}));
    EXPECT_EQ(order(sorttype::kName, nullptr, CategoryFilter::sharing(chess)), QList<Oid>{2});
    EXPECT_EQ(order(sorttype::kName, nullptr, CategoryFilter::none()), QList<Oid>{4});
    const QList<Oid> some = {1, 4};
    EXPECT_EQ(order(sorttype::kName, &some, CategoryFilter::sharing(golf)), QList<Oid>{1});
    const QList<Oid> none;
    EXPECT_TRUE(order(sorttype::kName, &none).isEmpty());
}

TEST_F(ContactListCacheTest, ChangesMoveContactsInEveryBuiltOrder) {
    load({contact(1, "Adams", "Acme"), contact(2, "Baker", "Zeta"), contact(3, "Carter", "Acme")});
    ASSERT_EQ(order(sorttype::kName), (QList<Oid>{1, 2, 3}));
    ASSERT_EQ(cache.select(nullptr, CategoryFilter::any(), 2).counts, (QList<int>{2, 1}));

    cache.put(contact(1, "Young", "Zeta"));  // renamed and moved to another company
    cache.put(contact(4, "Able", "Acme"));   // new
    cache.remove(2);
    cache.remove(77);  // unknown: nothing
    EXPECT_EQ(order(sorttype::kName), (QList<Oid>{4, 3, 1}));
    const ContactListSource grouped = cache.select(nullptr, CategoryFilter::any(), 2);
    EXPECT_EQ(grouped.companies, (QStringList{"Acme", "Zeta"}));
    EXPECT_EQ(grouped.counts, (QList<int>{2, 1}));
    EXPECT_EQ(grouped.contacts, (QList<Oid>{4, 3, 1}));
    // An order built after the changes agrees.
    EXPECT_EQ(order(sorttype::kFileAs), (QList<Oid>{1, 3, 4}));
    EXPECT_EQ(cache.size(), 3);
}

TEST_F(ContactListCacheTest, ChangesWhileLoadingAreReadAgainAndBeatTheLoader) {
    std::map<Oid, ListColumns> database = {{1, contact(1, "Old")}, {2, contact(2, "Gone")},
                                           {3, contact(3, "Carter")}};
    cache.beginLoad();
    cache.loaded(database[1]);
    EXPECT_EQ(cache.state(), ContactListCache::State::Loading);
    EXPECT_TRUE(order(sorttype::kName).isEmpty()) << "nothing is answered while loading";

    database[1] = contact(1, "Adams");
    cache.put(database[1]);
    database.erase(2);
    cache.remove(2);
    database[4] = contact(4, "Baker");
    cache.put(database[4]);
    // The loader read these ahead of the changes: they must not win.
    cache.loaded(contact(2, "Gone"));
    cache.loaded(contact(4, "Stale"));
    cache.loaded(database[3]);

    QList<Oid> reread;
    cache.finishLoad([&](Oid oid) -> std::optional<ListColumns> {
        reread.append(oid);
        const auto found = database.find(oid);
        return found != database.end() ? std::optional(found->second) : std::nullopt;
    });
    std::sort(reread.begin(), reread.end());
    EXPECT_EQ(reread, (QList<Oid>{1, 2, 4}));
    EXPECT_EQ(order(sorttype::kName), (QList<Oid>{1, 4, 3}));
    EXPECT_EQ(cache.find(4)->name, "Baker");

    cache.clear();
    EXPECT_EQ(cache.state(), ContactListCache::State::Empty);
    cache.put(contact(9, "Ignored"));
    EXPECT_EQ(cache.size(), 0) << "an empty cache takes no changes: it is loaded whole later";
}

// Orders built a few contacts per step, with a change in the middle of it,
// agree with orders built at once.
TEST_F(ContactListCacheTest, OrdersBuiltInStepsAgreeWithOrdersBuiltAtOnce) {
    const QStringList names = {"Öl", "Adams", "", "Baker", "adams", "Zeta"};
    QList<ListColumns> contacts;
    for (Oid oid = 1; oid <= 30; ++oid) {
        contacts.append(contact(oid, names[oid % 6], names[oid % 4], names[oid % 5]));
    }
    load(contacts);
    ContactListCache atOnce(english);
    atOnce.beginLoad();
    for (const ListColumns& columns : contacts) {
        atOnce.loaded(columns);
    }
    atOnce.finishLoad([](Oid) { return std::nullopt; });

    int steps = 0;
    while (!cache.prepareSome(4)) {
        if (++steps == 5) {
            cache.put(contact(7, "Changed", "Acme"));
            atOnce.put(contact(7, "Changed", "Acme"));
        }
        ASSERT_LT(steps, 200);
    }
    EXPECT_GT(steps, 3 * (30 / 4)) << "each order takes several steps";
    EXPECT_TRUE(cache.prepareSome(4));
    for (int sortType = 0; sortType < sorttype::kCount; ++sortType) {
        EXPECT_EQ(cache.select(nullptr, CategoryFilter::any(), sortType),
                  atOnce.select(nullptr, CategoryFilter::any(), sortType))
            << "sort type " << sortType;
    }
}

// Many random changes applied to a cache whose orders exist give the same
// answers as a cache loaded afresh with the final contacts.
TEST_F(ContactListCacheTest, RandomChangesAgreeWithAFreshLoad) {
    QRandomGenerator random(7);
    const QStringList names = {"Adams", "adams", "Ärzte", "Baker", "", "Zeta", "Smith, Al", "Öl"};
    const QStringList companies = {"Acme", "acme", "", "Beta", "Ärger", "Zulu"};
    const QList<QByteArray> masks = {{}, categorymask::fromPositions({0}),
                                     categorymask::fromPositions({1, 9})};
    auto randomContact = [&](Oid oid) {
        return contact(oid, names[random.bounded(int(names.size()))],
                       companies[random.bounded(int(companies.size()))],
                       names[random.bounded(int(names.size()))],
                       masks[random.bounded(int(masks.size()))]);
    };
    std::map<Oid, ListColumns> contacts;
    for (Oid oid = 1; oid <= 40; ++oid) {
        contacts[oid] = randomContact(oid);
    }
    load(QList<ListColumns>());
    for (const auto& [oid, columns] : contacts) {
        cache.put(columns);
    }
    for (int sortType = 0; sortType < sorttype::kCount; ++sortType) {
        order(sortType);  // build every order, so that the changes below move contacts
    }
    for (int step = 0; step < 400; ++step) {
        const Oid oid = Oid(random.bounded(1, 60));
        if (random.bounded(4) == 0) {
            contacts.erase(oid);
            cache.remove(oid);
        } else {
            contacts[oid] = randomContact(oid);
            cache.put(contacts[oid]);
        }
    }
    ContactListCache fresh(english);
    fresh.beginLoad();
    for (const auto& [oid, columns] : contacts) {
        fresh.loaded(columns);
    }
    fresh.finishLoad([](Oid) { return std::nullopt; });
    QList<Oid> someOids;
    for (Oid oid = 1; oid < 60; oid += 3) {
        someOids.append(oid);
    }
    const QList<CategoryFilter> filters = {CategoryFilter::any(), CategoryFilter::none(),
                                           CategoryFilter::sharing(masks[1])};
    for (int sortType = 0; sortType < sorttype::kCount; ++sortType) {
        for (const CategoryFilter& filter : filters) {
            EXPECT_EQ(cache.select(nullptr, filter, sortType),
                      fresh.select(nullptr, filter, sortType))
                << "sort type " << sortType;
            EXPECT_EQ(cache.select(&someOids, filter, sortType),
                      fresh.select(&someOids, filter, sortType))
                << "sort type " << sortType;
        }
    }
    EXPECT_EQ(cache.size(), qsizetype(contacts.size()));
}

}  // namespace
}  // namespace kontavo
