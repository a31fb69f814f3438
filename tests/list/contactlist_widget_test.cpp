// The contact list driven through its list control with real pen and key
// events.
#include <gtest/gtest.h>

#include <QTest>

#include "contactlisttestsupport.h"
#include "list/contactlist.h"
#include "list/coollist.h"
#include "listtestsupport.h"
#include "support/tempdevice.h"
#include "ui/sharedfonts.h"

namespace kontavo {
namespace {

using test::makeContact;

class ContactListWidgetTest : public ::testing::Test {
protected:
    explicit ContactListWidgetTest(const Screen& screen = Screen(96, 96)) {
        ContactRecord bob = makeContact(2, "Baker", "Bob", "Beta");
        bob.setField(ContactField::WorkPhone, "555-1000");
        bob.setField(ContactField::Email1, "bob@example.com");
        store.add(makeContact(1, "Adams", "Ann", "Acme"));
        store.add(bob);
        store.add(makeContact(3, "Carter", "Cy", "Acme"));
        list = std::make_unique<ContactList>(services(screen));
        ContactList::Listener l;
        l.activated = [this](Oid oid) { events.append(QStringLiteral("activated %1").arg(oid)); };
        l.command = [this](int id) { events.append(QStringLiteral("command %1").arg(id)); };
        l.key = [this](const ListKey& key) {
            events.append("key " + key.text);
            return true;
        };
        list->setListener(l);
        view().resize(screen.scaleX(240), screen.scaleY(200));
        list->refill({});
        EXPECT_TRUE(test::showActive(view()));
    }

    ContactList::Services services(const Screen& screen) {
        ContactList::Services s;
        s.store = &store;
        s.ui = &ui;
        s.registry = &device.registry();
        s.screen = screen;
        s.listFont = tahomaFont(screen.pointsToPixels(8));
        return s;
    }

    CoolList& view() { return *list->view(); }
    // A point `fromRight` pixels left of the right edge, `down` pixels into `row`.
    QPoint onRow(int row, int fromRight, int down = 2) {
        const QRect box = view().rowBox(row);
        return QPoint(box.right() - fromRight, box.top() + down);
    }
    void tap(QPoint pos) {
        QTest::mousePress(&view(), Qt::LeftButton, {}, pos);
        QTest::mouseRelease(&view(), Qt::LeftButton, {}, pos);
    }

