#pragma once

#include <QTimer>
#include <functional>

#include "comm/dialcountdown.h"
#include "platform/screen.h"
#include "ui/dialogbase.h"

class QLabel;
class QPushButton;

namespace kontavo {

// The countdown window shown before a number is played as touch tones
// (dialog 216): a centred text (control 1018) and a "Cancel" button (1009)
// at the bottom-right corner inside the margin. It follows a DialCountdown
// on a 1000 ms timer; when the countdown says so it plays the number
// through `play` (while still shown) and closes. It always ends with result
// 1. Key presses already queued when it opens are dropped, so that a key
// held while choosing the number cannot cancel the call. Esc acts as
// "Cancel" while "Cancel" is shown. UI thread only.
class InfoProcessDlg final : public DialogBase {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 216;
    static constexpr int kTextId = 1018;
    static constexpr int kCancelId = 1009;
    static constexpr int kCancelString = 106;

    // `play` plays the number (not called for an empty one).
    InfoProcessDlg(const QString& number, std::function<void(const QString&)> play, QWidget* owner,
                   const Screen& screen = Screen::current());

    const DialCountdown& countdown() const { return m_countdown; }
    QLabel* textLabel() const { return m_text; }
    QPushButton* cancelButton() const { return m_cancel; }
    QTimer& timer() { return m_timer; }

    // One tick of the timer (the timer calls it; tests may too).
    void tick();

public slots:
    void reject() override;

protected:
    bool onInitDialog() override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void sync();
    void place();
    void dropQueuedKeys();

    DialCountdown m_countdown;
    std::function<void(const QString&)> m_play;
    Screen m_screen;
    QLabel* m_text;
    QPushButton* m_cancel;
    QTimer m_timer;
    bool m_dropKeys = false;
};

}  // namespace kontavo
