#pragma once

#include <QString>

namespace kontavo {

// The countdown before a number is played as touch tones (the logic of
// InfoProcessDlg): "Waiting for 3 seconds..." with the number, then 2 and 1,
// then "Dialing..." with "Cancel" hidden for one more tick, then the tones
// and the window closes. "Cancel" while waiting closes it with nothing
// played. When the window's timer cannot be started it shows the dialing
// message and waits for "Cancel". A plain value driven by the window.
class DialCountdown {
public:
    static constexpr int kWaitingString = 41216;  // "Waiting for %i seconds..."
    static constexpr int kDialingString = 41210;  // "Dialing..."
    static constexpr int kTotalMs = 3000;
    static constexpr int kTickMs = 1000;

    enum class Phase { Waiting, Dialing, Playing, Closed };
    // What the window does after a tick.
    enum class Action { None, PlayAndClose };

    explicit DialCountdown(QString number, int totalMs = kTotalMs, int tickMs = kTickMs);

    // "Dialing...", a line feed and the number.
    static QString dialingMessage(const QString& number);

    // The window opened; `timerStarted` tells whether its tick timer runs.
    void open(bool timerStarted);
    // One tick of the timer.
    Action tick();
    // "Cancel": nothing will be played.
    void cancel();
    // The tones were played (or there were none): the window closes.
    void played() { m_phase = Phase::Closed; }

    Phase phase() const { return m_phase; }
    const QString& text() const { return m_text; }
    bool isCancelVisible() const { return m_cancelVisible; }
    int remainingMs() const { return m_remainingMs; }
    const QString& number() const { return m_number; }

private:
    QString waitingText() const;

    QString m_number;
    int m_remainingMs;
    int m_tickMs;
    Phase m_phase = Phase::Waiting;
    QString m_text;
    bool m_cancelVisible = true;
};

}  // namespace kontavo
