#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include "contacttext.h"
#include "framefixture.h"
#include "list/contactstoresession.h"
#include "list/searchedit.h"
#include "list/splitterwnd.h"
#include "listtestsupport.h"
#include "platform/locale.h"
#include "platform/localwindowregistry.h"
#include "store/contacts/contactmanager.h"
#include "store/index/lettergroupset.h"
#include "store/record/contactfields.h"
#include "store/sync/pimsync.h"
#include "support/recordingboxes.h"

namespace kontavo {
namespace {

constexpr int kSeeded = 200;

// A frame over a store seeded with demonstration contacts.
class FrameStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(seedDemoContactsIfEmpty(fixture.device.fs(), kSeeded, Locale::user()));
        session = ContactStoreSession::open(fixture.device.fs(), fixture.device.settings(),
                                            fixture.host, Locale::user());
        ASSERT_NE(session, nullptr);
        ASSERT_TRUE(fixture.create(session.get(), &session->manager()));
        ASSERT_TRUE(test::showActive(fixture.window));
    }
    void TearDown() override { fixture.destroyFrame(); }

    ContactManager& manager() { return session->manager(); }
    QLineEdit* field() { return fixture.frame().searchEdit()->lineEdit(); }
    int rows() { return int(fixture.list().entries().size()); }
    // The first listed name that begins with three letters.
    QString firstNameWithLetters() {
        for (const ListEntry& entry : fixture.list().entries()) {
            const QString& name = entry.displayName;
            if (name.size() >= 3 && name[0].isLetter() && name[1].isLetter() &&
                name[2].isLetter()) {
                return name;
            }
        }
        return {};
    }
    // Whether a word of `text` begins with a letter of group `group`.
    bool hasWordInGroup(const QString& text, int group) {
        return test::hasWordStartingWithOneOf(text, groups.groupTable().value(group));
    }

    test::FrameFixture fixture;
    std::unique_ptr<ContactStoreSession> session;
    LetterGroupSet groups =
        LetterGroupSet::loadActiveSet(fixture.device.settings(), Locale::user());
};

TEST_F(FrameStoreTest, TypingInTheSearchFieldNarrowsTheRowsAndBackspaceWidensThem) {
    ASSERT_EQ(rows(), kSeeded);
    const QString name = firstNameWithLetters();
    const QString prefix = name.left(3).toLower();
    ASSERT_EQ(prefix.size(), 3);

    field()->setFocus();
    QTest::keyClicks(field(), prefix);
    ASSERT_GT(rows(), 0);
    EXPECT_LT(rows(), kSeeded);
    EXPECT_TRUE(fixture.list().rowNames().contains(name));
    for (const ListEntry& entry : fixture.list().entries()) {
        EXPECT_TRUE(test::hasWordStartingWith(test::searchableText(manager(), entry.oid), prefix))
            << entry.displayName.toStdString() << " does not match " << prefix.toStdString();
    }
    // One refill per keystroke.
    ASSERT_GE(fixture.list().refills.size(), 3);
    EXPECT_EQ(fixture.list().refills.back().text, prefix);

    const int narrowed = rows();
    QTest::keyClick(field(), Qt::Key_Space);
    EXPECT_EQ(fixture.list().refills.back().text, prefix)
        << "a trailing blank searches nothing new";
    EXPECT_EQ(rows(), narrowed);

    for (int i = 0; i < 4; ++i) {
        QTest::keyClick(field(), Qt::Key_Backspace);
    }
    EXPECT_EQ(field()->text(), QString());
    EXPECT_EQ(rows(), kSeeded);
}

