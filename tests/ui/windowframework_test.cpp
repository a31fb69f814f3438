#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include "ui/appframe.h"
#include "ui/dialogbase.h"
#include "ui/menubar.h"
#include "ui/shellui.h"
#include "ui/windowtext.h"
#include "ui/wndmessages.h"

namespace kontavo {
namespace {

// A frame that writes down which of its operations ran, in order.
class TracingFrame : public AppFrame {
public:
    explicit TracingFrame(bool createOk = true)
        : AppFrame(QStringLiteral("TRACING.FRAME")), m_createOk(createOk) {}
    bool onCreate() override {
        trace << QStringLiteral("create");
        return m_createOk;
    }
    void onCommand(int code, int id, QObject* control) override {
        trace << QStringLiteral("command %1 %2 %3").arg(code).arg(id).arg(control != nullptr);
    }
    void onShow() override { trace << QStringLiteral("show"); }
    void onHide() override { trace << QStringLiteral("hide"); }
    QStringList trace;

private:
    bool m_createOk;
};

TEST(AppFrameTest, CreationShowingHidingAndCommandsReachTheirOperations) {
    QWidget parent;
    parent.resize(240, 320);
    parent.show();
    TracingFrame frame;
    ASSERT_TRUE(frame.create(&parent, QRect(0, 0, 240, 294)));
    EXPECT_EQ(frame.parentWidget(), &parent);
    EXPECT_FALSE(frame.isVisible());  // created hidden
    frame.showFrame();
    frame.showFrame();  // already shown: no second onShow
    frame.hideFrame();
    QLabel control;
    sendWindowMessage(&frame, {wm::kCommand, wm::makeLong(41209, 3), 0}, &control);
    EXPECT_EQ(frame.trace,
              (QStringList{QStringLiteral("create"), QStringLiteral("show"), QStringLiteral("hide"),
                           QStringLiteral("command 3 41209 1")}));
    EXPECT_EQ(frame.geometry(), QRect(0, 0, 240, 294));
    EXPECT_FALSE(frame.handleCommand(41209, 0));
}

TEST(AppFrameTest, FailedCreationLeavesNoWindow) {
    QWidget parent;
    TracingFrame frame(false);
    EXPECT_FALSE(frame.create(&parent, QRect(0, 0, 10, 10)));
    EXPECT_FALSE(frame.isCreated());
    EXPECT_EQ(frame.parentWidget(), nullptr);
}

class PlainDialog : public DialogBase {
public:
    PlainDialog(bool fullScreen, bool initOk = true)
        : DialogBase(500, fullScreen), m_initOk(initOk) {}
    QStringList trace;

protected:
    bool onInitDialog() override {
        trace << QStringLiteral("init");
        return m_initOk;
    }
    void onSettingChange(uint32_t code, uint32_t) override {
        trace << QStringLiteral("setting %1").arg(code);
    }
    void onCommand(int, int id, QObject*) override {
        trace << QStringLiteral("command %1").arg(id);
        done(id);
    }

private:
    bool m_initOk;
};

TEST(DialogBaseTest, FullScreenDialogFollowsTheSip) {
    ShellUi shell;
    PlainDialog dialog(true);
    ASSERT_NE(dialog.createMenuBar(0), nullptr);
    dialog.createModeless();
    EXPECT_EQ(dialog.size(), QSize(240, 320));
    // SIP down: everything above the menu bar.
    EXPECT_EQ(dialog.body()->geometry(), QRect(0, 0, 240, 294));
    EXPECT_EQ(dialog.menuBar()->geometry(), QRect(0, 294, 240, 26));
    shell.setSipUp(true);
    EXPECT_EQ(dialog.body()->geometry(), QRect(0, 0, 240, 214));
    shell.setSipUp(false);
    EXPECT_EQ(dialog.body()->geometry(), QRect(0, 0, 240, 294));
    EXPECT_EQ(dialog.trace, (QStringList{QStringLiteral("init"), QStringLiteral("setting 224"),
                                         QStringLiteral("setting 224")}));
}

TEST(DialogBaseTest, ModalDialogEndsWithItsResultAndMenuCommandsReachIt) {
    ShellUi shell;
    PlainDialog dialog(true);
    dialog.createMenuBar(0);
    QTimer::singleShot(0, &dialog, [&dialog] {
        sendWindowMessage(&dialog, {wm::kCommand, wm::makeLong(7, 0), 0});
    });
    EXPECT_EQ(dialog.doModal(), 7);
    EXPECT_EQ(dialog.trace.last(), QStringLiteral("command 7"));
    PlainDialog refused(false, false);
    EXPECT_EQ(refused.doModal(), QDialog::Rejected);
    EXPECT_EQ(dialog.createMenuBar(999999), nullptr);  // no such menu
    EXPECT_EQ(dialog.menuBar(), nullptr);
}

TEST(WindowTextTest, ReadsTheTextOfAnyKindOfWindow) {
    QLineEdit edit(QStringLiteral("edit text"));
    QLabel label(QStringLiteral("label"));
    QWidget plain;
    plain.setWindowTitle(QStringLiteral("title"));
    EXPECT_EQ(windowText(&edit), QStringLiteral("edit text"));
    EXPECT_EQ(windowText(&label), QStringLiteral("label"));
    EXPECT_EQ(windowText(&plain), QStringLiteral("title"));
    EXPECT_TRUE(windowText(nullptr).isEmpty());
}

// A window that writes down the messages that reach it.
class Recorder : public QWidget, public MessageWindow {
public:
    int32_t windowProc(const WindowMessage& message, QObject*) override {
        messages.append(message);
        return 0;
    }
    bool event(QEvent* event) override {
        return routeMessageEvent(event, *this) || QWidget::event(event);
    }
    QList<WindowMessage> messages;
};

TEST(ShellUiTest, TalkKeyReachesTheOwnerOnlyWhileTaken) {
    ShellUi shell;
    Recorder owner;
    QLineEdit* edit = new QLineEdit(&owner);
    owner.show();
    QApplication::setActiveWindow(&owner);
    EXPECT_EQ(shell.overrideKey(&owner, 114, 0x30003), 0u);
    QTest::keyClick(edit, Qt::Key_F3);
    QTRY_COMPARE(owner.messages.size(), 1);
    EXPECT_EQ(owner.messages[0].id, wm::kHotKey);
    EXPECT_EQ(wm::hiWord(owner.messages[0].lParam), 114u);
    EXPECT_EQ(shell.overrideKey(&owner, 114, wm::makeLong(3, 0)), 3u);
    QTest::keyClick(edit, Qt::Key_F3);
    QTest::qWait(20);
    EXPECT_EQ(owner.messages.size(), 1);
}

TEST(ShellUiTest, AcceleratorsSendCommandsToTheirWindow) {
    ShellUi shell;
    Recorder window;
    QLineEdit* edit = new QLineEdit(&window);
    shell.setAccelerators(&window, *AcceleratorTable::parse("\"Q\", 1, VIRTKEY, CONTROL"));
    QTest::keyClick(edit, Qt::Key_Q, Qt::ControlModifier);
    ASSERT_EQ(window.messages.size(), 1);
    EXPECT_EQ(window.messages[0], (WindowMessage{wm::kCommand, wm::makeLong(1, 1), 0}));
    QTest::keyClick(edit, Qt::Key_Q);
    EXPECT_EQ(edit->text(), QStringLiteral("q"));
    QLineEdit elsewhere;
    QTest::keyClick(&elsewhere, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(window.messages.size(), 1);
}

}  // namespace
}  // namespace kontavo
