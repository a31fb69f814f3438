// The contacts frame with the program's contact list and its real pop-up
// menus and message boxes over a seeded store, driven by pen and key events
// as a user would: what the menus offer, what their items do through the
// frame, and that they stay on the screen at 96 and 192 dpi. Pictures go to
// screenshots/list/.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDeadlineTimer>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "framefixture.h"
#include "list/contactstoresession.h"
#include "list/coollist.h"
#include "list/listdownbutton.h"
#include "list/searchedit.h"
#include "listtestsupport.h"
#include "platform/locale.h"
#include "store/contacts/categoriesdbmanager.h"
#include "store/contacts/categorymask.h"
#include "store/contacts/contactmanager.h"
#include "support/popupdriver.h"
#include "support/screenpicture.h"
#include "ui/screenmessagebox.h"
#include "ui/sharedfonts.h"
#include "ui/shellui.h"

namespace kontavo {
namespace {

constexpr int kStoreContacts = 40;

using test::whenOpen;

QAction* itemNamed(QWidget* popup, const QString& text) {
    return test::menuItem(popup, text);
}

void clickItem(QWidget* popup, QAction* item) {
    test::tapMenuItem(popup, item);
}

class FramePopupTest : public ::testing::TestWithParam<int> {
protected:
    FramePopupTest() : saved(Screen::current()), fixture(GetParam()) {
        Screen::setCurrent(Screen(GetParam(), GetParam()));
        shell = std::make_unique<ShellUi>();  // the screen's look of menus and boxes
        SharedFonts::setCurrent(SharedFonts::create(fixture.device.settings(), fixture.screen));
    }
    ~FramePopupTest() override {
        fixture.destroyFrame();
        SharedFonts::release();
        shell.reset();
        Screen::setCurrent(saved);
    }
    void open(int contacts) {
        if (contacts > 0) {
            ASSERT_TRUE(seedDemoContactsIfEmpty(fixture.device.fs(), contacts, Locale::user()));
        }
        session = ContactStoreSession::open(fixture.device.fs(), fixture.device.settings(),
                                            fixture.host, Locale::user());
        ASSERT_NE(session, nullptr);
        ASSERT_TRUE(fixture.create(session.get(), &session->manager(), true));
        fixture.window.move(40, 30);
        ASSERT_TRUE(test::showActive(fixture.window));
    }
    CoolList* view() { return static_cast<CoolList*>(fixture.listView()); }
    // The category list dialog over the session's categories; the modes it
    // is opened in go to `modes`.
    CategoryListRunner categoryList(QList<CategoryListDialog::Mode>& modes) {
        return [this, &modes](CategoryListDialog::Mode mode, const QList<Oid>& ticked,
                              QWidget* parent) {
            modes.append(mode);
            CategoryListServices services;
            services.categories = &session->manager().categories();
            services.device = &fixture.device.fs();
            services.settings = &fixture.device.settings();
            return runCategoryList(services, mode, ticked, parent);
        };
    }
    QRect screen() { return {fixture.window.mapToGlobal(QPoint(0, 0)), fixture.window.size()}; }
    QPoint middleOf(int row) {
        return view()->rowBox(row).center() - QPoint(view()->width() / 4, 0);
    }
    // Holds the pen still on `row` until the context menu has come and gone.
    void holdPen(int row) {
        QTest::mousePress(view(), Qt::LeftButton, {}, middleOf(row));
        QTest::qWait(kLongPressMs + 400);
        QTest::mouseRelease(view(), Qt::LeftButton, {}, middleOf(row));
    }
    int contactCount() { return int(session->manager().index().allOids().size()); }
    QString picture(const QString& what) {
        return QStringLiteral("%1-%2").arg(what).arg(GetParam());
    }

