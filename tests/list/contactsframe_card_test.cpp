// The card in the contacts frame over a seeded store with the program's
// contact list, driven by real pen and key events: the selection fills the
// card under the list, activation opens the full-screen card, taps on its
// lines act through the contact actions.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>

#include "card/contactcarddialog.h"
#include "card/contactcardview.h"
#include "framefixture.h"
#include "list/contactstoresession.h"
#include "list/coollist.h"
#include "list/searchedit.h"
#include "list/splitterwnd.h"
#include "listtestsupport.h"
#include "platform/locale.h"
#include "store/contacts/categoriesdbmanager.h"
#include "store/contacts/contactmanager.h"
#include "support/recordingactions.h"
#include "support/richcontact.h"
#include "ui/menubar.h"
#include "ui/shellui.h"

namespace kontavo {
namespace {

constexpr int kSeeded = 30;

// The screen of the program for the test's DPI, set before anything sizes
// itself by it and put back afterwards.
class CurrentScreen {
public:
    explicit CurrentScreen(int dpi) : m_before(Screen::current()) {
        Screen::setCurrent(Screen(dpi, dpi));
    }
    ~CurrentScreen() { Screen::setCurrent(m_before); }

private:
    Screen m_before;
};

class FrameCardTest : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override {
        ASSERT_TRUE(seedDemoContactsIfEmpty(fixture.device.fs(), kSeeded, Locale::user()));
        fixture.device.settings().set(settings::kDialupMode, 41235);  // Just Call
        session = ContactStoreSession::open(fixture.device.fs(), fixture.device.settings(),
                                            fixture.host, Locale::user());
        ASSERT_NE(session, nullptr);
        const std::optional<QByteArray> mask =
            manager().categories().maskAddingNames({"Business", "VIP"});
        ASSERT_TRUE(mask.has_value());
        ContactRecord rich = test::richContact(*mask);
        ASSERT_TRUE(manager().addContact(rich));
        richOid = rich.oid;
        fixture.actions = &actions;
        ASSERT_TRUE(fixture.create(session.get(), &session->manager(), true));
        ASSERT_TRUE(test::showActive(fixture.window));
        QCoreApplication::processEvents();
    }
    void TearDown() override { fixture.destroyFrame(); }

    ContactsFrame& frame() { return fixture.frame(); }
    ContactManager& manager() { return session->manager(); }
    CoolList* list() { return static_cast<CoolList*>(fixture.listView()); }
    ContactCardView* card() { return frame().card(); }
    // The row of contact `oid`, scrolled into view.
    int rowOf(Oid oid) {
        int found = -1;
        for (int row = 0; row < list()->rowCount() && found < 0; ++row) {
            list()->selectOnly(row);
            found = frame().list()->selectedContact() == oid ? row : -1;
        }
        frame().list()->clearSelection();
        if (found >= 0) {
            list()->scrollIntoView(found);
        }
        return found;
    }
    // A listed contact other than the rich one.
    Oid otherContact() {
        list()->selectOnly(rowOf(richOid) == 0 ? 1 : 0);
        const Oid oid = frame().list()->selectedContact();
        frame().list()->clearSelection();
        return oid;
    }
    void tapRow(int row) {
        QTest::mouseClick(list(), Qt::LeftButton, {}, list()->rowBox(row).center());
    }
    // Opens the rich contact in the full-screen card with a double tap.
    ContactCardDialog* openRich() {
        const int row = rowOf(richOid);
        tapRow(row);
        tapRow(row);
        return frame().cardDialog();
    }
    QString headerText(const ContactCardView* view) {
        return view->items().isEmpty() ? QString() : view->items().front().text.plainText();
    }
    int itemOfLine(const ContactCardView* view, const QString& label) {
        for (int i = 0; i < view->items().size(); ++i) {
            if (view->items()[i].label == label) {
                return i;
            }
        }
        return -1;
    }

