// Pop-up menus, message boxes and scroll bars on the emulated screen at 96
// and 192 dpi, driven with real pen events; pictures of what the user sees
// go to screenshots/ui/.
#include "ui/popupmenu.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include "platform/screen.h"
#include "support/screenpicture.h"
#include "ui/messageboxes.h"
#include "ui/screenmessagebox.h"
#include "ui/sharedfonts.h"
#include "ui/shellui.h"

namespace kontavo {
namespace {

// The emulated screen at one DPI: a window of the screen's size standing
// away from the display's corner, with the shell (and so its look) made.
class ScreenRig {
public:
    explicit ScreenRig(int dpi) : m_saved(Screen::current()) {
        Screen::setCurrent(Screen(dpi, dpi));
        m_shell = std::make_unique<ShellUi>();
        window.setFixedSize(m_shell->screenSize());
        window.move(30, 20);
        window.show();
        QApplication::setActiveWindow(&window);
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    ~ScreenRig() {
        m_shell.reset();
        Screen::setCurrent(m_saved);
    }
    QRect screen() const { return {window.mapToGlobal(QPoint(0, 0)), window.size()}; }

    QWidget window;

private:
    Screen m_saved;
    std::unique_ptr<ShellUi> m_shell;
};

QAction* actionNamed(const QMenu& menu, const QString& prefix) {
    for (QAction* action : menu.actions()) {
        if (action->text().startsWith(prefix)) {
            return action;
        }
    }
    return nullptr;
}

// A contact's context menu: its "Send Email" submenu holds addresses far
// wider than the screen, and the menu opens at the screen's right edge.
TEST(PopupMenuTest, MenuAndSubmenuStayOnTheScreenAtBothResolutions) {
    for (const int dpi : {96, 192}) {
        ScreenRig rig(dpi);
        PopupMenu menu(&rig.window);
        menu.addAction(QStringLiteral("Patricia Anderson"))->setEnabled(false);
        PopupMenu* mails = menu.addPopup(QStringLiteral("Send Email"));
        mails->addAction(QStringLiteral("E-mail\tpatricia.anderson@example.com"));
        mails->addAction(QStringLiteral("E-mail 2\tpatricia.anderson93@example.com"));
        menu.addAction(QStringLiteral("Duplicate"));
        menu.addAction(QStringLiteral("Make Appointment..."));
        menu.popup(
            rig.window.mapToGlobal(QPoint(rig.window.width() - 20, rig.window.height() / 3)));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&menu));
        EXPECT_TRUE(rig.screen().contains(menu.geometry())) << dpi << " dpi: " << menu.geometry();