    Screen saved;
    test::FrameFixture fixture;
    std::unique_ptr<ShellUi> shell;
    std::unique_ptr<ContactStoreSession> session;
};

// The context menu's Duplicate works through the frame; Beam and Make
// Appointment, without contact actions to carry them out, are shown but
// disabled.
TEST_P(FramePopupTest, ContextMenuDuplicatesThroughTheFrameAndOffersNoDeadItems) {
    open(kStoreContacts);
    const int before = contactCount();
    bool beam = true;
    bool appointment = true;
    bool inside = false;
    whenOpen(false, [&](QWidget* popup) {
        inside = screen().contains(popup->geometry());
        beam = itemNamed(popup, QStringLiteral("Beam..."))->isEnabled();
        appointment = itemNamed(popup, QStringLiteral("Make Appointment..."))->isEnabled();
        test::saveScreenPicture(fixture.window, QStringLiteral("list"), picture("context-menu"));
        clickItem(popup, itemNamed(popup, QStringLiteral("Duplicate")));
    });
    holdPen(2);
    EXPECT_TRUE(inside);
    EXPECT_FALSE(beam);
    EXPECT_FALSE(appointment);
    EXPECT_EQ(contactCount(), before + 1);
    EXPECT_EQ(fixture.frame().list()->selectedOids().size(), 1);
}

TEST_P(FramePopupTest, FilterMenuShowsMoreDisabledAndStaysOnTheScreen) {
    open(kStoreContacts);
    bool more = true;
    bool inside = false;
    whenOpen(false, [&](QWidget* popup) {
        inside = screen().contains(popup->geometry());
        QAction* item = itemNamed(popup, QStringLiteral("More..."));
        more = item->isEnabled();
        clickItem(popup, item);  // nothing happens
        test::saveScreenPicture(fixture.window, QStringLiteral("list"), picture("filter-menu"));
        QTest::keyClick(popup, Qt::Key_Escape);
    });
    QTest::mouseClick(fixture.frame().categoryButton(), Qt::LeftButton);
    EXPECT_TRUE(inside);
    EXPECT_FALSE(more);
    EXPECT_EQ(fixture.frame().list()->filterCaption(), QStringLiteral("All Contacts"));
}

// "More..." opens the category list dialog: the category ticked there
// becomes the filter, and every row listed then has it.
TEST_P(FramePopupTest, FilterByACategoryChosenThroughMore) {
    QList<CategoryListDialog::Mode> modes;
    fixture.chooseCategories = categoryList(modes);
    open(kStoreContacts);
    QString chosen;
    whenOpen(false, [&](QWidget* popup) {
        QAction* more = itemNamed(popup, QStringLiteral("More..."));
        ASSERT_TRUE(more->isEnabled());
        whenOpen(true, [&](QWidget* modal) {
            auto* dialog = qobject_cast<CategoryListDialog*>(modal);
            ASSERT_NE(dialog, nullptr);
            TrnApCheckList* list = dialog->checkList();
            ASSERT_GT(dialog->model().rowCount(), 1);
            chosen = dialog->model().row(1).name;
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->checkRect(1).center());
            test::saveScreenPicture(*dialog, QStringLiteral("comm"), picture("category-list-more"));
            QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("1")), Qt::LeftButton);
        });
        clickItem(popup, more);
    });
    QTest::mouseClick(fixture.frame().categoryButton(), Qt::LeftButton);
    ASSERT_FALSE(chosen.isEmpty());
    EXPECT_EQ(modes, QList<CategoryListDialog::Mode>{CategoryListDialog::Mode::Filter});
    EXPECT_EQ(fixture.frame().list()->filterCaption(), chosen);
    ContactManager& manager = session->manager();
    const int position = manager.categories().findByName(chosen)->position;
    ASSERT_GT(view()->rowCount(), 0);
    int contacts = 0;
    for (const Oid oid : manager.index().allOids()) {
        ContactRecord record;
        ASSERT_TRUE(manager.readContact(oid, record));
        contacts += categorymask::hasBit(record.categoryMask, position) ? 1 : 0;
    }
    EXPECT_EQ(view()->rowCount(), contacts);
}