    CurrentScreen currentScreen{GetParam()};
    ShellUi shell;
    test::FrameFixture fixture{GetParam()};
    std::unique_ptr<ContactStoreSession> session;
    test::RecordingActions actions;
    Oid richOid = 0;
};

TEST_P(FrameCardTest, TheSelectedContactFillsTheCardUnderTheList) {
    EXPECT_TRUE(card()->items().isEmpty()) << "nothing selected at the start";
    tapRow(rowOf(richOid));
    EXPECT_EQ(card()->contactOid(), richOid);
    EXPECT_TRUE(headerText(card()).startsWith(QStringLiteral("Dr. Anna Maria Lindqvist")));

    QTest::keyClick(list(), Qt::Key_Down);
    const Oid next = frame().list()->selectedContact();
    ASSERT_NE(next, richOid);
    EXPECT_EQ(card()->contactOid(), next) << "the card follows the keys";

    frame().clearListSelection();
    EXPECT_TRUE(card()->items().isEmpty()) << "no selection, an empty card";
}

TEST_P(FrameCardTest, ACompanyHeaderEmptiesTheCard) {
    tapRow(rowOf(richOid));
    ASSERT_FALSE(card()->items().isEmpty());
    frame().handleCommand(41218, 0);  // sort by company: rows under company headers
    int header = -1;
    for (int row = 0; row < list()->rowCount() && header < 0; ++row) {
        list()->selectOnly(row);
        header = frame().list()->selectedContact() == 0 ? row : -1;
    }
    ASSERT_GE(header, 0);
    tapRow(header);
    EXPECT_EQ(frame().list()->selectedContact(), 0u);
    EXPECT_TRUE(card()->items().isEmpty());
}

TEST_P(FrameCardTest, TheBarAtTheBottomHidesTheCardAndItsArrowsStepTheSelection) {
    tapRow(rowOf(richOid));
    SplitterWnd* splitter = frame().splitter();
    QTest::mouseClick(splitter, Qt::LeftButton, {}, splitter->nextArrowRect().center());
    const Oid next = frame().list()->selectedContact();
    EXPECT_NE(next, richOid);
    EXPECT_EQ(card()->contactOid(), next) << "the next contact in the card";
    QTest::mouseClick(splitter, Qt::LeftButton, {}, splitter->previousArrowRect().center());
    EXPECT_EQ(card()->contactOid(), richOid);

    splitter->state().setMode(SplitMode::Bottom);
    splitter->relayout();
    QTest::keyClick(list(), Qt::Key_Down);
    ASSERT_NE(frame().list()->selectedContact(), richOid);
    EXPECT_EQ(card()->contactOid(), richOid) << "not rebuilt while it has no room";
    splitter->state().setMode(SplitMode::Proportional);
    emit splitter->barMoved();
    EXPECT_EQ(card()->contactOid(), frame().list()->selectedContact());
}

TEST_P(FrameCardTest, LeftAndRightMoveTheFocusAndTypingSearches) {
    tapRow(rowOf(richOid));
    QTest::keyClick(list(), Qt::Key_Right);
    ASSERT_TRUE(card()->hasFocus());
    QTest::keyClick(card(), Qt::Key_Down);
    EXPECT_EQ(card()->focusItem(), 0) << "keys move through the card's lines";
    QTest::keyClicks(card(), QStringLiteral("ab"));
    EXPECT_EQ(frame().searchEdit()->lineEdit()->text(), QStringLiteral("ab"));
    QTest::keyClick(card(), Qt::Key_Left);
    EXPECT_TRUE(list()->hasFocus());
}

TEST_P(FrameCardTest, AChangeInTheStoreRebuildsTheCard) {
    tapRow(rowOf(richOid));
    ContactRecord record;
    ASSERT_TRUE(manager().readContact(richOid, record));
    record.setField(ContactField::Pager, QStringLiteral("+49 30 9999"));
    ASSERT_TRUE(manager().updateContact(record));
    QTRY_VERIFY_WITH_TIMEOUT(itemOfLine(card(), QStringLiteral("Pager")) > 0, 5000);
    EXPECT_EQ(card()->items()[itemOfLine(card(), QStringLiteral("Pager"))].text.plainText(),
              QStringLiteral("+49 30 9999"));

    // A change while the bar is at the bottom shows once the card has room.
    frame().splitter()->state().setMode(SplitMode::Bottom);
    record.setField(ContactField::Pager, QStringLiteral("+49 30 8888"));
    ASSERT_TRUE(manager().updateContact(record));
    QTRY_VERIFY_WITH_TIMEOUT(manager().isQueuePending(), 5000);
    QTRY_VERIFY_WITH_TIMEOUT(!manager().isQueuePending(), 5000);
    EXPECT_EQ(card()->items()[itemOfLine(card(), QStringLiteral("Pager"))].text.plainText(),
              QStringLiteral("+49 30 9999"));
    frame().splitter()->state().setMode(SplitMode::Proportional);
    emit frame().splitter()->barMoved();
    EXPECT_EQ(card()->items()[itemOfLine(card(), QStringLiteral("Pager"))].text.plainText(),
              QStringLiteral("+49 30 8888"));
}

TEST_P(FrameCardTest, ATapInTheCardActsAndKeepsTheFocusThere) {
    tapRow(rowOf(richOid));
    const int email = itemOfLine(card(), QStringLiteral("E-mail 2"));
    ASSERT_GT(email, 0);
    card()->controller().scrollIntoView(email);
    QTest::mouseClick(card(), Qt::LeftButton, {}, card()->itemRect(email).center());
    EXPECT_EQ(actions.calls, QStringList{"mail anna@lindqvist.se"});
    EXPECT_TRUE(card()->hasFocus());
    EXPECT_EQ(frame().cardDialog(), nullptr);
}

TEST_P(FrameCardTest, ADoubleTapOpensTheFullScreenCardAndCloseReturnsToTheList) {
    ContactCardDialog* dialog = openRich();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(dialog->isModal());
    EXPECT_EQ(dialog->view()->contactOid(), richOid);
    EXPECT_TRUE(frame().isBusy());
    EXPECT_TRUE(fixture.host.busy);
    EXPECT_EQ(frame().openContactOid(), richOid);
    ASSERT_NE(dialog->menuBar(), nullptr);
    EXPECT_EQ(dialog->menuBar()->commandIds(),
              (QList<int>{ContactCardDialog::kCmdEdit, ContactCardDialog::kCmdClose}));
    EXPECT_TRUE(dialog->menuBar()->action(ContactCardDialog::kCmdEdit)->isEnabled())
        << "the edit form is there";
    EXPECT_EQ(dialog->menuBar()->buttons().front()->text(), QStringLiteral("Edit..."));

    frame().openContact(u'v', richOid);
    EXPECT_EQ(frame().cardDialog(), dialog) << "the contact already open is ignored";

    QTest::mouseClick(dialog->menuBar()->buttons().back(), Qt::LeftButton);  // "Close"
    QTRY_COMPARE(frame().cardDialog(), nullptr);
    EXPECT_FALSE(frame().isBusy());
    EXPECT_FALSE(fixture.host.busy);
    EXPECT_EQ(frame().openContactOid(), 0u);
    QTRY_VERIFY(list()->hasFocus());
}

TEST_P(FrameCardTest, TheActionKeyAndTheCommandLineOpenIt) {
    tapRow(rowOf(richOid));
    QTest::keyClick(list(), Qt::Key_Return, Qt::ControlModifier);  // the action key
    ContactCardDialog* dialog = frame().cardDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->view()->contactOid(), richOid);
    QTest::keyClick(dialog->view(), Qt::Key_Escape);
    QTRY_COMPARE(frame().cardDialog(), nullptr);

