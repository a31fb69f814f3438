#include "list/managerliststore.h"

#include <gtest/gtest.h>

#include "listfakeindex.h"
#include "platform/locale.h"
#include "platform/sqliteobjectstore.h"
#include "store/contacts/contactmanager.h"
#include "support/tempdevice.h"

namespace kontavo {
namespace {

using Mode = CategoryFilterMenu::Mode;

// A contact manager over a real object store, with the in-memory index.
class ManagerListStoreTest : public ::testing::Test {
protected:
    ManagerListStoreTest()
        : objects(SqliteObjectStore::fileInRoot(device.root())),
          locale(QLocale(QLocale::English, QLocale::UnitedStates)) {
        auto fake = std::make_unique<test::ListFakeIndex>();
        index = fake.get();
        manager = std::make_unique<ContactManager>(objects, std::move(fake), device.fs(), locale);
        EXPECT_TRUE(manager->init(nullptr, nullptr, nullptr));
        EXPECT_EQ(manager->categories().addCategory("Golf", &golf),
                  CategoriesDBManager::AddResult::Created);
        adams = add("Adams", "Ann", "Acme", "Zed");
        baker = add("Baker", "Bob", "", "Alpha", golf);
        carter = add("Carter", "Cy", "Acme", "Mid", golf);
        dunn = add("Dunn", "", "Beta", "");
    }

    Oid add(const QString& last, const QString& first, const QString& company,
            const QString& fileAs, Oid category = 0) {
        ContactRecord record;
        record.setField(ContactField::LastName, last);
        record.setField(ContactField::FirstName, first);
        record.setField(ContactField::Company, company);
        record.setField(ContactField::FileAs, fileAs);
        if (category != 0) {
            record.categoryMask = manager->categories().maskOfOids({category});
        }
        EXPECT_TRUE(manager->addContact(record));
        return record.oid;
    }

    ContactListSource query(ContactListQuery q) {
        const ContactListAnswer answer = store().query(q);
        EXPECT_TRUE(answer.isReady());
        return answer.source;
    }
    ManagerListStore store() { return ManagerListStore(*manager); }

    test::TempDevice device;
    SqliteObjectStore objects;
    Locale locale;
    test::ListFakeIndex* index = nullptr;
    std::unique_ptr<ContactManager> manager;
    Oid golf = 0;
    Oid adams = 0, baker = 0, carter = 0, dunn = 0;
};

TEST_F(ManagerListStoreTest, FlatListsFollowNameOrFileAs) {
    EXPECT_EQ(query({}).contacts, (QList<Oid>{adams, baker, carter, dunn}));
    ContactListQuery byFileAs;
    byFileAs.sortType = 1;
    EXPECT_EQ(query(byFileAs).contacts, (QList<Oid>{dunn, baker, carter, adams}))
        << "an empty File As sorts first";
    EXPECT_FALSE(query(byFileAs).grouped);
}

TEST_F(ManagerListStoreTest, SortByCompanyGroupsTheContacts) {
    ContactListQuery byCompany;
    byCompany.sortType = 2;
    const ContactListSource source = query(byCompany);
    EXPECT_TRUE(source.grouped);
    EXPECT_EQ(source.companies, QStringList({"", "Acme", "Beta"}));
    EXPECT_EQ(source.counts, (QList<int>{1, 2, 1}));
    EXPECT_EQ(source.contacts, (QList<Oid>{baker, adams, carter, dunn}));
}

TEST_F(ManagerListStoreTest, SearchTextAndGroupKeysNarrowThroughTheIndex) {
    ContactListQuery search;
    search.search.text = "c";
    EXPECT_EQ(query(search).contacts, (QList<Oid>{carter}));
    search.search.text = "zz";
    EXPECT_TRUE(query(search).contacts.isEmpty());
    ContactListQuery groups;
    groups.search.groupKey = "ab";
    index->groupKeys.insert("ab", {dunn, adams});
    EXPECT_EQ(query(groups).contacts, (QList<Oid>{adams, dunn}));
}

TEST_F(ManagerListStoreTest, CategoryModesFilterByMask) {
    ContactListQuery none;
    none.mode = Mode::None;
    EXPECT_EQ(query(none).contacts, (QList<Oid>{adams, dunn}));
    ContactListQuery inGolf;
    inGolf.mode = Mode::Categories;
    inGolf.categories = {golf};
    EXPECT_EQ(query(inGolf).contacts, (QList<Oid>{baker, carter}));
    inGolf.search.text = "b";
    EXPECT_EQ(query(inGolf).contacts, (QList<Oid>{baker}));
}

TEST_F(ManagerListStoreTest, RecentModeKeepsTheRecentOrderUnderTheSearch) {
    ContactListQuery recent;
    recent.mode = Mode::Recent;
    recent.recent = {dunn, adams, carter};
    EXPECT_EQ(query(recent).contacts, (QList<Oid>{dunn, adams, carter}));
    recent.search.text = "a";
    EXPECT_EQ(query(recent).contacts, (QList<Oid>{adams}));
    recent.recent = {};
    recent.search = {};
    EXPECT_TRUE(query(recent).contacts.isEmpty());
}

TEST_F(ManagerListStoreTest, ReadsWritesAndLookUps) {
    ManagerListStore listStore = store();
    ContactRecord record;
    ASSERT_TRUE(listStore.readContact(baker, record));
    EXPECT_EQ(record.field(ContactField::LastName), "Baker");
    EXPECT_TRUE(listStore.setPreferredItem(baker, fieldInfo(ContactField::MobilePhone).tag()));
    ASSERT_TRUE(listStore.readContact(baker, record));
    EXPECT_EQ(record.preferredItemTag, fieldInfo(ContactField::MobilePhone).tag());
    EXPECT_TRUE(listStore.deleteContact(dunn));
    EXPECT_EQ(listStore.existingContacts({dunn, adams, 999}), QList<Oid>{adams});
    EXPECT_EQ(listStore.categoryNames({999, golf}),
              (QList<CategoryFilterMenu::NamedCategory>{{golf, "Golf"}}));
}

}  // namespace
}  // namespace kontavo
