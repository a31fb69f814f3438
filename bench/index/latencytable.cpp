#include "latencytable.h"

#include <algorithm>
#include <cstdio>
#include <numeric>

namespace kontavo::bench {

namespace {

double at(const std::vector<double>& sorted, double fraction) {
    const size_t index = std::min(sorted.size() - 1, size_t(fraction * double(sorted.size())));
    return sorted[index];
}

// Seconds in the unit that reads best.
std::string readable(double seconds) {
    char text[32];
    if (seconds >= 1) {
        std::snprintf(text, sizeof text, "%8.2f s ", seconds);
    } else if (seconds >= 1e-3) {
        std::snprintf(text, sizeof text, "%8.2f ms", seconds * 1e3);
    } else {
        std::snprintf(text, sizeof text, "%8.1f us", seconds * 1e6);
    }
    return text;
}

}  // namespace

Latency Latency::of(std::vector<double> seconds) {
    Latency latency;
    if (seconds.empty()) {
        return latency;
    }
    std::sort(seconds.begin(), seconds.end());
    latency.mean = std::accumulate(seconds.begin(), seconds.end(), 0.0) / double(seconds.size());
    latency.p50 = at(seconds, 0.50);
    latency.p99 = at(seconds, 0.99);
    latency.max = seconds.back();
    return latency;
}

void LatencyTable::record(const std::string& operation, int size, bool ours,
                          const CallTimes& times) {
    Row& row = m_rows[{size, operation}];
    (ours ? row.ours : row.baseline) = times;
    (ours ? row.hasOurs : row.hasBaseline) = true;
}

void LatencyTable::print() const {
    printTable(false);
    printTable(true);
    for (const QString& line : m_notes) {
        std::printf("%s\n", qPrintable(line));
    }
}

void LatencyTable::printTable(bool cpu) const {
    std::printf("\n%s time per call\n%-8s %-18s %11s %11s %11s %11s %11s %11s %8s %8s\n",
                cpu ? "Thread CPU" : "Wall-clock", "contacts", "operation", "ours mean", "ours p50",
                "ours p99", "FTS5 mean", "FTS5 p50", "FTS5 p99", "x mean", "x p99");
    for (const auto& [key, entry] : m_rows) {
        const auto& [size, operation] = key;
        struct {
            Latency ours, baseline;
            bool hasOurs, hasBaseline;
        } row{cpu ? entry.ours.cpu : entry.ours.wall,
              cpu ? entry.baseline.cpu : entry.baseline.wall, entry.hasOurs, entry.hasBaseline};
        const bool both = row.hasOurs && row.hasBaseline && row.ours.mean > 0 && row.ours.p99 > 0;
        std::printf("%-8d %-18s %11s %11s %11s %11s %11s %11s", size, operation.c_str(),
                    readable(row.ours.mean).c_str(), readable(row.ours.p50).c_str(),
                    readable(row.ours.p99).c_str(),
                    row.hasBaseline ? readable(row.baseline.mean).c_str() : "-",
                    row.hasBaseline ? readable(row.baseline.p50).c_str() : "-",
                    row.hasBaseline ? readable(row.baseline.p99).c_str() : "-");
        if (both) {
            std::printf(" %8.1f %8.1f\n", row.baseline.mean / row.ours.mean,
                        row.baseline.p99 / row.ours.p99);
        } else {
            std::printf(" %8s %8s\n", "-", "-");
        }
    }
}

}  // namespace kontavo::bench
