#include "ui/sippanel.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

#include "platform/screen.h"
#include "ui/menubar.h"
#include "ui/shellui.h"

namespace kontavo {
namespace {

// A screen with a line edit, the SIP panel and a menu bar, like the main
// window's.
class SipPanelTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_screen.setFixedSize(m_shell.screenSize());
        m_edit = new QLineEdit(&m_screen);
        m_edit->setGeometry(10, 10, 200, 20);
        m_panel = new SipPanel(m_shell, &m_screen);
        m_panel->setSlideDuration(0);
        m_bar = new MenuBar(MenuResource(), m_shell, &m_screen);
        m_screen.show();
        QApplication::setActiveWindow(&m_screen);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&m_screen));
        m_edit->setFocus();
    }
    void TearDown() override { m_shell.setSipUp(false); }

    void tap(const QString& key) {
        const std::optional<int> index = m_panel->findKey(key);
        ASSERT_TRUE(index) << key.toStdString();
        QTest::mouseClick(m_panel, Qt::LeftButton, Qt::NoModifier, m_panel->keyCenter(*index));
    }

    ShellUi m_shell;
    QWidget m_screen;
    QLineEdit* m_edit = nullptr;
    SipPanel* m_panel = nullptr;
    MenuBar* m_bar = nullptr;
};

TEST_F(SipPanelTest, TheSipButtonRaisesTheKeyboardAboveTheMenuBar) {
    EXPECT_FALSE(m_panel->isVisible());
    QTest::mouseClick(m_bar->sipButton(), Qt::LeftButton);
    EXPECT_TRUE(m_shell.isSipUp());
    EXPECT_TRUE(m_panel->isVisible());
    EXPECT_EQ(m_panel->geometry().bottom() + 1, m_bar->geometry().top());
    EXPECT_EQ(m_panel->height(), 80);
    QTest::mouseClick(m_bar->sipButton(), Qt::LeftButton);
    EXPECT_FALSE(m_shell.isSipUp());
    EXPECT_FALSE(m_panel->isVisible());
}

TEST_F(SipPanelTest, TappingKeysTypesIntoTheFocusedEditAndKeepsItsFocus) {
    m_shell.setSipUp(true);
    tap(QStringLiteral("h"));
    tap(QStringLiteral("i"));
    tap(QStringLiteral("1"));
    EXPECT_EQ(m_edit->text(), QStringLiteral("hi1"));
    EXPECT_TRUE(m_edit->hasFocus());
    const auto backspace = [this] {
        for (int i = 0; i < m_panel->layout().keys().size(); ++i) {
            if (m_panel->layout().keys()[i].kind == SipKey::Kind::Backspace) {
                return i;
            }
        }
        return -1;
    }();
    QTest::mouseClick(m_panel, Qt::LeftButton, Qt::NoModifier, m_panel->keyCenter(backspace));
    EXPECT_EQ(m_edit->text(), QStringLiteral("hi"));
}

TEST_F(SipPanelTest, APenThatSlidesOffTheKeyTypesNothing) {
    m_shell.setSipUp(true);
    const QPoint a = m_panel->keyCenter(*m_panel->findKey(QStringLiteral("a")));
    const QPoint s = m_panel->keyCenter(*m_panel->findKey(QStringLiteral("s")));
    QTest::mousePress(m_panel, Qt::LeftButton, Qt::NoModifier, a);
    QTest::mouseRelease(m_panel, Qt::LeftButton, Qt::NoModifier, s);
    EXPECT_TRUE(m_edit->text().isEmpty());
}

TEST_F(SipPanelTest, TheKeyboardSlidesUpWhenAnimated) {
    m_panel->setSlideDuration(40);
    m_shell.setSipUp(true);
    EXPECT_TRUE(m_panel->isSliding());
    QTRY_VERIFY(!m_panel->isSliding());
    EXPECT_EQ(m_panel->geometry(), m_shell.sipRect());
    m_shell.setSipUp(false);
    QTRY_VERIFY(!m_panel->isVisible());
}

TEST(SipGeometryTest, VisibleDesktopEndsAtTheSipTop) {
    ShellUi shell;
    const Screen saved = Screen::current();
    for (const int dpi : {96, 192}) {
        Screen::setCurrent(Screen(dpi, dpi));
        const int scale = dpi / 96;
        EXPECT_EQ(shell.screenSize(), QSize(240 * scale, 320 * scale));
        EXPECT_EQ(shell.menuBarHeight(), 26 * scale);
        EXPECT_EQ(shell.visibleDesktop(), QRect(0, 0, 240 * scale, 320 * scale));
        shell.setSipUp(true);
        EXPECT_EQ(shell.sipRect(), QRect(0, (320 - 26 - 80) * scale, 240 * scale, 80 * scale));
        EXPECT_EQ(shell.visibleDesktop().bottom() + 1, shell.sipRect().top());
        shell.setSipUp(false);
    }
    Screen::setCurrent(saved);
}

}  // namespace
}  // namespace kontavo
