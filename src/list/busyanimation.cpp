#include "list/busyanimation.h"

namespace kontavo {

void BusyAnimation::start(qint64 now) {
    m_running = true;
    m_frame = 0;
    m_lastStep = now;
}

bool BusyAnimation::step(qint64 now) {
    if (!m_running || now - m_lastStep < kStepMs) {
        return false;
    }
    m_frame = (m_frame + 1) % kFrames;
    m_lastStep = now;
    return true;
}

}  // namespace kontavo
