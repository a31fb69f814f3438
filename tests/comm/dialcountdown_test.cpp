// The countdown before touch tones: its states, and the window driven by
// real pen and key events.
#include "comm/dialcountdown.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "comm/infoprocessdlg.h"
#include "ui/sharedfonts.h"

namespace kontavo {
namespace {

using Phase = DialCountdown::Phase;
using Action = DialCountdown::Action;

TEST(DialCountdownTest, CountsThreeTwoOneThenDialsOnTheNextTick) {
    DialCountdown countdown(QStringLiteral("555-1234"));
    countdown.open(true);
    EXPECT_EQ(countdown.text(), "Waiting for 3 seconds...\n555-1234");
    EXPECT_EQ(countdown.tick(), Action::None);
    EXPECT_EQ(countdown.text(), "Waiting for 2 seconds...\n555-1234");
    EXPECT_EQ(countdown.tick(), Action::None);
    EXPECT_EQ(countdown.text(), "Waiting for 1 seconds...\n555-1234");
    EXPECT_TRUE(countdown.isCancelVisible());
    EXPECT_EQ(countdown.tick(), Action::None);
    EXPECT_EQ(countdown.phase(), Phase::Dialing);
    EXPECT_EQ(countdown.text(), "Dialing...\n555-1234");
    EXPECT_FALSE(countdown.isCancelVisible());
    EXPECT_EQ(countdown.remainingMs(), -1000);
    countdown.cancel();
    EXPECT_EQ(countdown.phase(), Phase::Dialing) << "Cancel is hidden while dialing";
    EXPECT_EQ(countdown.tick(), Action::PlayAndClose);
    EXPECT_EQ(countdown.phase(), Phase::Playing);
    countdown.played();
    EXPECT_EQ(countdown.tick(), Action::None) << "a closed window does nothing";
}

TEST(DialCountdownTest, CancelWhileWaitingClosesWithNothingPlayed) {
    DialCountdown countdown(QStringLiteral("1"));
    countdown.open(true);
    countdown.tick();
    countdown.cancel();
    EXPECT_EQ(countdown.phase(), Phase::Closed);
    EXPECT_EQ(countdown.tick(), Action::None);
}

TEST(DialCountdownTest, AnEmptyNumberStillShowsTheCountdownAndTheDialingMessage) {
    DialCountdown countdown{QString()};
    countdown.open(true);
    EXPECT_EQ(countdown.text(), "Waiting for 3 seconds...") << "no line feed without a number";
    countdown.tick();
    countdown.tick();
    countdown.tick();
    EXPECT_EQ(countdown.text(), "Dialing...\n");
}

TEST(DialCountdownTest, WithoutATimerItShowsTheDialingMessageAndWaitsForCancel) {
    DialCountdown countdown(QStringLiteral("12"));
    countdown.open(false);
    EXPECT_EQ(countdown.text(), "Dialing...\n12");
    EXPECT_TRUE(countdown.isCancelVisible());
    countdown.cancel();
    EXPECT_EQ(countdown.phase(), Phase::Closed);
}

// The window over a 240x320 (or 480x640) main window.
class InfoProcessDlgTest : public ::testing::TestWithParam<int> {
protected:
    InfoProcessDlgTest() : screen(GetParam(), GetParam()) {
        SharedFonts::setCurrent(SharedFonts{tahomaFont(screen.pointsToPixels(8)),
                                            tahomaFont(screen.pointsToPixels(8)),
                                            tahomaFont(screen.pointsToPixels(8), true)});
        owner.resize(screen.scaleX(240), screen.scaleY(320));
        owner.show();
    }
    ~InfoProcessDlgTest() override { SharedFonts::release(); }

    // Runs the window; `during` is called once it shows.
    int run(InfoProcessDlg& dialog, const std::function<void()>& during) {
        QTimer::singleShot(0, &dialog, during);
        return dialog.doModal();
    }
    void save(QWidget& widget, const QString& name) {
        const QString folder = QStringLiteral(KONTAVO_BIN_DIR "/../screenshots/comm");
        QDir().mkpath(folder);
        widget.grab().save(folder + QStringLiteral("/%1-%2.png").arg(name).arg(GetParam()));
    }

