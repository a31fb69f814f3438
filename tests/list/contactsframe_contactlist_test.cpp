// The contacts frame with the program's contact list over a seeded store:
// real key and pen events in the search field and on the ABC bar, and the
// rows the list then shows.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>
#include <algorithm>

#include "contacttext.h"
#include "framefixture.h"
#include "list/contactstoresession.h"
#include "list/coollist.h"
#include "list/searchedit.h"
#include "list/smallabcbar.h"
#include "list/splitterwnd.h"
#include "listtestsupport.h"
#include "platform/locale.h"
#include "store/contacts/contactmanager.h"
#include "store/index/lettergroupset.h"

namespace kontavo {
namespace {

constexpr int kStoreContacts = 200;

class FrameContactListTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(seedDemoContactsIfEmpty(fixture.device.fs(), kStoreContacts, Locale::user()));
        session = ContactStoreSession::open(fixture.device.fs(), fixture.device.settings(),
                                            fixture.host, Locale::user());
        ASSERT_NE(session, nullptr);
        ASSERT_TRUE(fixture.create(session.get(), &session->manager(), true));
        ASSERT_TRUE(test::showActive(fixture.window));
    }
    void TearDown() override { fixture.destroyFrame(); }

    CoolList* view() { return static_cast<CoolList*>(fixture.listView()); }
    FrameListModel& list() { return *fixture.frame().list(); }
    QLineEdit* field() { return fixture.frame().searchEdit()->lineEdit(); }
    // The contact of every row (flat list: every row is a contact).
    QList<Oid> rowContacts() {
        QList<Oid> oids;
        for (int row = 0; row < view()->rowCount(); ++row) {
            view()->selectOnly(row);
            oids.append(list().selectedContact());
        }
        list().clearSelection();
        return oids;
    }
    // A word of some contact's last name, three letters long.
    QString namePrefix() {
        for (const Oid oid : rowContacts()) {
            const std::optional<QStringList> parts = session->manager().nameParts(oid);
            if (parts && parts->front().size() >= 3 && parts->front()[0].isLetter() &&
                parts->front()[1].isLetter() && parts->front()[2].isLetter()) {
                return parts->front().left(3).toLower();
            }
        }
        return {};
    }

    test::FrameFixture fixture;
    std::unique_ptr<ContactStoreSession> session;
};

TEST_F(FrameContactListTest, KeysTypedInTheSearchFieldLeaveOnlyMatchingRows) {
    ASSERT_EQ(view()->rowCount(), kStoreContacts);
    const QString prefix = namePrefix();
    ASSERT_EQ(prefix.size(), 3);
    field()->setFocus();
    QTest::keyClicks(field(), prefix);

    const QList<Oid> rows = rowContacts();
    ASSERT_FALSE(rows.isEmpty());
    EXPECT_LT(rows.size(), kStoreContacts);
    for (const Oid oid : rows) {
        ASSERT_NE(oid, 0u);
        EXPECT_TRUE(
            test::hasWordStartingWith(test::searchableText(session->manager(), oid), prefix))
            << "contact " << oid << " does not match " << prefix.toStdString();
    }
    // Every contact of the store that matches is listed.
    int matching = 0;
    for (const Oid oid : session->manager().index().allOids()) {
        matching +=
            test::hasWordStartingWith(test::searchableText(session->manager(), oid), prefix);
    }
    EXPECT_EQ(rows.size(), matching);
    EXPECT_EQ(fixture.frame().splitter()->caption(),
              QStringLiteral("Contact 0 of %1").arg(rows.size()));

    for (int i = 0; i < 3; ++i) {
        QTest::keyClick(field(), Qt::Key_Backspace);
    }
    EXPECT_EQ(view()->rowCount(), kStoreContacts);
}

// A store too large to be read at once: after a re-index the list waits for
// it with the busy animation running, the field takes keys meanwhile, and the
// rows follow the last search once the store is read.
TEST_F(FrameContactListTest, WhileTheStoreIsReadTheFieldShowsTheBusyAnimationAndTakesKeys) {
    const QString prefix = namePrefix();
    ASSERT_EQ(prefix.size(), 3);
    ContactManager& manager = session->manager();
    manager.setListLoadSizes(10, 25);
    SearchEdit* edit = fixture.frame().searchEdit();
    ASSERT_FALSE(edit->isBusy());

    ASSERT_TRUE(manager.reindex());
    ASSERT_TRUE(manager.isListLoading());
    EXPECT_TRUE(edit->isBusy());
    EXPECT_EQ(view()->rowCount(), kStoreContacts) << "the rows stay while the store is read";
    field()->setFocus();
    QTest::keyClicks(field(), prefix);
    EXPECT_EQ(field()->text(), prefix);
    EXPECT_TRUE(edit->isBusy());

    for (int turn = 0; turn < 100 && manager.isListLoading(); ++turn) {
        QCoreApplication::processEvents();
    }
    ASSERT_FALSE(manager.isListLoading());
    EXPECT_FALSE(edit->isBusy());
    const QList<Oid> rows = rowContacts();
    ASSERT_FALSE(rows.isEmpty());
    EXPECT_LT(rows.size(), kStoreContacts);
    for (const Oid oid : rows) {
        EXPECT_TRUE(test::hasWordStartingWith(test::searchableText(manager, oid), prefix));
    }
}

TEST_F(FrameContactListTest, TappingAnAbcBarButtonNarrowsToItsLettersAndBackspaceUndoesIt) {
    const LetterGroupSet groups =
        LetterGroupSet::loadActiveSet(fixture.device.settings(), Locale::user());
    SmallAbcBar* bar = fixture.frame().smallBar();
    const QList<QRect> buttons = bar->currentFit().buttonRects(bar->height());
    ASSERT_EQ(buttons.size(), groups.count() + 1);

    QTest::mouseClick(bar, Qt::LeftButton, {}, buttons[3].center());  // JKL
    QTest::qWait(20);                                                 // the bar posts its command
    EXPECT_EQ(field()->text(), QString(groups.letters()[3].front()));
    const QList<Oid> rows = rowContacts();
    ASSERT_FALSE(rows.isEmpty());
    EXPECT_LT(rows.size(), kStoreContacts);
    // The rows are the contacts the index files under the group's code
    // (the index has words the record alone does not show, from the notes).
    QList<Oid> filed = session->manager().index().findGroupKey(QString(groups.groupCode(3)));
    QList<Oid> listed = rows;
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(listed, filed);
    EXPECT_EQ(bar->pressCount(3), 1);

    QTest::mouseClick(bar, Qt::LeftButton, {}, buttons.back().center());  // backspace
    QTest::qWait(20);
    EXPECT_EQ(field()->text(), QString());
    EXPECT_EQ(fixture.frame().searchEdit()->mode(), SearchMode::Text);
    EXPECT_EQ(view()->rowCount(), kStoreContacts);
    EXPECT_EQ(bar->pressCount(3), 0);
}

TEST_F(FrameContactListTest, SortByCompanyShowsCompanyHeaders) {
    ASSERT_TRUE(fixture.frame().handleCommand(41218, 0));
    EXPECT_EQ(fixture.device.settings().get(settings::kSortType), 2);
    EXPECT_LT(view()->rowCount(), kStoreContacts) << "companies start folded";
    view()->selectOnly(0);
    EXPECT_EQ(list().selectedContact(), 0u) << "a header is no contact";
    EXPECT_FALSE(list().selectedOids().isEmpty()) << "a header stands for its contacts";
}

}  // namespace
}  // namespace kontavo
