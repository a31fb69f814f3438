#pragma once

#include <QString>
#include <cstdint>

namespace kontavo {

class ProgressSink;

// Drives a progress display through `steps` equal steps for one long piece
// of work: shows it with `text` and the range 0..steps when created, steps it
// as the work advances, and closes it when destroyed. A null sink shows
// nothing. UI thread only.
class ProgressMeter {
public:
    ProgressMeter(ProgressSink* sink, const QString& text, int steps);
    ~ProgressMeter();
    ProgressMeter(const ProgressMeter&) = delete;
    ProgressMeter& operator=(const ProgressMeter&) = delete;

    // Steps up to `done` of `total` units of work, in proportion.
    void reach(int64_t done, int64_t total);
    // One step further.
    void step();
    int reached() const { return m_reached; }

private:
    ProgressSink* m_sink;
    int m_steps;
    int m_reached = 0;
};

}  // namespace kontavo
