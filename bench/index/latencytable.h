#pragma once

#include <QString>
#include <map>
#include <string>
#include <vector>

namespace kontavo::bench {

// Per-call times of one operation on one side, in seconds.
struct Latency {
    double mean = 0;
    double p50 = 0;
    double p99 = 0;
    double max = 0;

    static Latency of(std::vector<double> seconds);
};

// The wall-clock and thread CPU times of the calls of one operation.
struct CallTimes {
    Latency wall;
    Latency cpu;
};

// Collects the times of ours and the baseline for each operation and size
// and prints them side by side with the ratio baseline / ours (above 1:
// ours is faster), after the benchmark's own output: one table of
// wall-clock times and one of thread CPU times (the steadier on a busy
// machine).
class LatencyTable {
public:
    void record(const std::string& operation, int size, bool ours, const CallTimes& times);
    void note(const QString& line) { m_notes.push_back(line); }
    void print() const;

private:
    void printTable(bool cpu) const;

    struct Row {
        CallTimes ours;
        CallTimes baseline;
        bool hasOurs = false;
        bool hasBaseline = false;
    };
    std::map<std::pair<int, std::string>, Row> m_rows;
    std::vector<QString> m_notes;
};

}  // namespace kontavo::bench
