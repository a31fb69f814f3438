#include "benchstats.h"

#include <algorithm>

namespace kontavo::bench {

double percentile(std::vector<double> samples, double p) {
    if (samples.empty()) {
        return 0;
    }
    std::sort(samples.begin(), samples.end());
    const size_t at = std::min(samples.size() - 1, size_t(p * double(samples.size() - 1) + 0.5));
    return samples[at];
}

void reportPercentiles(benchmark::State& state, const std::vector<double>& samples) {
    state.counters["p50_ms"] = percentile(samples, 0.50);
    state.counters["p99_ms"] = percentile(samples, 0.99);
}

}  // namespace kontavo::bench
