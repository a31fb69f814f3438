#include "ratioreporter.h"

#include <cstdio>

namespace kontavo::bench {

void RatioReporter::ReportRuns(const std::vector<Run>& runs) {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
        if (run.error_occurred || run.run_type != Run::RT_Iteration) {
            continue;
        }
        const std::string name = run.benchmark_name();  // BM_Op_Variant/123
        const size_t slash = name.find('/');
        const std::string family = name.substr(0, slash);
        const size_t split = family.find('_', 3);
        if (family.rfind("BM_", 0) != 0 || split == std::string::npos) {
            continue;
        }
        const Key key{family.substr(3, split - 3),
                      slash == std::string::npos ? std::string() : name.substr(slash + 1)};
        const double iterations = double(run.iterations);
        m_times[key][family.substr(split + 1)] = {run.real_accumulated_time / iterations,
                                                  run.cpu_accumulated_time / iterations};
    }
}

void RatioReporter::Finalize() {
    std::printf("\nRatios against the object store (other variant's time / ObjectStore's):\n");
    for (const auto& [key, variants] : m_times) {
        const auto ours = variants.find("ObjectStore");
        if (ours == variants.end()) {
            continue;
        }
        const Times& base = ours->second;
        for (const auto& [variant, times] : variants) {
            if (variant != "ObjectStore") {
                std::printf(
                    "  %-10s %7s records: %-15s real %6.2fx (%9.3f vs %9.3f ms)  "
                    "cpu %6.2fx (%9.3f vs %9.3f ms)\n",
                    key.operation.c_str(), key.size.c_str(), variant.c_str(),
                    times.real / base.real, times.real * 1e3, base.real * 1e3, times.cpu / base.cpu,
                    times.cpu * 1e3, base.cpu * 1e3);
            }
        }
    }
    ConsoleReporter::Finalize();
}

}  // namespace kontavo::bench
