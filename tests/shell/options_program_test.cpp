// "Options..." as the running program wires it: the main window with the
// program's store and contacts frame over a temporary device, the sample
// Today plug-in and Contacts add-in installed on the device, and a second
// participant of the coordination block watching the change flags.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "comm/apabcbardlg.h"
#include "comm/callrouting.h"
#include "comm/contactaddins.h"
#include "comm/optiondlg.h"
#include "contactsprogram.h"
#include "list/contactsframe.h"
#include "list/contactstoresession.h"
#include "list/framelistmodel.h"
#include "list/groupselection.h"
#include "list/smallabcbar.h"
#include "platform/registry.h"
#include "shell/shellids.h"
#include "shelltestsupport.h"
#include "store/contacts/contactmanager.h"
#include "store/settings/settingsstore.h"
#include "store/sync/pimsync.h"
#include "ui/menubar.h"

namespace kontavo {
namespace {

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class OptionsProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        const QByteArray addIn =
            readAll(QStringLiteral(KONTAVO_BIN_DIR "/kontavo-sample-addin.so"));
        ASSERT_FALSE(addIn.isEmpty());
        rig.device.writeFile(QStringLiteral("\\Windows\\BTDialer.dll"), addIn);
        rig.device.writeFile(QStringLiteral("\\Windows\\KontavoToday.dll"),
                             readAll(QStringLiteral(KONTAVO_BIN_DIR "/kontavo-sample-today.so")));
        const QString key = ContactAddIns::registryKey() + QStringLiteral("\\BT");
        rig.device.registry().setValue(Hive::LocalMachine, key, "DLL",
                                       RegValue::fromString("BTDialer.dll"));
        rig.device.registry().setValue(Hive::LocalMachine, key, "Menu",
                                       RegValue::fromString("Bluetooth dial"));
        rig.device.settings().set(settings::kAbcType, 1);  // English
    }
    void TearDown() override {
        window.reset();
        ContactAddIns::setCurrent(ContactAddIns());
    }

    void start() {
        window = rig.makeProgramWindow();
        ASSERT_TRUE(window->create());
        window->show();
        boris = add(QStringLiteral("Борис"), QStringLiteral("Бобров"));
        dave = add(QStringLiteral("Dave"), QStringLiteral("Smith"));
        frame().list()->refresh();
    }
    Oid add(const QString& first, const QString& last) {
        ContactRecord record;
        record.setField(ContactField::FirstName, first);
        record.setField(ContactField::LastName, last);
        EXPECT_TRUE(manager().addContact(record));
        return record.oid;
    }
    ContactManager& manager() {
        return dynamic_cast<ContactStoreSession*>(window->store())->manager();
    }
    ContactsFrame& frame() { return *dynamic_cast<ContactsFrame*>(window->contactsFrame()); }
    void command(int id) { sendWindowMessage(window.get(), {wm::kCommand, uint32_t(id), 0}); }
    template <typename T>
    static T* control(QWidget* in, int id) {
        return in->findChild<T*>(QString::number(id));
    }
    static void tap(QWidget* widget) {
        QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(4, 4));
    }

    test::MainWindowRig rig;
    std::unique_ptr<MainWndFrame> window;
    Oid boris = 0;
    Oid dave = 0;
};

TEST_F(OptionsProgramTest, TheDialerAddInIsLoadedAtStartAndDialsWithTheContact) {
    start();
    EXPECT_EQ(ContactAddIns::current().dialerCommand(), 41222);
    EXPECT_EQ(rig.device.settings().get(settings::kDialupMode), kDialAddIn)
        << "no phone, but a dialer add-in";
    frame().actions().callWithAddIn({dave});
    ASSERT_TRUE(frame().list()->selectContact(boris));
    ASSERT_TRUE(frame().handleCommand(41222, 0));
    const QList<QByteArray> lines =
        readAll(rig.device.host(QStringLiteral("\\Windows\\BTDialer.dll.log"))).split('\n');
    ASSERT_GE(lines.size(), 2);
    EXPECT_TRUE(lines[0].endsWith(" 2 1 " + QByteArray::number(dave))) << lines[0].toStdString();
    EXPECT_TRUE(lines[1].endsWith(" 2 1 " + QByteArray::number(boris))) << lines[1].toStdString();
}

TEST_F(OptionsProgramTest, ANewAlphabetRebuildsTheWordsRaisesTheFlagsAndRegistersToday) {
    start();
    EXPECT_TRUE(window->menuBar()->action(shell::kCmdOptions)->isEnabled());
    PimSync other(rig.windows, rig.device.root());
    ASSERT_TRUE(other.open());
    bool pageSeen = false;
    QTimer::singleShot(0, [&] {
        QWidget* options = QApplication::activeModalWidget();
        ASSERT_NE(qobject_cast<OptionDlg*>(options), nullptr);
        QTimer::singleShot(0, [&] {
            auto* page = qobject_cast<ApABCBarDlg*>(QApplication::activeModalWidget());
            ASSERT_NE(page, nullptr);
            pageSeen = true;
            control<QListWidget>(page, ApABCBarDlg::kListId)->setCurrentRow(2);  // Russian
            tap(control<QPushButton>(page, 105));
        });
        tap(control<QPushButton>(options, OptionDlg::kAbcChangeId));
        tap(control<QCheckBox>(options, OptionDlg::kTodayId));
        tap(control<QPushButton>(options, OptionDlg::kOkId));
    });
    command(shell::kCmdOptions);
    ASSERT_TRUE(pageSeen);
    EXPECT_EQ(other.flag(0), 1) << "index rebuilt";
    EXPECT_EQ(other.flag(1), 1) << "ABC bar";
    EXPECT_EQ(other.flag(2), 1) << "options";
    EXPECT_EQ(other.flag(3), 0) << "the font did not change";
    EXPECT_TRUE(QFile::exists(rig.device.host(QStringLiteral("\\Windows\\KontavoToday.dll")) +
                              QStringLiteral(".registered")));
    EXPECT_EQ(frame().letterGroups().labels().value(0), QStringLiteral("абвг"));
    // The first keypad group now holds а, б, в and г: a tap on it finds
    // Борис, not Dave.
    SmallAbcBar* bar = frame().smallBar();
    const QList<QRect> buttons = bar->currentFit().buttonRects(bar->height());
    ASSERT_EQ(buttons.size(), 9);
    QTest::mouseClick(bar, Qt::LeftButton, {}, buttons[0].center());
    QTest::qWait(20);  // the bar posts its command
    EXPECT_EQ(frame().groups().groups(), QList<int>{0});
    EXPECT_TRUE(QTest::qWaitFor([this] { return frame().list()->selectContact(boris); }, 5000));
    EXPECT_FALSE(frame().list()->selectContact(dave));
}

}  // namespace
}  // namespace kontavo
