// List queries of the contact store on demonstration contacts. Each size is
// seeded once per run (the seeding time is printed); the baseline holds the
// same contacts' list properties in a plain table.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <cstdio>
#include <map>
#include <memory>
#include <numeric>

#include "plaincontacttable.h"
#include "platform/locale.h"
#include "platform/sqliteobjectstore.h"
#include "ratioreporter.h"
#include "store/contacts/categorymask.h"
#include "store/contacts/contactlistcache.h"
#include "store/contacts/contactsdatabase.h"
#include "store/contacts/demoseed.h"
#include "store/contacts/groupedresult.h"
#include "store/contacts/listcacheloader.h"
#include "store/contacts/listorder.h"
#include "store/contacts/listorderbuilder.h"
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

// The list cache: reading every contact's list columns into it.
void loadCache(Fixture& f, ContactListCache& cache, benchmark::State& state) {
    cache.beginLoad();
    ListCacheLoader loader(f.store->open(ContactsDatabase::databaseName(), DbOpenOptions()), cache);
    ListCacheLoader::Step step = ListCacheLoader::Step::More;
    while (step == ListCacheLoader::Step::More) {
        step = loader.step(4000);
    }
    cache.finishLoad([](Oid) { return std::nullopt; });
    if (step != ListCacheLoader::Step::Done || cache.size() != state.range(0)) {
        state.SkipWithError("the list cache did not load every contact");
    }
}

void BM_ListCacheLoad(benchmark::State& state) {
    Fixture& f = fixture(int(state.range(0)));
    for (auto _ : state) {
        ContactListCache cache(Locale::user());
        loadCache(f, cache, state);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The first query of a sort type orders the whole cache (collation keys and
// one sort); state.range(1) is the sort type.
void BM_ListCacheFirstOrder(benchmark::State& state) {
    Fixture& f = fixture(int(state.range(0)));
    std::unique_ptr<ContactListCache> cache;
    for (auto _ : state) {
        state.PauseTiming();
        cache = std::make_unique<ContactListCache>(Locale::user());
        loadCache(f, *cache, state);
        state.ResumeTiming();
        benchmark::DoNotOptimize(cache->select(nullptr, CategoryFilter::any(), int(state.range(1))));
        state.PauseTiming();
        cache.reset();  // freeing 100 000 contacts is not the order's time
        state.ResumeTiming();
    }
}

// Ordering half of the contacts (every other Oid, as a search hit list
// gives them) once the order exists; state.range(1) is the sort type.
void BM_ListCacheSelectHalf(benchmark::State& state) {
    Fixture& f = fixture(int(state.range(0)));
    ContactListCache cache(Locale::user());
    loadCache(f, cache, state);
    QList<Oid> half;
    for (qsizetype i = 0; i < f.oids.size(); i += 2) {
        half.append(f.oids[i]);
    }
    const int sortType = int(state.range(1));
    cache.select(&half, CategoryFilter::any(), sortType);
    for (auto _ : state) {
        const ContactListSource source = cache.select(&half, CategoryFilter::any(), sortType);
        checkCount(state, source.contacts.size() == half.size() ? source.contacts.size() : 0, true);
    }
}

void BM_ListCacheSelectAll(benchmark::State& state) {
    Fixture& f = fixture(int(state.range(0)));
    ContactListCache cache(Locale::user());
    loadCache(f, cache, state);
    for (auto _ : state) {
        const ContactListSource source = cache.select(nullptr, CategoryFilter::any(), 0);
        checkCount(state, source.contacts.size(), true);
    }
}

// 100 000 contacts with names that are all different (the demonstration
// contacts repeat names, which the collation keys share), as a real address
// book has them; no database involved.
const std::vector<ListColumns>& distinctNames() {
    static const std::vector<ListColumns> table = [] {
        std::vector<ListColumns> columns;
        QRandomGenerator random(11);
        auto word = [&](int letters) {
            QString text;
            text.append(QChar(u'A' + random.bounded(26)));
            for (int i = 1; i < letters; ++i) {
                text.append(QChar(u'a' + random.bounded(26)));
            }
            return text;
        };
        for (Oid oid = 1; oid <= 100000; ++oid) {
            const QString name = word(5 + random.bounded(6)) + ", " + word(4 + random.bounded(5));
            columns.push_back({oid, name, word(6), name, {}});
        }
        return columns;
    }();
    return table;
}

std::vector<int> allSlots(size_t count) {
    std::vector<int> used(count);
    std::iota(used.begin(), used.end(), 0);
    return used;
}

// The steps of an order over distinct names (4000 contacts keyed or ranked a
// step, as the list cache does); the counter is the longest step.
void BM_ListOrderStepsDistinct(benchmark::State& state) {
    const std::vector<ListColumns>& table = distinctNames();
    double longest = 0;
    for (auto _ : state) {
        ListOrderBuilder builder(int(state.range(0)), Locale::user(), allSlots(table.size()));
        bool done = false;
        while (!done) {
            QElapsedTimer step;
            step.start();
            done = builder.step(table, 4000);
            longest = std::max(longest, double(step.nsecsElapsed()) / 1e6);
        }
        state.PauseTiming();
        ListOrder order(int(state.range(0)), Locale::user());
        state.ResumeTiming();
    }
    state.counters["longest_step_ms"] = longest;
}

// The last step of an order over distinct names: one sort of integer ranks.
void BM_ListOrderFinishDistinct(benchmark::State& state) {
    const std::vector<ListColumns>& table = distinctNames();
    for (auto _ : state) {
        state.PauseTiming();
        ListOrderBuilder builder(int(state.range(0)), Locale::user(), allSlots(table.size()));
        while (!builder.step(table, table.size())) {
        }
        ListOrder order(int(state.range(0)), Locale::user());
        state.ResumeTiming();
        builder.finish(table, order);
        benchmark::DoNotOptimize(order.sequence().data());
    }
}

void sizesAndSorts(benchmark::internal::Benchmark* b) {
    b->ArgsProduct({{10000, 100000}, {0, 1, 2}})->Unit(benchmark::kMillisecond);
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
BENCHMARK(BM_ListCacheLoad)->Apply(sizes);
BENCHMARK(BM_ListCacheFirstOrder)->Apply(sizesAndSorts);
BENCHMARK(BM_ListCacheSelectHalf)->Apply(sizesAndSorts);
BENCHMARK(BM_ListCacheSelectAll)->Apply(sizes);
BENCHMARK(BM_ListOrderStepsDistinct)->Arg(0)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ListOrderFinishDistinct)->Arg(0)->Arg(2)->Unit(benchmark::kMillisecond);

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
