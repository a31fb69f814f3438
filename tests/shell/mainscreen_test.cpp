// The main window as a user meets it at 96 and 192 dpi: the menu bar's
// menus and submenus, the progress window and the keyboard button, driven
// by pen events. Pictures go to screenshots/shell/.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QTest>
#include <QToolButton>

#include "platform/screen.h"
#include "shell/progresswnd.h"
#include "shelltestsupport.h"
#include "support/screenpicture.h"
#include "ui/menubar.h"
#include "ui/sharedfonts.h"

namespace kontavo {
namespace {

class MainScreenTest : public ::testing::TestWithParam<int> {
protected:
    MainScreenTest() : m_saved(Screen::current()) {
        Screen::setCurrent(Screen(GetParam(), GetParam()));
        m_rig = std::make_unique<test::MainWindowRig>();
    }
    ~MainScreenTest() override {
        m_window.reset();
        m_rig.reset();
        Screen::setCurrent(m_saved);
    }
    MainWndFrame& start(bool activate = true) {
        m_window = m_rig->makeWindow(m_rig->services());
        EXPECT_TRUE(m_window->create());
        m_window->move(20, 10);
        m_window->show();
        if (activate) {
            QApplication::setActiveWindow(m_window.get());
            EXPECT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
        }
        return *m_window;
    }
    QRect screen() const { return {m_window->mapToGlobal(QPoint(0, 0)), m_window->size()}; }
    QString picture(const QString& what) const {
        return QStringLiteral("%1-%2").arg(what).arg(GetParam());
    }
    // Opens the menu of the menu bar's button `button`, then the submenu
    // `title` in it, by pen; the submenu, or null when it did not open.
    QMenu* openSubmenu(int button, const QString& title) {
        MenuBar* bar = m_window->menuBar();
        QTest::mouseClick(bar->buttons()[button], Qt::LeftButton);
        QMenu* menu = bar->popupOf(button);
        if (!QTest::qWaitFor([menu] { return menu->isVisible(); }, 2000)) {
            return nullptr;
        }
        for (QAction* action : menu->actions()) {
            if (action->text() == title) {
                QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
                QMenu* sub = action->menu();
                return QTest::qWaitFor([sub] { return sub->isVisible(); }, 2000) ? sub : nullptr;
            }
        }
        return nullptr;
    }

    Screen m_saved;
    std::unique_ptr<test::MainWindowRig> m_rig;
    std::unique_ptr<MainWndFrame> m_window;
};

// Tools > File and View > Sort By open at the screen's right edge: they go
// left or over their menu instead of off the screen, in the screen's font.
TEST_P(MainScreenTest, MenuBarSubmenusStayOnTheScreen) {
    start();
    const struct {
        int button;
        const char* submenu;
        const char* name;
    } cases[] = {{1, "File", "tools-file"}, {2, "Sort By", "view-sortby"}};
    for (const auto& c : cases) {
        QMenu* sub = openSubmenu(c.button, QString::fromLatin1(c.submenu));
        ASSERT_NE(sub, nullptr) << c.submenu;
        QMenu* menu = m_window->menuBar()->popupOf(c.button);
        EXPECT_TRUE(screen().contains(menu->geometry())) << menu->geometry() << " on " << screen();
        EXPECT_TRUE(screen().contains(sub->geometry())) << sub->geometry() << " on " << screen();
        EXPECT_EQ(menu->font().pixelSize(), standardFont(Screen::current()).pixelSize());
        EXPECT_EQ(sub->font().pixelSize(), standardFont(Screen::current()).pixelSize());
        test::saveScreenPicture(*m_window, QStringLiteral("shell"),
                                picture(QString::fromLatin1(c.name)));
        sub->close();
        menu->close();
    }
}

// The reindex progress is a framed dialog: a caption bar with the title,
// the text only when it says more than the title, and the bar.
TEST_P(MainScreenTest, ProgressWindowIsAFramedDialogWithItsCaption) {
    MainWndFrame& window = start();
    window.createProgress();
    ProgressWnd* progress = window.progress();
    ASSERT_NE(progress, nullptr);
    window.setProgressText(QStringLiteral("Reindex database"));
    EXPECT_FALSE(progress->showsText()) << "the title is not said twice";
    window.stepProgress();
    EXPECT_EQ(progress->frameShape(), QFrame::Box);
    EXPECT_TRUE(QRect(QPoint(0, 0), window.clientRect().size()).contains(progress->geometry()));
    const QImage shown =
        test::saveScreenPicture(window, QStringLiteral("shell"), picture("progress"));
    const QPoint corner = progress->mapTo(&window, QPoint(0, 0));
    EXPECT_LT(qGray(shown.pixel(corner + QPoint(progress->width() / 2, 0))), 128) << "its frame";
    const QLabel* caption = progress->findChild<QLabel*>(QStringLiteral("ProgressCaption"));
    ASSERT_NE(caption, nullptr);
    const QPoint inCaption = caption->mapTo(&window, QPoint(caption->width() - 3, 3));
    EXPECT_EQ(QColor(shown.pixel(inCaption)), QColor(0x31, 0x6A, 0xC5)) << "the caption bar";

    window.setProgressText(QStringLiteral("Contacts 1 to 500"));
    EXPECT_TRUE(progress->showsText());
    test::saveScreenPicture(window, QStringLiteral("shell"), picture("progress-text"));
    window.closeProgress();
}

// A tap on the keyboard button before the window was first activated: the
// activation that follows leaves the keyboard up.
TEST_P(MainScreenTest, KeyboardButtonRaisesTheSipAtTheFirstTap) {
    MainWndFrame& window = start(false);
    ASSERT_FALSE(window.isWindowActive());
    QTest::mouseClick(window.menuBar()->sipButton(), Qt::LeftButton);
    ASSERT_TRUE(m_rig->shell.isSipUp());
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::qWait(20);
    EXPECT_TRUE(window.isWindowActive());
    EXPECT_TRUE(m_rig->shell.isSipUp());
    EXPECT_TRUE(window.sipTop().has_value());
}

INSTANTIATE_TEST_SUITE_P(BothResolutions, MainScreenTest, ::testing::Values(96, 192));

}  // namespace
}  // namespace kontavo