        QAction* send = actionNamed(menu, QStringLiteral("Send Email"));
        ASSERT_NE(send, nullptr);
        QTest::mouseClick(&menu, Qt::LeftButton, {}, menu.actionGeometry(send).center());
        ASSERT_TRUE(QTest::qWaitFor([mails] { return mails->isVisible(); }, 2000));
        EXPECT_TRUE(rig.screen().contains(mails->geometry()))
            << dpi << " dpi: " << mails->geometry() << " on " << rig.screen();
        // The addresses gave up room; the labels are whole.
        const QStringList first = mails->actions()[0]->text().split(u'\t');
        ASSERT_EQ(first.size(), 2);
        EXPECT_EQ(first[0], QStringLiteral("E-mail"));
        EXPECT_TRUE(first[1].endsWith(QStringLiteral("..."))) << first[1].toStdString();
        EXPECT_TRUE(first[1].startsWith(QStringLiteral("patricia"))) << first[1].toStdString();
        // Menus use the program's font at the screen's DPI.
        EXPECT_EQ(mails->font().pixelSize(), standardFont(Screen::current()).pixelSize());
        test::saveScreenPicture(rig.window, QStringLiteral("ui"),
                                QStringLiteral("context-submenu-%1").arg(dpi));
        mails->close();
        menu.close();
    }
}

// Closing and opening again starts from the full texts.
TEST(PopupMenuTest, ShortenedItemsGetTheirFullTextBackWhenRoomAllows) {
    ScreenRig rig(96);
    PopupMenu menu(&rig.window);
    QAction* item =
        menu.addAction(QStringLiteral("Home\t+1 (555) 012-3456 extension 7890 at the desk"));
    menu.fitToScreen();
    EXPECT_TRUE(item->text().endsWith(QStringLiteral("...")));
    EXPECT_LE(menu.sizeHint().width(), rig.screen().width());
    rig.window.setFixedWidth(1000);
    menu.fitToScreen();
    EXPECT_EQ(item->text(), QStringLiteral("Home\t+1 (555) 012-3456 extension 7890 at the desk"));
}

TEST(ScreenMessageBoxTest, LongTextWrapsToTheScreenAndTheButtonsStayOnIt) {
    const QString text = QStringLiteral("Selected contacts will be permanently deleted. Continue?");
    for (const int dpi : {96, 192}) {
        ScreenRig rig(dpi);
        ScreenMessageBox box(&rig.window, text, QStringLiteral("Contacts"),
                             MessageBoxes::Icon::Warning, ScreenMessageBox::Buttons::YesNo);
        box.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
        EXPECT_TRUE(rig.screen().contains(box.geometry())) << dpi << " dpi: " << box.geometry();
        const QFontMetrics metrics(box.textLabel()->font());
        EXPECT_GT(box.textLabel()->height(), metrics.height()) << "the text wraps";
        ASSERT_EQ(box.buttons().size(), 2);
        for (QPushButton* button : box.buttons()) {
            const QRect global(button->mapToGlobal(QPoint(0, 0)), button->size());
            EXPECT_TRUE(rig.screen().contains(global)) << dpi << " dpi: " << global;
        }
        EXPECT_EQ(box.textLabel()->font().pixelSize(), standardFont(Screen::current()).pixelSize());
        test::saveScreenPicture(rig.window, QStringLiteral("ui"),
                                QStringLiteral("message-box-%1").arg(dpi));
        QTest::mouseClick(box.buttons()[1], Qt::LeftButton);
        EXPECT_EQ(box.result(), QDialog::Rejected);
    }
}

TEST(ScreenMessageBoxTest, AskingAnswersYesOnlyForYes) {
    ScreenRig rig(96);
    for (const int answer : {0, 1}) {
        QTimer::singleShot(0, [answer] {
            auto* box = qobject_cast<ScreenMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            QTest::mouseClick(box->buttons()[answer], Qt::LeftButton);
        });
        const bool yes = MessageBoxes::onScreen().askYesNo(&rig.window, QStringLiteral("Continue?"),
                                                           QStringLiteral("Contacts"),
                                                           MessageBoxes::Icon::Warning);
        EXPECT_EQ(yes, answer == 0);
    }
}

// The dark pixels of the scroll bar's top button, as a bounding box.
QRect arrowInTopButton(QScrollBar& bar) {
    const QImage picture = bar.grab().toImage();
    QRect box;
    for (int y = 0; y < bar.width(); ++y) {
        for (int x = 2; x < bar.width() - 2; ++x) {
            if (qGray(picture.pixel(x, y)) < 128) {
                box |= QRect(x, y, 1, 1);
            }
        }
    }
    return box;
}

TEST(ScreenStyleTest, ScrollBarArrowsGrowWithTheScreen) {
    for (const int dpi : {96, 192}) {
        ScreenRig rig(dpi);
        QScrollBar bar(Qt::Vertical, &rig.window);
        bar.setRange(0, 100);
        bar.setGeometry(0, 0, Screen::current().scaleX(13), Screen::current().scaleY(200));
        bar.show();
        const QRect arrow = arrowInTopButton(bar);
        ASSERT_FALSE(arrow.isEmpty()) << dpi;
        // The arrow spans a third of the bar's width or more, at any DPI.
        EXPECT_GE(arrow.width() * 3, bar.width()) << dpi << " dpi: arrow " << arrow;
        test::saveScreenPicture(rig.window, QStringLiteral("ui"),
                                QStringLiteral("scrollbar-%1").arg(dpi));
    }
}

}  // namespace
}  // namespace kontavo
