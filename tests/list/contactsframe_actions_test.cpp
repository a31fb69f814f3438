// The contacts frame's contact actions over a seeded store, driven through
// the list's real pop-up menus with pen events: "Beam...", "Make
// Appointment...", "Dial to..." and the Talk key.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QTest>
#include <QTimer>

#include "comm/contactaddins.h"
#include "framefixture.h"
#include "list/contactlistui.h"
#include "list/contactstoresession.h"
#include "list/coollist.h"
#include "listtestsupport.h"
#include "platform/locale.h"
#include "platform/registry.h"
#include "store/contacts/contactmanager.h"
#include "store/settings/settingsstore.h"
#include "support/tempdevice.h"
#include "ui/menubar.h"
#include "ui/menuresource.h"
#include "ui/sharedfonts.h"
#include "ui/shellui.h"

namespace kontavo {
namespace {

class FrameActionsTest : public ::testing::TestWithParam<int> {
protected:
    FrameActionsTest() : fixture(GetParam()) {}

    void SetUp() override {
        SharedFonts::setCurrent(SharedFonts::create(fixture.device.settings(), fixture.screen));
        ASSERT_TRUE(seedDemoContactsIfEmpty(fixture.device.fs(), 20, Locale::user()));
        session = ContactStoreSession::open(fixture.device.fs(), fixture.device.settings(),
                                            fixture.host, Locale::user());
        ASSERT_NE(session, nullptr);
        ContactRecord ann;
        ann.setField(ContactField::Title, QStringLiteral("Dr."));
        ann.setField(ContactField::FirstName, QStringLiteral("Ann"));
        ann.setField(ContactField::LastName, QStringLiteral("Aaronson"));
        ann.setField(ContactField::WorkPhone, QStringLiteral("111"));
        ann.setField(ContactField::MobilePhone, QStringLiteral("+1 (555) 222"));
        ASSERT_TRUE(session->manager().addContact(ann));
        annOid = ann.oid;
        fixture.actions = &recording;
        ASSERT_TRUE(fixture.create(session.get(), &session->manager(), true));
        ASSERT_TRUE(test::showActive(fixture.window));
        ASSERT_TRUE(list().selectContact(annOid));
    }
    void TearDown() override {
        fixture.destroyFrame();
        SharedFonts::release();
    }

    FrameListModel& list() { return *fixture.frame().list(); }
    CoolList& view() { return *static_cast<CoolList*>(fixture.listView()); }
    QStringList& calls() { return recording.calls; }
    QRect annRow() { return view().rowBox(view().selectedRows().front()); }

    // While the next pop-up menu runs: saves its picture as `shot`, checks
    // that it fits the screen, and taps the item whose text starts with
    // `item`.
    void tapInNextMenu(const QString& item, const QString& shot) {
        auto* poll = new QTimer(&fixture.window);
        QObject::connect(poll, &QTimer::timeout, poll, [this, poll, item, shot] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (menu == nullptr) {
                return;
            }
            poll->deleteLater();
            poll->stop();
            for (QAction* action : menu->actions()) {
                if (action->text().startsWith(item)) {
                    saveMenu(*menu, shot);
                    QTest::mouseClick(menu, Qt::LeftButton, {},
                                      menu->actionGeometry(action).center());
                    return;
                }
            }
            ADD_FAILURE() << "no item " << item.toStdString();
            menu->close();
        });
        poll->start(20);
    }
    void saveMenu(QMenu& menu, const QString& shot) {
        const Screen& screen = fixture.screen;
        EXPECT_LE(menu.width(), screen.scaleX(240)) << shot.toStdString();
        EXPECT_LE(menu.height(), screen.scaleY(320)) << shot.toStdString();
        const QString folder = QStringLiteral(KONTAVO_BIN_DIR "/../screenshots/list");
        QDir().mkpath(folder);
        menu.grab().save(folder + QStringLiteral("/%1-%2.png").arg(shot).arg(GetParam()));
    }
    void holdPen(QPoint pos) {
        QTest::mousePress(&view(), Qt::LeftButton, {}, pos);
        QTest::qWait(600);
        QTest::mouseRelease(&view(), Qt::LeftButton, {}, pos);
    }

