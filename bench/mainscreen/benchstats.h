#pragma once

#include <benchmark/benchmark.h>

#include <vector>

namespace kontavo::bench {

// The p-th quantile (0..1) of `samples` (nearest rank); 0 without samples.
double percentile(std::vector<double> samples, double p);
// Sets the counters "p50_ms" and "p99_ms" from samples in milliseconds.
void reportPercentiles(benchmark::State& state, const std::vector<double>& samples);

}  // namespace kontavo::bench