// "Category List" manages the categories: every category, no "Show All
// Categories"; the list is refilled afterwards. Without the dialog the
// command is not offered.
TEST_P(FramePopupTest, CategoryListManagesCategoriesFromTheMainMenu) {
    QList<CategoryListDialog::Mode> modes;
    fixture.chooseCategories = categoryList(modes);
    open(kStoreContacts);
    ASSERT_TRUE(fixture.frame().isCommandAvailable(ContactsFrame::kCmdCategoryList));
    bool showAllShown = true;
    int rows = 0;
    whenOpen(true, [&](QWidget* modal) {
        auto* dialog = qobject_cast<CategoryListDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        showAllShown = dialog->findChild<QCheckBox*>(QStringLiteral("1025"))->isVisible();
        rows = dialog->model().rowCount();
        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("2")), Qt::LeftButton);
    });
    EXPECT_TRUE(fixture.frame().handleCommand(ContactsFrame::kCmdCategoryList, 0));
    EXPECT_EQ(modes, QList<CategoryListDialog::Mode>{CategoryListDialog::Mode::Manage});
    EXPECT_FALSE(showAllShown);
    EXPECT_EQ(rows, session->manager().categories().listForContact(QByteArray())->size());

    fixture.destroyFrame();
    fixture.chooseCategories = nullptr;
    ASSERT_TRUE(fixture.create(session.get(), &session->manager(), true));
    EXPECT_FALSE(fixture.frame().isCommandAvailable(ContactsFrame::kCmdCategoryList));
}

// With the contact actions the "Send Email" submenu opens: its addresses
// are far wider than the screen.
TEST_P(FramePopupTest, EmailSubmenuKeepsToTheScreen) {
    test::RecordingActions actions;
    fixture.actions = &actions;
    fixture.features = FeatureSet::all();
    open(kStoreContacts);
    int row = -1;
    for (int i = 0; i < view()->rowCount() && row < 0; ++i) {
        view()->selectOnly(i);
        ContactRecord record;
        if (session->manager().readContact(fixture.frame().list()->selectedContact(), record) &&
            record.field(ContactField::Email1).size() > 20) {
            row = i;
        }
    }
    ASSERT_GE(row, 0) << "a contact with a long address";
    QRect submenu;
    bool parentInside = false;
    whenOpen(false, [&](QWidget* popup) {
        parentInside = screen().contains(popup->geometry());
        QAction* send = itemNamed(popup, QStringLiteral("Send Email"));
        ASSERT_NE(send, nullptr);
        clickItem(popup, send);
        QMenu* mails = send->menu();
        if (QTest::qWaitFor([mails] { return mails->isVisible(); }, 2000)) {
            submenu = mails->geometry();
            test::saveScreenPicture(fixture.window, QStringLiteral("list"),
                                    picture("email-submenu"));
        }
        qobject_cast<QMenu*>(popup)->close();
    });
    holdPen(row);
    EXPECT_TRUE(parentInside);
    ASSERT_FALSE(submenu.isNull());
    EXPECT_TRUE(screen().contains(submenu)) << submenu << " on " << screen();
}

// Delete asks first, in a box that fits the screen; No keeps the contact.
TEST_P(FramePopupTest, DeleteConfirmationFitsTheScreen) {
    open(kStoreContacts);
    const int before = contactCount();
    QRect box;
    QList<QRect> buttons;
    whenOpen(false, [&](QWidget* popup) {
        whenOpen(true, [&](QWidget* dialog) {
            auto* question = qobject_cast<ScreenMessageBox*>(dialog);
            ASSERT_NE(question, nullptr);
            box = question->geometry();
            for (QPushButton* button : question->buttons()) {
                buttons.append(QRect(button->mapToGlobal(QPoint(0, 0)), button->size()));
            }
            test::saveScreenPicture(fixture.window, QStringLiteral("list"),
                                    picture("delete-confirmation"));
            QTest::mouseClick(question->buttons().back(), Qt::LeftButton);  // No
        });
        clickItem(popup, itemNamed(popup, QStringLiteral("Delete")));
    });
    holdPen(1);
    ASSERT_FALSE(box.isNull());
    EXPECT_TRUE(screen().contains(box)) << box << " on " << screen();
    ASSERT_EQ(buttons.size(), 2);
    for (const QRect& button : buttons) {
        EXPECT_TRUE(screen().contains(button)) << button;
    }
    EXPECT_EQ(contactCount(), before);
}