    test::FrameFixture fixture;
    test::RecordingActions recording;
    std::unique_ptr<ContactStoreSession> session;
    Oid annOid = 0;
};

TEST_P(FrameActionsTest, HoldingThePenOnAContactOffersBeamAndItBeamsThatContact) {
    tapInNextMenu(QStringLiteral("Beam..."), QStringLiteral("contextmenu"));
    holdPen(annRow().center() - QPoint(annRow().width() / 4, 0));
    EXPECT_EQ(calls(), QStringList{QStringLiteral("beam %1").arg(annOid)});
}

TEST_P(FrameActionsTest, AnAddInFromTheContextMenuGetsTheSelectedContact) {
    ContactAddIns::Entry entry{QStringLiteral("Send to desk"), QStringLiteral("\\x.dll"), 41222};
    test::TempDevice device;
    device.writeFile(entry.library, "library");
    const QString key = ContactAddIns::registryKey() + QStringLiteral("\\Desk");
    device.registry().setValue(Hive::LocalMachine, key, "DLL", RegValue::fromString(entry.library));
    device.registry().setValue(Hive::LocalMachine, key, "Menu",
                               RegValue::fromString(entry.menuText));
    ContactAddIns::setCurrent(ContactAddIns::load(device.registry(), device.fs()));
    ASSERT_EQ(ContactAddIns::current().entries(), QList<ContactAddIns::Entry>{entry});
    // The sub-menu opens from the context menu; its item is tapped in turn.
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [this, &poll] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        for (QAction* action : menu != nullptr ? menu->actions() : QList<QAction*>()) {
            const bool last = action->text() == QStringLiteral("Send to desk");
            if (last || action->text() == QStringLiteral("Outlook Plugin")) {
                saveMenu(*menu, last ? QStringLiteral("contextmenu-addin")
                                     : QStringLiteral("contextmenu-addins"));
                QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
                poll.setInterval(last ? 1000000 : 100);
                return;
            }
        }
    });
    poll.start(50);
    holdPen(annRow().center() - QPoint(annRow().width() / 4, 0));
    QTest::qWait(300);
    poll.stop();
    ContactAddIns::setCurrent(ContactAddIns());
    EXPECT_EQ(calls(), QStringList{QStringLiteral("invoke 41222 %1").arg(annOid)});
}

TEST_P(FrameActionsTest, MakeAppointmentFromTheContextMenuUsesTheNameAndThePhones) {
    tapInNextMenu(QStringLiteral("Make Appointment..."), QStringLiteral("contextmenu-appointment"));
    holdPen(annRow().center() - QPoint(annRow().width() / 4, 0));
    EXPECT_EQ(calls(), QStringList{"appointment Dr. Ann Aaronson|Work: 111|Mobile: +1 (555) 222"});
}

TEST_P(FrameActionsTest, DialToInThePhoneMenuCallsByTheStoredMethod) {
    fixture.device.settings().set(settings::kDialupMode, 41235);
    tapInNextMenu(QStringLiteral("Dial to..."), QStringLiteral("phonemenu"));
    const QPoint strip(annRow().right() - 3, annRow().top() + 2);
    QTest::mouseClick(&view(), Qt::LeftButton, {}, strip);
    EXPECT_EQ(calls(), QStringList{"call 111 1 1"});
    fixture.device.settings().set(settings::kDialupMode, 41296);
    tapInNextMenu(QStringLiteral("Dial to..."), QStringLiteral("phonemenu-none"));
    QTest::mouseClick(&view(), Qt::LeftButton, {}, strip);
    EXPECT_EQ(calls().size(), 1) << "\"None\" dials nothing";
}

TEST_P(FrameActionsTest, ToolsMenuCommandsAreEnabledAndActOnTheSelection) {
    ShellUi shell;
    const std::optional<MenuResource> resource = MenuResource::load(102);
    ASSERT_TRUE(resource);
    MenuBar bar(*resource, shell, &fixture.window);
    fixture.frame().updateMenu(bar);
    EXPECT_TRUE(bar.action(41286)->isEnabled());
    EXPECT_TRUE(bar.action(41211)->isEnabled());
    ASSERT_TRUE(fixture.frame().handleCommand(41286, 0));
    ASSERT_TRUE(fixture.frame().handleCommand(41211, 0));
    list().clearSelection();
    ASSERT_TRUE(fixture.frame().handleCommand(41286, 0));
    ASSERT_TRUE(fixture.frame().handleCommand(41211, 0));
    EXPECT_EQ(calls(),
              QStringList({QStringLiteral("beam %1").arg(annOid),
                           "appointment Dr. Ann Aaronson|Work: 111|Mobile: +1 (555) 222", "beam"}))
        << "with nothing selected, an empty beam and no appointment";
}

TEST_P(FrameActionsTest, TheTalkKeyDialsTheSelectedContactThroughThePhoneService) {
    fixture.device.settings().set(settings::kDialupMode, 41296);  // whatever the method
    fixture.frame().callSelectedContact();
    session->manager().setPreferredItem(annOid, fieldInfo(ContactField::MobilePhone).tag());
    fixture.frame().callSelectedContact();
    list().clearSelection();
    fixture.frame().callSelectedContact();
    EXPECT_EQ(calls(), QStringList({"call 111 1 0", "call +1 (555) 222 1 0"}));
}

INSTANTIATE_TEST_SUITE_P(Dpi, FrameActionsTest, ::testing::Values(96, 192));

}  // namespace
}  // namespace kontavo
