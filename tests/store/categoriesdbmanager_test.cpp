#include "store/contacts/categoriesdbmanager.h"

#include <gtest/gtest.h>

#include "platform/locale.h"
#include "platform/sqliteobjectstore.h"
#include "store/contacts/categorymask.h"
#include "store/contacts/categorynamerule.h"
#include "support/tempdevice.h"

namespace kontavo {
namespace {

namespace tag = categorytag;

class CategoriesDBManagerTest : public ::testing::Test {
protected:
    CategoriesDBManagerTest()
        : m_store(SqliteObjectStore::fileInRoot(m_device.root())),
          m_locale(QLocale(QLocale::English, QLocale::UnitedStates)),
          m_categories(m_store, m_locale) {
        m_ok = m_categories.open();
        m_raw = m_store.open(CategoriesDBManager::databaseName(), {});
    }

    // A record written the way another program might have left it.
    Oid addRaw(const QString& name, std::optional<int> position, std::optional<int> active = 1,
               std::optional<int> refs = 0, std::optional<int> otherRefs = 0) {
        PropList props = {PropValue::string(tag::kName, name)};
        const auto add = [&props](PropTag t, std::optional<int> v) {
            if (v) {
                props.append(PropValue::int16(t, int16_t(*v)));
            }
        };
        add(tag::kPosition, position);
        add(tag::kActive, active);
        add(tag::kContactRefs, refs);
        add(tag::kOtherRefs1, otherRefs);
        return m_raw->write(0, props);
    }
    CategoryRecord record(Oid oid) {
        if (!m_raw->seekOid(oid)) {
            return {};
        }
        return CategoryRecord::fromProps(*m_raw->readAll());
    }
    bool exists(Oid oid) { return m_raw->seekOid(oid); }