TEST_F(FrameStoreTest, KeypadDigitsInTheListPickLetterGroups) {
    QWidget* list = fixture.listView();
    list->setFocus();
    QTest::keyClick(list, Qt::Key_2, Qt::KeypadModifier);  // ABC
    EXPECT_EQ(fixture.frame().searchEdit()->mode(), SearchMode::Group);
    EXPECT_EQ(field()->text(), QString(groups.letters().front().front()));
    EXPECT_EQ(fixture.list().refills.back().groupKey, QString(groups.groupCode(0)));
    const int afterOne = rows();
    ASSERT_GT(afterOne, 0);
    EXPECT_LT(afterOne, kSeeded);
    for (const ListEntry& entry : fixture.list().entries()) {
        const QString text = test::searchableText(manager(), entry.oid);
        EXPECT_TRUE(hasWordInGroup(text, 0)) << entry.displayName.toStdString();
    }

    QTest::keyClick(list, Qt::Key_3, Qt::KeypadModifier);  // DEF
    EXPECT_EQ(field()->text(), QString(groups.letters()[0].front()) + QLatin1Char('-') +
                                   groups.letters()[1].front());
    EXPECT_EQ(fixture.list().refills.back().groupKey,
              QString(groups.groupCode(0)) + groups.groupCode(1));
    EXPECT_LE(rows(), afterOne);

    QTest::keyClick(list, Qt::Key_Backspace);
    EXPECT_EQ(field()->text(), QString(groups.letters().front().front()));
    EXPECT_EQ(rows(), afterOne);
    QTest::keyClick(list, Qt::Key_Backspace);
    EXPECT_EQ(fixture.frame().searchEdit()->mode(), SearchMode::Text);
    EXPECT_EQ(field()->text(), QString());
    EXPECT_EQ(rows(), kSeeded);
}

TEST_F(FrameStoreTest, LettersTypedInTheListGoToTheSearchFieldAndLeaveGroupMode) {
    QWidget* list = fixture.listView();
    list->setFocus();
    QTest::keyClick(list, Qt::Key_2, Qt::KeypadModifier);
    QTest::keyClicks(list, QStringLiteral("m"));
    EXPECT_EQ(fixture.frame().searchEdit()->mode(), SearchMode::Text);
    EXPECT_EQ(field()->text(), QStringLiteral("m"));
    EXPECT_TRUE(fixture.frame().groups().isEmpty());
    EXPECT_EQ(fixture.list().refills.back(), (ListSearch{QStringLiteral("m"), {}}));
}

TEST_F(FrameStoreTest, RightAndLeftMoveBetweenTheListAndTheCard) {
    QWidget* list = fixture.listView();
    QWidget* card = fixture.frame().card();
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Right);
    EXPECT_TRUE(card->hasFocus());
    QTest::keyClicks(card, QStringLiteral("w"));
    EXPECT_EQ(field()->text(), QStringLiteral("w")) << "typing in the card searches";
    QTest::keyClick(card, Qt::Key_Left);
    EXPECT_TRUE(list->hasFocus());

    // With the bar at the bottom the card has no room: Right stays in the list.
    fixture.frame().splitter()->state().setMode(SplitMode::Bottom);
    QTest::keyClick(list, Qt::Key_Right);
    EXPECT_FALSE(card->hasFocus());
}

TEST_F(FrameStoreTest, DuplicateAddsACopyAndSelectsIt) {
    const Oid original = fixture.list().entries().at(5).oid;
    ASSERT_TRUE(fixture.list().selectContact(original));
    ASSERT_TRUE(fixture.frame().handleCommand(ContactsFrame::kCmdDuplicate, 0));
    EXPECT_EQ(rows(), kSeeded + 1);
    const Oid copy = fixture.list().selectedContact();
    ASSERT_NE(copy, 0u);
    EXPECT_NE(copy, original);
    EXPECT_EQ(fixture.list().recent, QList<Oid>{copy});
    ContactRecord a;
    ContactRecord b;
    ASSERT_TRUE(manager().readContact(original, a));
    ASSERT_TRUE(manager().readContact(copy, b));
    EXPECT_EQ(a.fields, b.fields);
    EXPECT_EQ(test::searchableText(manager(), original), test::searchableText(manager(), copy));
}

TEST_F(FrameStoreTest, ADuplicateThatCannotBeMadeIsReported) {
    const Oid original = fixture.list().entries().at(5).oid;
    ASSERT_TRUE(fixture.list().selectContact(original));
    ASSERT_TRUE(manager().deleteContact(original)) << "gone before the list was told";
    test::RecordingBoxes boxes;
    ASSERT_TRUE(fixture.frame().handleCommand(ContactsFrame::kCmdDuplicate, 0));
    EXPECT_EQ(boxes.shown, QStringList({"Duplicate|A contact could not be duplicated."}));
    EXPECT_EQ(int(manager().index().allOids().size()), kSeeded - 1) << "no copy was made";
}