// Holding the action key opens the context menu after 400 ms; the key's
// auto-repeat, which goes on while it is held, must not close it again.
TEST_P(FramePopupTest, HeldActionKeyOpensTheMenuAndItsRepeatsLeaveItOpen) {
    open(kStoreContacts);
    QTest::mouseClick(view(), Qt::LeftButton, {}, middleOf(1));  // the row the key acts on
    bool openAfterRepeats = false;
    bool openAfterRelease = false;
    whenOpen(false, [&](QWidget* popup) {
        QWindow* window = popup->windowHandle();
        for (int i = 0; i < 6; ++i) {
            qt_handleKeyEvent(window, QEvent::KeyRelease, Qt::Key_Return, Qt::ControlModifier,
                              QString(), true);
            qt_handleKeyEvent(window, QEvent::KeyPress, Qt::Key_Return, Qt::ControlModifier,
                              QStringLiteral("\r"), true);
            QTest::qWait(30);
        }
        openAfterRepeats = popup->isVisible();
        qt_handleKeyEvent(window, QEvent::KeyRelease, Qt::Key_Return, Qt::ControlModifier);
        QTest::qWait(30);
        openAfterRelease = popup->isVisible();
        if (popup->isVisible()) {
            qobject_cast<QMenu*>(popup)->close();
        }
    });
    qt_handleKeyEvent(fixture.window.windowHandle(), QEvent::KeyPress, Qt::Key_Return,
                      Qt::ControlModifier, QStringLiteral("\r"));
    QTest::qWait(kLongPressMs + 600);
    EXPECT_TRUE(openAfterRepeats);
    EXPECT_TRUE(openAfterRelease);
    // The key works again once released: another hold opens the menu again.
    bool again = false;
    whenOpen(false, [&](QWidget* popup) {
        again = true;
        qobject_cast<QMenu*>(popup)->close();
    });
    qt_handleKeyEvent(fixture.window.windowHandle(), QEvent::KeyPress, Qt::Key_Return,
                      Qt::ControlModifier, QStringLiteral("\r"));
    QTest::qWait(kLongPressMs + 300);
    qt_handleKeyEvent(fixture.window.windowHandle(), QEvent::KeyRelease, Qt::Key_Return,
                      Qt::ControlModifier);
    EXPECT_TRUE(again);
}

// A new user's empty store, and a search that matches nothing, say so in
// the list.
TEST_P(FramePopupTest, EmptyListsShowAHint) {
    open(0);
    ASSERT_EQ(view()->rowCount(), 0);
    const QImage empty =
        test::saveScreenPicture(fixture.window, QStringLiteral("list"), picture("empty-store"));
    const QRect list(view()->mapTo(&fixture.window, QPoint(0, 0)), view()->size());
    int inked = 0;
    for (int y = list.top(); y <= list.bottom(); ++y) {
        for (int x = list.left(); x <= list.right(); ++x) {
            inked += qGray(empty.pixel(x, y)) < 200 ? 1 : 0;
        }
    }
    EXPECT_GT(inked, 30) << "the hint is drawn";
}

INSTANTIATE_TEST_SUITE_P(BothResolutions, FramePopupTest, ::testing::Values(96, 192));

}  // namespace
}  // namespace kontavo