    test::TempDevice device;
    test::FakeListStore store;
    test::FakeListUi ui;
    std::unique_ptr<ContactList> list;
    QStringList events;
};

TEST_F(ContactListWidgetTest, TapOnThePhoneStripOpensThePhoneMenuOfThatRow) {
    tap(onRow(1, 3));
    ASSERT_EQ(ui.phoneMenus.size(), 1);
    EXPECT_TRUE(ui.phoneMenus.front().startsWith("*Work 555-1000|E-mail bob@example.com"));
    EXPECT_EQ(list->selectedContact(), 2u) << "the pen made the row the focus row";
    EXPECT_TRUE(events.isEmpty()) << "the list took the tap: no tap, no activation";
    const QRect strip = ui.lastAnchor;
    EXPECT_EQ(strip.right(), view().mapToGlobal(view().rowBox(1).topRight()).x());
}

TEST_F(ContactListWidgetTest, TapLeftOfTheStripSelectsAndASecondTapActivates) {
    const int stripWidth = QFontMetrics(tahomaFont(11)).maxWidth() - 5 + 14;
    tap(onRow(1, stripWidth + 4));
    EXPECT_TRUE(ui.phoneMenus.isEmpty());
    EXPECT_EQ(list->selectedContact(), 2u);
    EXPECT_TRUE(events.isEmpty());
    tap(onRow(1, stripWidth + 4));
    EXPECT_EQ(events, QStringList{"activated 2"});
}

TEST_F(ContactListWidgetTest, WithTheNameOnlyTheStripIsAnOrdinaryTap) {
    list->setNameOnly(true);
    tap(onRow(1, 3));
    EXPECT_TRUE(ui.phoneMenus.isEmpty());
    EXPECT_EQ(list->selectedContact(), 2u);
}

TEST_F(ContactListWidgetTest, TwoLineRowsTakeOnlyTheirLowerLine) {
    list->setDoubleSized(true);
    const int half = view().rowHeight() / 2;
    tap(onRow(1, 3, half - 2));
    EXPECT_TRUE(ui.phoneMenus.isEmpty());
    tap(onRow(1, 3, half + 2));
    EXPECT_EQ(ui.phoneMenus.size(), 1);
}

TEST_F(ContactListWidgetTest, HoldingThePenStillOpensTheContextMenuOfThatContact) {
    ui.contextChoice = ContactContextMenu::kDuplicate;
    const QPoint pos = onRow(1, 100);
    QTest::mousePress(&view(), Qt::LeftButton, {}, pos);
    QTest::qWait(600);
    QTest::mouseRelease(&view(), Qt::LeftButton, {}, pos);
    ASSERT_EQ(ui.contextMenus.size(), 1);
    EXPECT_EQ(ui.contextMenus.front().front().text, "Bob Baker");
    EXPECT_EQ(ui.contextMenuAt, view().mapToGlobal(pos));
    EXPECT_EQ(events, QStringList{"command 41284"});
    EXPECT_TRUE(ui.phoneMenus.isEmpty());
    EXPECT_EQ(list->selectedContact(), 2u);
}

TEST_F(ContactListWidgetTest, KeysMoveTheSelectionAndTypedTextGoesToTheOwner) {
    list->selectContact(1);
    QTest::keyClick(&view(), Qt::Key_Down);
    EXPECT_EQ(list->selectedContact(), 2u);
    EXPECT_EQ(list->positionCaption().text, "Contact 2 of 3");
    QTest::keyClick(&view(), Qt::Key_Return);
    QTest::keyClick(&view(), Qt::Key_X);
    EXPECT_EQ(events, QStringList({"activated 2", "key x"}));
}

TEST_F(ContactListWidgetTest, TappingACompanyHeaderFoldsItOpenAndShut) {
    list->setSortType(2);
    ASSERT_EQ(view().rowCount(), 2);  // Acme, Beta
    tap(onRow(0, 100));
    EXPECT_EQ(view().rowCount(), 4);
    EXPECT_EQ(list->positionCaption().text, "Company 1 of 2");
    tap(onRow(0, 100));
    EXPECT_EQ(view().rowCount(), 2);
}

int nonWhitePixels(const QImage& image, const QRect& area) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            count += image.pixel(x, y) != qRgb(255, 255, 255) ? 1 : 0;
        }
    }
    return count;
}

TEST_F(ContactListWidgetTest, RowsAreDrawn) {
    list->selectContact(2);
    const QImage image = test::saveScreenshot(view(), "contactlist-oneline-96");
    const QRect below(0, view().rowBox(2).bottom() + 1, view().width(), 20);
    EXPECT_GT(nonWhitePixels(image, view().rowBox(0)), 20) << "the name is drawn";
    EXPECT_EQ(nonWhitePixels(image, below), 0) << "white below the rows";
    EXPECT_EQ(image.pixel(view().rowBox(1).topLeft() + QPoint(1, 1)), qRgb(0x31, 0x6A, 0xC5))
        << "the selected row";
    list->setDoubleSized(true);
    test::saveScreenshot(view(), "contactlist-twoline-96");
    list->setSortType(2);
    list->selectContact(3);
    test::saveScreenshot(view(), "contactlist-company-96");
}

class ContactListHighResolutionTest : public ContactListWidgetTest {
protected:
    ContactListHighResolutionTest() : ContactListWidgetTest(Screen(192, 192)) {}
};

TEST_F(ContactListHighResolutionTest, StripScalesWithTheScreen) {
    const int tagColumn =
        QFontMetrics(tahomaFont(Screen(192, 192).pointsToPixels(8))).maxWidth() - 5;
    tap(onRow(1, tagColumn + 28 - 2));  // inside: tag column + (12 + 2) scaled
    EXPECT_EQ(ui.phoneMenus.size(), 1);
    tap(onRow(1, tagColumn + 28 + 2));  // just outside
    EXPECT_EQ(ui.phoneMenus.size(), 1);
    test::saveScreenshot(view(), "contactlist-oneline-192");
    list->setDoubleSized(true);
    test::saveScreenshot(view(), "contactlist-twoline-192");
}

}  // namespace
}  // namespace kontavo