TEST_F(FrameStoreTest, ReindexRunsUnderTheProgressWindowAndKeepsTheSelection) {
    const Oid selected = fixture.list().entries().at(7).oid;
    ASSERT_TRUE(fixture.list().selectContact(selected));
    fixture.host.progress.clear();
    ASSERT_TRUE(fixture.frame().handleCommand(ContactsFrame::kCmdReindex, 0));
    ASSERT_FALSE(fixture.host.progress.isEmpty());
    EXPECT_EQ(fixture.host.progress.front(), QStringLiteral("create"));
    EXPECT_EQ(fixture.host.progress.back(), QStringLiteral("close"));
    EXPECT_TRUE(fixture.host.progress.contains(QStringLiteral("step")));
    EXPECT_EQ(rows(), kSeeded);
    EXPECT_EQ(fixture.list().selectedContact(), selected);
}

TEST_F(FrameStoreTest, OpenContactSelectsItEvenWhenTheSearchHidesIt) {
    const QList<ListEntry> all = fixture.list().entries();
    field()->setFocus();
    QTest::keyClicks(field(), firstNameWithLetters().left(4).toLower());
    Oid hidden = 0;
    for (const ListEntry& entry : all) {
        if (!fixture.list().rowNames().contains(entry.displayName)) {
            hidden = entry.oid;
            break;
        }
    }
    ASSERT_NE(hidden, 0u);
    fixture.frame().openContact(u'x', hidden);
    EXPECT_NE(fixture.list().selectedContact(), hidden) << "only e and v open a contact";
    fixture.frame().openContact(u'v', 0x7FFFFFF0);
    EXPECT_NE(rows(), kSeeded) << "an unknown contact changes nothing";

    fixture.frame().openContact(u'v', hidden);
    EXPECT_EQ(fixture.list().selectedContact(), hidden);
    EXPECT_EQ(field()->text(), QString());
    EXPECT_EQ(rows(), kSeeded);
}

TEST_F(FrameStoreTest, SplitterArrowsStepThroughTheContacts) {
    SplitterWnd* splitter = fixture.frame().splitter();
    ASSERT_TRUE(fixture.list().selectContact(fixture.list().entries().at(0).oid));
    fixture.list().onFocusChanged(0);
    EXPECT_EQ(splitter->caption(), QStringLiteral("Contact 1 of %1").arg(kSeeded));
    QTest::mouseClick(splitter, Qt::LeftButton, {}, splitter->nextArrowRect().center());
    EXPECT_EQ(splitter->caption(), QStringLiteral("Contact 2 of %1").arg(kSeeded));
    EXPECT_EQ(fixture.list().selectedContact(), fixture.list().entries().at(1).oid);
}

// The program's store among the programs sharing the index: the frame's
// change flags land in the coordination block, and the sharing messages
// move the manager between master and slave.
TEST(ContactStoreSessionTest, FlagsReachTheBlockAndMessagesMoveTheManager) {
    test::FrameFixture fixture;
    QTemporaryDir runtime;
    LocalWindowRegistry windows(runtime.path());
    PimSync sync(windows, fixture.device.root());
    auto window = windows.createWindow(QStringLiteral("SESSION"), {});
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(sync.open());
    ASSERT_TRUE(sync.registerWindow(window->handle()));
    auto session = ContactStoreSession::open(fixture.device.fs(), fixture.device.settings(),
                                             fixture.host, Locale::user(), &sync);
    ASSERT_NE(session, nullptr);
    session->changeFlags()->raise(ChangeFlagSink::kDoubleSizedFlag);
    EXPECT_EQ(sync.flag(ChangeFlagSink::kDoubleSizedFlag), 1);
    EXPECT_EQ(sync.flag(ChangeFlagSink::kSortTypeFlag), 0);

    ASSERT_TRUE(session->manager().isMaster());
    session->handleMessage(StoreMessage::ChangeToSlave, 0, 0);
    EXPECT_FALSE(sync.isMaster());
    EXPECT_FALSE(session->manager().isMaster());
    ContactRecord record;
    record.setField(ContactField::LastName, QStringLiteral("Slavic"));
    ASSERT_TRUE(session->manager().addContact(record));
    EXPECT_TRUE(session->manager().index().findWords(QStringLiteral("slavic")).isEmpty())
        << "a slave leaves the indexing to the master";
    session->handleMessage(StoreMessage::ChangeToMaster, 0, 0);
    EXPECT_TRUE(session->manager().isMaster());
    EXPECT_EQ(session->manager().index().findWords(QStringLiteral("slavic")),
              QList<Oid>{record.oid})
        << "taking over brought the index up to date";
}

}  // namespace
}  // namespace kontavo
