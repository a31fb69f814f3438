// List queries of the contact store on demonstration contacts. Each size is
// seeded once per run (the seeding time is printed); the baseline holds the
// same contacts' list properties in a plain table.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>
#include <map>
#include <memory>

#include "plaincontacttable.h"
#include "platform/locale.h"
#include "platform/sqliteobjectstore.h"
#include "ratioreporter.h"
#include "store/contacts/categorymask.h"
#include "store/contacts/contactsdatabase.h"
#include "store/contacts/demoseed.h"
#include "store/contacts/groupedresult.h"
#include "store/contacts/listquery.h"

namespace kontavo::bench {
namespace {

struct Fixture {
    QTemporaryDir dir;
    std::unique_ptr<SqliteObjectStore> store;
    std::unique_ptr<ContactsDatabase> db;
    QList<Oid> oids;
    QByteArray firstCategory;
    PlainContactTable plain;
};

double millisecondsOf(const std::function<bool()>& work, bool& ok) {
    QElapsedTimer timer;
    timer.start();
    ok = work();
    return double(timer.nsecsElapsed()) / 1e6;
}

Fixture& fixture(int count) {
    static std::map<int, std::unique_ptr<Fixture>> fixtures;
    std::unique_ptr<Fixture>& slot = fixtures[count];
    if (slot != nullptr) {
        return *slot;
    }
    slot = std::make_unique<Fixture>();
    Fixture& f = *slot;
    f.store = std::make_unique<SqliteObjectStore>(SqliteObjectStore::fileInRoot(f.dir.path()));
    f.db = std::make_unique<ContactsDatabase>(*f.store, Locale::user());
    bool ok = f.db->open();
    const double seeded =
        millisecondsOf([&] { return ok && seedDemoContacts(*f.db, count, 1, Locale::user()); }, ok);
    std::fprintf(stderr, "seed %6d contacts: %7.0f ms%s\n", count, seeded, ok ? "" : " FAILED");
    const double copied = millisecondsOf(
        [&] {
            return f.plain.open(f.dir.filePath("plain.db")) && f.plain.fillFrom(f.db->handle());
        },
        ok);
    std::fprintf(stderr, "plain table %6d rows: %7.0f ms%s\n", count, copied, ok ? "" : " FAILED");
    // The first scan after seeding pays for reading the file into memory;
    // it is printed, and the measured scans follow it.
    const double first = millisecondsOf(
        [&] {
            QList<ListEntry> entries;
            return ListQuery(f.db->handle()).all(CategoryFilter::any(), entries);
        },
        ok);
    std::fprintf(stderr, "first list of %6d contacts: %7.0f ms%s\n", count, first,
                 ok ? "" : " FAILED");
    f.oids = f.db->handle().recordOids().value_or(QList<Oid>());
    f.firstCategory = categorymask::fromPositions({0});
    return f;
}

void checkCount(benchmark::State& state, qsizetype found, bool ok) {
    if (!ok || found == 0 || found > state.range(0)) {
        state.SkipWithError("the query failed or found the wrong number of contacts");
    }
}

void BM_ListAll_ObjectStore(benchmark::State& state) {
    Fixture& f = fixture(int(state.range(0)));
    for (auto _ : state) {
        QList<ListEntry> entries;
        const bool ok = ListQuery(f.db->handle()).all(CategoryFilter::any(), entries);
        checkCount(state, entries.size() == state.range(0) ? entries.size() : 0, ok);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_ListAll_PlainTable(benchmark::State& state) {
    Fixture& f = fixture(int(state.range(0)));
    for (auto _ : state) {
        QList<ListEntry> entries;
        const bool ok = f.plain.list(CategoryFilter::any(), entries);
        checkCount(state, entries.size() == state.range(0) ? entries.size() : 0, ok);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_ListCategory_ObjectStore(benchmark::State& state) {
    Fixture& f = fixture(int(state.range(0)));
    const CategoryFilter filter = CategoryFilter::sharing(f.firstCategory);
    for (auto _ : state) {
        QList<ListEntry> entries;
        const bool ok = ListQuery(f.db->handle()).all(filter, entries);
        checkCount(state, entries.size(), ok);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_ListCategory_PlainTable(benchmark::State& state) {
    Fixture& f = fixture(int(state.range(0)));
    const CategoryFilter filter = CategoryFilter::sharing(f.firstCategory);
    for (auto _ : state) {
        QList<ListEntry> entries;
        const bool ok = f.plain.list(filter, entries);
        checkCount(state, entries.size(), ok);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// A search hit list of all but five contacts: answered by one scan.
void BM_ListLongOidList_ObjectStore(benchmark::State& state) {
    Fixture& f = fixture(int(state.range(0)));
    const QList<Oid> hits = f.oids.mid(5);
    for (auto _ : state) {
        QList<ListEntry> entries;
        const bool ok = ListQuery(f.db->handle()).ofOids(hits, CategoryFilter::any(), entries);
        checkCount(state, entries.size() == hits.size() ? entries.size() : 0, ok);
    }
}

// A hit list of 100 contacts spread over the database: answered by seeks.
void BM_ListShortOidList_ObjectStore(benchmark::State& state) {
    Fixture& f = fixture(int(state.range(0)));
    QList<Oid> hits;
    for (qsizetype i = 0; i < 100; ++i) {
        hits.append(f.oids[i * f.oids.size() / 100]);
    }
    for (auto _ : state) {
        QList<ListEntry> entries;
        const bool ok = ListQuery(f.db->handle()).ofOids(hits, CategoryFilter::any(), entries);
        checkCount(state, entries.size() == 100 ? entries.size() : 0, ok);
    }
}

// What a refill of the list adds to the query: the company groups.
void BM_GroupByCompany_ObjectStore(benchmark::State& state) {
    Fixture& f = fixture(int(state.range(0)));
    QList<ListEntry> entries;
    ListQuery(f.db->handle()).all(CategoryFilter::any(), entries);
    for (auto _ : state) {
        benchmark::DoNotOptimize(groupByCompany(entries, Locale::user()));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void sizes(benchmark::internal::Benchmark* b) {
    b->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_ListAll_ObjectStore)->Apply(sizes);
BENCHMARK(BM_ListAll_PlainTable)->Apply(sizes);
BENCHMARK(BM_ListCategory_ObjectStore)->Apply(sizes);
BENCHMARK(BM_ListCategory_PlainTable)->Apply(sizes);
BENCHMARK(BM_ListLongOidList_ObjectStore)->Apply(sizes);
BENCHMARK(BM_ListShortOidList_ObjectStore)->Apply(sizes);
BENCHMARK(BM_GroupByCompany_ObjectStore)->Apply(sizes);

}  // namespace
}  // namespace kontavo::bench

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    kontavo::bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