    frame().clearListSelection();
    frame().openContact(u'v', richOid);
    dialog = frame().cardDialog();
    ASSERT_NE(dialog, nullptr) << "\"v OID\" opens the card";
    EXPECT_EQ(frame().list()->selectedContact(), richOid) << "and selects the contact";
    frame().openContact(u'v', otherContact());
    EXPECT_EQ(frame().cardDialog(), dialog) << "another request while one is open is ignored";
    EXPECT_EQ(dialog->view()->contactOid(), richOid);
}

TEST_P(FrameCardTest, ATapOnALineOfTheFullScreenCardActsAndClosesIt) {
    ContactCardDialog* dialog = openRich();
    ASSERT_NE(dialog, nullptr);
    ContactCardView* view = dialog->view();
    const int mobile = itemOfLine(view, QStringLiteral("Mobile"));
    ASSERT_GT(mobile, 0);
    QTest::mouseClick(view, Qt::LeftButton, {}, view->itemRect(mobile).center());
    EXPECT_EQ(actions.calls, QStringList{"call +49 171 234 5678 1 1"});
    QTRY_COMPARE(frame().cardDialog(), nullptr);
    EXPECT_FALSE(frame().isBusy());

    dialog = openRich();
    ASSERT_NE(dialog, nullptr);
    const int im = itemOfLine(dialog->view(), QStringLiteral("IM"));
    QTest::mouseClick(dialog->view(), Qt::LeftButton, {}, dialog->view()->itemRect(im).center());
    EXPECT_EQ(frame().cardDialog(), dialog) << "a line without an action leaves it open";
}

TEST_P(FrameCardTest, Screenshots) {
    const QString dpi = QString::number(GetParam());
    tapRow(rowOf(richOid));
    QTest::keyClick(list(), Qt::Key_Right);
    for (int i = 0; i < 5; ++i) {
        QTest::keyClick(card(), Qt::Key_Down);
    }
    QTest::keyClick(card(), Qt::Key_Left);
    const QImage embedded = test::saveScreenshot(fixture.window, "card-embedded-" + dpi + "dpi");
    EXPECT_GT(embedded.size().height(), 0);

    ContactCardDialog* dialog = openRich();
    ASSERT_NE(dialog, nullptr);
    QCoreApplication::processEvents();
    const QImage full = test::saveScreenshot(*dialog, "card-full-" + dpi + "dpi");
    EXPECT_EQ(full.size(), shell.screenSize());
    EXPECT_TRUE(dialog->view()->scrollBar()->isVisible())
        << "the rich card is taller than the screen";
    QTest::keyClick(dialog->view(), Qt::Key_End);
    const QImage end = test::saveScreenshot(*dialog, "card-full-end-" + dpi + "dpi");
    EXPECT_NE(end, full) << "scrolled to the note";
}

INSTANTIATE_TEST_SUITE_P(Dpi, FrameCardTest, ::testing::Values(96, 192));

}  // namespace
}  // namespace kontavo
