#include "comm/dialcountdown.h"

#include "diag/resources.h"

namespace kontavo {

DialCountdown::DialCountdown(QString number, int totalMs, int tickMs)
    : m_number(std::move(number)), m_remainingMs(totalMs), m_tickMs(tickMs) {}

QString DialCountdown::dialingMessage(const QString& number) {
    return loadString(kDialingString) + u'\n' + number;
}

QString DialCountdown::waitingText() const {
    QString text = loadString(kWaitingString);
    text.replace(QStringLiteral("%i"), QString::number(m_remainingMs / 1000));
    if (!m_number.isEmpty()) {
        text += u'\n' + m_number;
    }
    return text;
}

void DialCountdown::open(bool timerStarted) {
    m_text = timerStarted ? waitingText() : dialingMessage(m_number);
}

DialCountdown::Action DialCountdown::tick() {
    if (m_phase != Phase::Waiting && m_phase != Phase::Dialing) {
        return Action::None;
    }
    m_remainingMs -= m_tickMs;
    if (m_remainingMs > 0) {
        m_text = waitingText();
        return Action::None;
    }
    if (m_remainingMs == 0) {
        m_phase = Phase::Dialing;
        m_cancelVisible = false;
        m_text = dialingMessage(m_number);
        m_remainingMs = -m_tickMs;
        return Action::None;
    }
    m_phase = Phase::Playing;
    return Action::PlayAndClose;
}

void DialCountdown::cancel() {
    if (m_phase == Phase::Waiting || (m_phase == Phase::Dialing && m_cancelVisible)) {
        m_phase = Phase::Closed;
    }
}

}  // namespace kontavo
