// Contact index benchmarks at 10 000, 100 000 and 250 000 seeded contacts
// (sizes from KONTAVO_BENCH_SIZES, comma-separated, to keep runs short), each
// operation measured on our index and on the SQLite FTS5 baseline in the same
// run.
// After the benchmark's own output a table gives mean and p99 per call of
// both sides and the ratio, then the bytes per contact.
#include <benchmark/benchmark.h>
#include <time.h>

#include <QCoreApplication>
#include <chrono>
#include <functional>
#include <map>
#include <memory>

#include "indexbenchdevice.h"
#include "latencytable.h"
#include "querybank.h"

namespace kontavo::bench {
namespace {

LatencyTable& table() {
    static LatencyTable instance;
    return instance;
}

struct Sized {
    std::unique_ptr<IndexBenchDevice> device;
    std::unique_ptr<QueryBank> queries;
};

Sized& sized(int count) {
    static std::map<int, Sized> devices;
    Sized& slot = devices[count];
    if (!slot.device) {
        slot.device = std::make_unique<IndexBenchDevice>(count);
        slot.queries = std::make_unique<QueryBank>(slot.device->samples());
    }
    return slot;
}

double threadSeconds() {
    timespec now{};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

// The wall-clock and thread CPU seconds `work` takes; both are collected.
struct Timings {
    std::vector<double> wall;
    std::vector<double> cpu;

    double time(const std::function<void()>& work) {
        const double cpuStart = threadSeconds();
        const auto start = std::chrono::steady_clock::now();
        work();
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        wall.push_back(seconds);
        cpu.push_back(threadSeconds() - cpuStart);
        return seconds;
    }
    CallTimes result() const { return {Latency::of(wall), Latency::of(cpu)}; }
};

// Runs `call` once per iteration, timing each call; the times go to the
// benchmark (manual time) and to the table.
void timeCalls(benchmark::State& state, const std::string& operation, int size, bool ours,
               const std::function<void(int iteration)>& call) {
    Timings timings;
    int iteration = 0;
    for (auto _ : state) {
        state.SetIterationTime(timings.time([&] { call(iteration++); }));
    }
    table().record(operation, size, ours, timings.result());
}

using QuerySet = std::function<const QList<Query>&(const QueryBank&)>;
using Lookup = std::function<size_t(IndexBenchDevice&, const Query&)>;

size_t oursWords(IndexBenchDevice& d, const Query& q) {
    return size_t(d.index().findWords(q.text).size());
}
size_t baselineWords(IndexBenchDevice& d, const Query& q) {
    return size_t(d.baseline().findWords(q.prefixes).size());
}
size_t oursGroups(IndexBenchDevice& d, const Query& q) {
    return size_t(d.index().findGroupKey(q.text).size());
}
size_t baselineGroups(IndexBenchDevice& d, const Query& q) {
    return size_t(d.baseline().findGroupKey(q.text).size());
}

void lookup(benchmark::State& state, const std::string& operation, const QuerySet& set, bool ours,
            const Lookup& find) {
    const int size = int(state.range(0));
    Sized& s = sized(size);
    const QList<Query>& queries = set(*s.queries);
    size_t found = 0;
    timeCalls(state, operation, size, ours,
              [&](int i) { found += find(*s.device, queries[i % queries.size()]); });
    state.counters["found/call"] = double(found) / double(state.iterations());
}

// Both sides must give the same answers, else the comparison means nothing.
void crossCheck(const std::string& operation, int size, const QList<Query>& queries, bool groups) {
    IndexBenchDevice& d = *sized(size).device;
    int differing = 0;
    for (const Query& q : queries) {
        const QList<Oid> a = groups ? d.index().findGroupKey(q.text) : d.index().findWords(q.text);
        const QList<Oid> b =
            groups ? d.baseline().findGroupKey(q.text) : d.baseline().findWords(q.prefixes);
        differing += a == b ? 0 : 1;
    }
    table().note(QStringLiteral("%1 %2: %3 of %4 queries answered differently by FTS5")
                     .arg(size)
                     .arg(QString::fromStdString(operation))
                     .arg(differing)
                     .arg(queries.size()));
}

void registerLookup(const std::string& operation, const QuerySet& set, const Lookup& ours,
                    const Lookup& baseline, bool groups, const std::vector<int>& sizes) {
    for (int size : sizes) {
        benchmark::RegisterBenchmark(
            (operation + "/Ours").c_str(),
            [=](benchmark::State& state) { lookup(state, operation, set, true, ours); })
            ->Arg(size)
            ->Iterations(3000)
            ->UseManualTime()
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark((operation + "/FTS5").c_str(),
                                     [=](benchmark::State& state) {
                                         crossCheck(operation, size, set(*sized(size).queries),
                                                    groups);
                                         lookup(state, operation, set, false, baseline);
                                     })
            ->Arg(size)
            ->Iterations(3000)
            ->UseManualTime()
            ->Unit(benchmark::kMicrosecond);
    }
}

void registerLookups(const std::vector<int>& sizes) {
    for (int length = 1; length <= 4; ++length) {
        registerLookup(
            "FindWords_" + std::to_string(length) + "ch",
            [length](const QueryBank& b) -> const QList<Query>& { return b.prefixes(length); },
            oursWords, baselineWords, false, sizes);
    }
    registerLookup(
        "FindWords_2words", [](const QueryBank& b) -> const QList<Query>& { return b.twoWords(); },
        oursWords, baselineWords, false, sizes);
    for (int length = 1; length <= 3; ++length) {
        registerLookup(
            "FindGroupKey_" + std::to_string(length),
            [length](const QueryBank& b) -> const QList<Query>& { return b.groupKeys(length); },
            oursGroups, baselineGroups, true, sizes);
    }
}

using DeviceStep = std::function<void(IndexBenchDevice&)>;
using DeviceWork = std::function<bool(IndexBenchDevice&)>;

// Whole-index work: rebuild, open and synchronisation. `prepare` runs
// untimed before each timed call.
void runWhole(benchmark::State& state, const std::string& operation, bool ours,
              const DeviceStep& prepare, const DeviceWork& work) {
    const int size = int(state.range(0));
    IndexBenchDevice& d = *sized(size).device;
    int failed = 0;
    Timings timings;
    for (auto _ : state) {
        state.PauseTiming();
        prepare(d);
        state.ResumeTiming();
        bool done = false;
        state.SetIterationTime(timings.time([&] { done = work(d); }));
        failed += done ? 0 : 1;
    }
    if (failed > 0) {
        state.SkipWithError("the operation failed");
    }
    table().record(operation, size, ours, timings.result());
}

void registerWhole(const std::string& operation, int iterations, bool ours,
                   const DeviceStep& prepare, const DeviceWork& work,
                   const std::vector<int>& sizes) {
    for (int size : sizes) {
        benchmark::RegisterBenchmark(
            (operation + (ours ? "/Ours" : "/FTS5")).c_str(),
            [=](benchmark::State& state) { runWhole(state, operation, ours, prepare, work); })
            ->Arg(size)
            ->Iterations(iterations)
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond);
    }
}

void registerWholeIndex(const std::vector<int>& sizes) {
    const auto nothing = [](IndexBenchDevice&) {};
    registerWhole(
        "Rebuild", 1, true, nothing, [](IndexBenchDevice& d) { return d.rebuildOurs(); }, sizes);
    registerWhole(
        "Rebuild", 1, false, nothing, [](IndexBenchDevice& d) { return d.rebuildBaseline(); },
        sizes);
    registerWhole(
        "OpenCurrent", 20, true, [](IndexBenchDevice& d) { d.index().close(); },
        [](IndexBenchDevice& d) {
            return d.index().open(d.databaseInfo()) == ContactIndex::OpenResult::Current;
        },
        sizes);
    registerWhole(
        "OpenCurrent", 20, false, nothing, [](IndexBenchDevice& d) { return d.reopenBaseline(); },
        sizes);
    // The open and the first lookup after it, which waits for the index
    // store's region to be loaded.
    registerWhole(
        "OpenThenFind", 10, true, [](IndexBenchDevice& d) { d.index().close(); },
        [](IndexBenchDevice& d) {
            return d.index().open(d.databaseInfo()) == ContactIndex::OpenResult::Current &&
                   !d.index().findWords(QStringLiteral("mar")).isEmpty();
        },
        sizes);
    registerWhole(
        "OpenThenFind", 10, false, nothing,
        [](IndexBenchDevice& d) {
            return d.reopenBaseline() && !d.baseline().findWords({QStringLiteral("mar")}).isEmpty();
        },
        sizes);
    static QList<Oid> changed;
    registerWhole(
        "Sync10Changes", 5, true, [](IndexBenchDevice& d) { changed = d.changeContacts(10); },
        [](IndexBenchDevice& d) { return changed.size() == 10 && d.synchroniseOurs(); }, sizes);
    registerWhole(
        "Sync10Changes", 5, false, [](IndexBenchDevice& d) { changed = d.changeContacts(10); },
        [](IndexBenchDevice& d) { return d.synchroniseBaseline(changed); }, sizes);
    // The same when the change log was trimmed meanwhile: every record is
    // compared.
    registerWhole(
        "Sync10ChangesNoLog", 3, true,
        [](IndexBenchDevice& d) {
            d.bringOursUpToDate();  // after the baseline's rounds of changes
            changed = d.changeContacts(10);
            d.trimChangeLog();
        },
        [](IndexBenchDevice& d) { return changed.size() == 10 && d.synchroniseOurs(); }, sizes);
    registerWhole(
        "Sync10ChangesNoLog", 3, false, [](IndexBenchDevice& d) { changed = d.changeContacts(10); },
        [](IndexBenchDevice& d) { return d.synchroniseBaseline(changed); }, sizes);
}

std::vector<int> benchSizes() {
    const QString text =
        qEnvironmentVariable("KONTAVO_BENCH_SIZES", QStringLiteral("10000,100000,250000"));
    std::vector<int> sizes;
    for (const QString& part : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        if (const int size = part.trimmed().toInt(); size > 0) {
            sizes.push_back(size);
        }
    }
    return sizes;
}

void noteSizes(const std::vector<int>& sizes) {
    for (int size : sizes) {
        IndexBenchDevice& d = *sized(size).device;
        const qint64 ours = d.indexBytes();
        table().note(QStringLiteral("%1 contacts: index files %2 bytes (%3 per contact), "
                                    "FTS5 database %4 bytes (%5 per contact)")
                         .arg(size)
                         .arg(ours)
                         .arg(double(ours) / size, 0, 'f', 0)
                         .arg(d.baselineBytes())
                         .arg(double(d.baselineBytes()) / size, 0, 'f', 0));
    }
}

}  // namespace
}  // namespace kontavo::bench

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    const std::vector<int> sizes = kontavo::bench::benchSizes();
    kontavo::bench::registerLookups(sizes);
    kontavo::bench::registerWholeIndex(sizes);
    benchmark::RunSpecifiedBenchmarks();
    kontavo::bench::noteSizes(sizes);
    kontavo::bench::table().print();
    benchmark::Shutdown();
    return 0;
}
