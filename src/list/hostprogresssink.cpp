#include "list/hostprogresssink.h"

#include "ui/framehost.h"

namespace kontavo {

HostProgressSink::~HostProgressSink() {
    close();
}

void HostProgressSink::show() {
    if (!m_shown) {
        m_host.createProgress();
        if (!m_title.isEmpty()) {
            m_host.setProgressTitle(m_title);
        }
        m_shown = true;
    }
    m_host.setProgressRange(m_low, m_high);
    m_host.setProgressStep(m_step);
    if (!m_text.isEmpty()) {
        m_host.setProgressText(m_text);
    }
}

void HostProgressSink::setRange(int low, int high) {
    m_low = low;
    m_high = high;
    if (m_shown) {
        m_host.setProgressRange(low, high);
    }
}

void HostProgressSink::setStep(int step) {
    m_step = step;
    if (m_shown) {
        m_host.setProgressStep(step);
    }
}

void HostProgressSink::setText(const QString& text) {
    m_text = text;
    if (m_shown) {
        m_host.setProgressText(text);
    }
}

void HostProgressSink::stepOnce() {
    if (m_shown) {
        m_host.stepProgress();
    }
}

void HostProgressSink::close() {
    if (m_shown) {
        m_shown = false;
        m_host.closeProgress();
    }
}

}  // namespace kontavo
