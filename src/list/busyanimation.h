#pragma once

#include <QtGlobal>

namespace kontavo {

// The search field's busy animation during a long refill: four frames
// (0, 1, 2, 3, 0, ...) advanced at most once every 250 ms. Times are
// milliseconds of a monotonic clock the caller provides.
class BusyAnimation {
public:
    static constexpr int kFrames = 4;
    static constexpr int kStepMs = 250;

    void start(qint64 now);
    // Advances the frame when 250 ms have passed since the last step;
    // returns whether it did.
    bool step(qint64 now);
    void end() { m_running = false; }

    bool isRunning() const { return m_running; }
    int frame() const { return m_frame; }

private:
    bool m_running = false;
    int m_frame = 0;
    qint64 m_lastStep = 0;
};

}  // namespace kontavo
