#pragma once

#include <benchmark/benchmark.h>

#include <QElapsedTimer>
#include <vector>

namespace kontavo::bench {

// The p-th quantile (0..1) of `samples` (nearest rank); 0 without samples.
double percentile(std::vector<double> samples, double p);
// Sets the counters "p50_ms" and "p99_ms" from samples in milliseconds.
void reportPercentiles(benchmark::State& state, const std::vector<double>& samples);

// Runs `step(i)` once per iteration as the iteration's manual time, then
// reports the percentiles of those times.
template <typename Step>
void timeIterations(benchmark::State& state, Step step) {
    std::vector<double> samples;
    int i = 0;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        step(i++);
        const double seconds = double(timer.nsecsElapsed()) / 1e9;
        state.SetIterationTime(seconds);
        samples.push_back(seconds * 1e3);
    }
    reportPercentiles(state, samples);
}

}  // namespace kontavo::bench
