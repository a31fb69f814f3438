#include "store/index/progressmeter.h"

#include <algorithm>

#include "store/contacts/progresssink.h"

namespace kontavo {

ProgressMeter::ProgressMeter(ProgressSink* sink, const QString& text, int steps)
    : m_sink(sink), m_steps(std::max(steps, 1)) {
    if (m_sink != nullptr) {
        m_sink->setText(text);
        m_sink->setRange(0, m_steps);
        m_sink->setStep(1);
        m_sink->show();
    }
}

ProgressMeter::~ProgressMeter() {
    if (m_sink != nullptr) {
        m_sink->close();
    }
}

void ProgressMeter::reach(int64_t done, int64_t total) {
    const int64_t target =
        total <= 0 ? m_steps : std::min<int64_t>(m_steps, done * m_steps / total);
    while (m_reached < target) {
        step();
    }
}

void ProgressMeter::step() {
    if (m_reached >= m_steps) {
        return;
    }
    ++m_reached;
    if (m_sink != nullptr) {
        m_sink->stepOnce();
    }
}

}  // namespace kontavo