    test::TempDevice m_device;
    SqliteObjectStore m_store;
    Locale m_locale;
    CategoriesDBManager m_categories;
    std::unique_ptr<ObjectDatabase> m_raw;
    bool m_ok = false;
};

TEST_F(CategoriesDBManagerTest, NewPositionIsTheFirstGap) {
    ASSERT_TRUE(m_ok);
    EXPECT_EQ(m_categories.newPosition(), 0);
    addRaw("a", 0);
    addRaw("b", 1);
    const Oid third = addRaw("d", 3);
    // Records without a position, or with -1, do not count.
    addRaw("x", std::nullopt);
    addRaw("y", -1);
    EXPECT_EQ(m_categories.newPosition(), 2);
    m_raw->write(third, {PropValue::int16(tag::kPosition, 2)});
    EXPECT_EQ(m_categories.newPosition(), 3);
}

TEST_F(CategoriesDBManagerTest, NewPositionIsZeroWhenOnlyLaterOnesAreUsed) {
    addRaw("b", 1);
    addRaw("c", 2);
    EXPECT_EQ(m_categories.newPosition(), 0);
}

TEST_F(CategoriesDBManagerTest, AddingReusesACategoryOfTheSameName) {
    Oid first = 0;
    Oid again = 0;
    EXPECT_EQ(m_categories.addCategory("Work", &first), CategoriesDBManager::AddResult::Created);
    EXPECT_EQ(m_categories.addCategory("Work", &again), CategoriesDBManager::AddResult::Existed);
    EXPECT_EQ(first, again);
    EXPECT_EQ(m_categories.addCategory("", &again), CategoriesDBManager::AddResult::Failed);
    const CategoryRecord made = record(first);
    EXPECT_EQ(made.name, "Work");
    EXPECT_EQ(made.position, 0);
    EXPECT_EQ(made.active, 1);
    EXPECT_EQ(made.contactRefs, 0);
    EXPECT_EQ(made.otherRefs1, 0);
    EXPECT_EQ(made.otherRefs2, 0);
}

TEST_F(CategoriesDBManagerTest, AMaskOfNamesAddsTheMissingCategories) {
    Oid work = 0;
    ASSERT_EQ(m_categories.addCategory("Work", &work), CategoriesDBManager::AddResult::Created);
    const std::optional<QByteArray> mask = m_categories.maskAddingNames({"Golf", "Work"});
    ASSERT_TRUE(mask);
    const auto golf = m_categories.findByName("Golf");
    ASSERT_TRUE(golf);
    EXPECT_EQ(m_categories.oidsOfMask(*mask).size(), 2);
    EXPECT_TRUE(m_categories.oidsOfMask(*mask).contains(work));
    EXPECT_TRUE(m_categories.oidsOfMask(*mask).contains(golf->oid));
    EXPECT_FALSE(m_categories.maskAddingNames({"Chess", ""})) << "an empty name cannot be added";
}

TEST_F(CategoriesDBManagerTest, FindingByNameRepairsTheRecord) {
    addRaw("Taken", 0);
    const Oid broken = addRaw("Old", std::nullopt, 0);
    const std::optional<CategoriesDBManager::Found> found = m_categories.findByName("Old");
    ASSERT_TRUE(found);
    EXPECT_EQ(found->oid, broken);
    EXPECT_EQ(found->position, 1);
    EXPECT_EQ(record(broken).position, 1);
    EXPECT_EQ(record(broken).active, 1);
    EXPECT_FALSE(m_categories.findByName("old"));
    EXPECT_FALSE(m_categories.findByName("Missing"));
}

TEST_F(CategoriesDBManagerTest, ReferencesFollowTheMasks) {
    const Oid a = addRaw("A", 0);
    const Oid b = addRaw("B", 33);
    const Oid uncounted = addRaw("C", 1, 1, std::nullopt);
    EXPECT_TRUE(m_categories.addRefs(categorymask::fromPositions({0, 1, 33})));
    EXPECT_TRUE(m_categories.addRefs(categorymask::fromPositions({0})));
    EXPECT_EQ(record(a).contactRefs, 2);
    EXPECT_EQ(record(b).contactRefs, 1);
    // An absent count stays absent.
    EXPECT_EQ(record(uncounted).contactRefs, std::nullopt);
    // Moving from {0, 33} to {0, 5}: 33 loses one, 0 is untouched, 5 names
    // no category and is no failure.
    EXPECT_TRUE(m_categories.moveRefs(categorymask::fromPositions({0, 33}),
                                      categorymask::fromPositions({0, 5})));
    EXPECT_EQ(record(a).contactRefs, 2);
    EXPECT_EQ(record(b).contactRefs, 0);
    // A count at 0 is not lowered any further.
    EXPECT_TRUE(m_categories.release(33));
    EXPECT_EQ(record(b).contactRefs, 0);
}

TEST_F(CategoriesDBManagerTest, DeletedCategoryGoesWithItsLastContact) {
    Oid oid = 0;
    m_categories.addCategory("Club", &oid);
    const QByteArray mask = categorymask::fromPositions({0});
    m_categories.addRefs(mask);
    // Still used: kept, inactive, still listed for the contact that uses it.
    EXPECT_TRUE(m_categories.deleteCategory(oid));
    ASSERT_TRUE(exists(oid));
    EXPECT_EQ(record(oid).active, 0);
    const auto forContact = m_categories.listForContact(mask);
    ASSERT_TRUE(forContact);
    ASSERT_EQ(forContact->size(), 1);
    EXPECT_FALSE(forContact->first().active);
    EXPECT_EQ(categoryDisplayName(forContact->first()), "Club (deleted category)");
    EXPECT_TRUE(m_categories.listForContact(QByteArray(1, '\0'))->isEmpty());
    // The contact leaves the category: the record goes.
    EXPECT_TRUE(m_categories.releaseRefs(mask));
    EXPECT_FALSE(exists(oid));
}

TEST_F(CategoriesDBManagerTest, OtherProgramsReferencesKeepADeletedCategory) {
    const Oid oid = addRaw("Shared", 0, 0, 1, 2);
    EXPECT_TRUE(m_categories.release(0));
    ASSERT_TRUE(exists(oid));
    EXPECT_EQ(record(oid).contactRefs, 0);
    EXPECT_TRUE(m_categories.deleteCategory(oid));
    EXPECT_TRUE(exists(oid));
    const Oid unused = addRaw("Unused", 1);
    EXPECT_TRUE(m_categories.deleteCategory(unused));
    EXPECT_FALSE(exists(unused));
    EXPECT_FALSE(m_categories.deleteCategory(unused));
}

TEST_F(CategoriesDBManagerTest, ListsAreSortedByName) {
    const Oid zeta = addRaw("zeta", 0, 1, 3);
    const Oid alpha = addRaw("Alpha", 1, 1, 1);
    addRaw("beta", 2, 1, 0);
    addRaw("", 3, 1, 5);
    const Oid gone = addRaw("Gone", 4, 0, 0);
    addRaw("nowhere", -1, 1, 4);
    const auto inUse = m_categories.listInUse();
    ASSERT_TRUE(inUse);
    ASSERT_EQ(inUse->size(), 2);
    EXPECT_EQ(inUse->at(0).oid, alpha);
    EXPECT_EQ(inUse->at(1).oid, zeta);
    const QByteArray mask = categorymask::fromPositions({0, 1, 4});
    EXPECT_EQ(m_categories.namesOfMask(mask), (QStringList{"Alpha", "Gone", "zeta"}));
    EXPECT_EQ(m_categories.oidsOfMask(mask), (QList<Oid>{alpha, gone, zeta}));
    EXPECT_EQ(m_categories.pairsOfMask(mask).first(), (std::pair<Oid, QString>{alpha, "Alpha"}));
    EXPECT_EQ(m_categories.maskOfOids({zeta, gone, 999999, alpha}), mask);
    EXPECT_EQ(m_categories.readCategory(gone), (std::pair<QString, int>{"Gone", 4}));
    EXPECT_FALSE(m_categories.readCategory(999999));
}

TEST(CategoryNameRuleTest, CommasAndSemicolonsAreRefused) {
    EXPECT_FALSE(checkCategoryName("Holiday Cards"));
    EXPECT_FALSE(checkCategoryName(""));
    for (const char* bad : {"a,b", "a;b", ";"}) {
        const std::optional<CategoryNameProblem> problem = checkCategoryName(bad);
        ASSERT_TRUE(problem) << bad;
        EXPECT_EQ(problem->message, "Category names cannot contain ' , ' or ' ; ' symbols.");
        EXPECT_EQ(problem->caption, "Add category");
    }
}

}  // namespace
}  // namespace kontavo