    Screen screen;
    QWidget owner;
    QStringList played;
};

TEST_P(InfoProcessDlgTest, TicksCountDownThenTheNumberIsPlayedAndTheWindowCloses) {
    InfoProcessDlg dialog(
        QStringLiteral("+1 (555) 12,3"), [this](const QString& n) { played.append(n); }, &owner,
        screen);
    QStringList texts;
    const int result = run(dialog, [&] {
        save(dialog, QStringLiteral("countdown-waiting"));
        texts.append(dialog.textLabel()->text());
        for (int i = 0; i < 3; ++i) {
            dialog.tick();
            texts.append(dialog.textLabel()->text());
        }
        EXPECT_FALSE(dialog.cancelButton()->isVisible());
        save(dialog, QStringLiteral("countdown-dialing"));
        EXPECT_TRUE(played.isEmpty());
        dialog.tick();
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(texts, QStringList({"Waiting for 3 seconds...\n+1 (555) 12,3",
                                  "Waiting for 2 seconds...\n+1 (555) 12,3",
                                  "Waiting for 1 seconds...\n+1 (555) 12,3",
                                  "Dialing...\n+1 (555) 12,3"}));
    EXPECT_EQ(played, QStringList{"+1 (555) 12,3"});
}

TEST_P(InfoProcessDlgTest, TappingCancelClosesWithoutPlaying) {
    InfoProcessDlg dialog(
        QStringLiteral("555"), [this](const QString& n) { played.append(n); }, &owner, screen);
    const int result = run(dialog, [&] {
        dialog.tick();
        QTest::mouseClick(dialog.cancelButton(), Qt::LeftButton);
    });
    EXPECT_EQ(result, 1);
    EXPECT_FALSE(dialog.timer().isActive());
    EXPECT_TRUE(played.isEmpty());
}

TEST_P(InfoProcessDlgTest, KeysQueuedBeforeItOpensAreDroppedButEscCancelsLater) {
    InfoProcessDlg dialog(
        QStringLiteral("555"), [this](const QString& n) { played.append(n); }, &owner, screen);
    // An Esc already waiting in the queue (a key held while the number was
    // chosen) must not cancel the call.
    QCoreApplication::postEvent(&dialog,
                                new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
    bool stillOpen = false;
    const int result = run(dialog, [&] {
        QCoreApplication::processEvents();
        stillOpen = dialog.isVisible() && dialog.countdown().phase() == Phase::Waiting;
        QTest::keyClick(&dialog, Qt::Key_Escape);
    });
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(result, 1);
    EXPECT_EQ(dialog.countdown().phase(), Phase::Closed);
    EXPECT_TRUE(played.isEmpty());
}

TEST_P(InfoProcessDlgTest, CancelSitsInTheBottomRightCornerAndTheWindowFitsTheScreen) {
    InfoProcessDlg dialog(QStringLiteral("555"), {}, &owner, screen);
    run(dialog, [&] {
        const QRect button = dialog.cancelButton()->geometry();
        const int margin = screen.scaleX(6);
        EXPECT_EQ(button.right(), dialog.width() - 1 - margin);
        EXPECT_EQ(button.bottom(), dialog.height() - 1 - screen.scaleY(6));
        EXPECT_LE(dialog.width(), screen.scaleX(240));
        EXPECT_LE(dialog.height(), screen.scaleY(320));
        EXPECT_TRUE(owner.geometry().contains(dialog.geometry()));
        const QRect text = dialog.textLabel()->geometry();
        EXPECT_FALSE(text.intersects(button));
        EXPECT_GE(text.height(), dialog.textLabel()->heightForWidth(text.width()))
            << "two lines of text fit";
        dialog.reject();
    });
}

INSTANTIATE_TEST_SUITE_P(Dpi, InfoProcessDlgTest, ::testing::Values(96, 192));

}  // namespace
}  // namespace kontavo
