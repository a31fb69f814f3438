#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>

namespace kontavo::bench {

// Prints every run as the console does, then a table of ratios: for each
// benchmark named BM_<Operation>_<Variant>/<records>, the time of every
// other variant divided by the time of the ObjectStore variant measured in
// the same run (above 1: the object store is faster), by wall-clock and by
// CPU time (the steadier one on a busy machine).
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override;
    void Finalize() override;

private:
    struct Key {
        std::string operation;
        std::string size;
        bool operator<(const Key& other) const {
            return operation != other.operation ? operation < other.operation : size < other.size;
        }
    };
    struct Times {
        double real = 0;  // seconds per iteration
        double cpu = 0;
    };
    std::map<Key, std::map<std::string, Times>> m_times;
};

}  // namespace kontavo::bench
