// Object store benchmarks. Each size is filled once per run (the fill times
// are printed); baselines hold the same generated records.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>
#include <map>
#include <memory>

#include "baselinestores.h"
#include "contactgen.h"
#include "platform/sqliteobjectstore.h"
#include "ratioreporter.h"

namespace kontavo::bench {
namespace {

const QString kContacts = QStringLiteral("Contacts Database");

struct Fixture {
    QTemporaryDir dir;
    std::unique_ptr<SqliteObjectStore> store;
    std::unique_ptr<ObjectDatabase> contacts;
    QList<Oid> oids;
    RowPerPropertyStore rows;
    SingleBlobStore single;
    OwnSchemaReader ownSchema;
};

void fillObjectStore(Fixture& f, int count) {
    DbOpenOptions options;
    options.createIfMissing = true;
    f.store = std::make_unique<SqliteObjectStore>(f.dir.filePath("objectstore.db"));
    f.contacts = f.store->open(kContacts, options);
    ContactGenerator generator;
    for (int done = 0; done < count; done += 1000) {
        f.store->runBatch([&] {
            for (int i = done; i < std::min(count, done + 1000); ++i) {
                f.oids.append(f.contacts->write(0, generator.next()));
            }
            return true;
        });
    }
}

template <typename Fill>
void timed(const char* what, int count, Fill fill) {
    QElapsedTimer timer;
    timer.start();
    fill();
    std::fprintf(stderr, "fill %-16s %6d records: %7.0f ms\n", what, count,
                 double(timer.nsecsElapsed()) / 1e6);
}

Fixture& fixture(int count) {
    static std::map<int, std::unique_ptr<Fixture>> fixtures;
    auto& slot = fixtures[count];
    if (slot == nullptr) {
        slot = std::make_unique<Fixture>();
        Fixture& f = *slot;
        timed("ObjectStore", count, [&] { fillObjectStore(f, count); });
        f.ownSchema.open(f.dir.filePath("objectstore.db"));
        ContactGenerator forRows;
        timed("RowPerProperty", count, [&] {
            f.rows.open(f.dir.filePath("rows.db"));
            f.rows.fill(count, [&] { return forRows.next(); });
        });
        ContactGenerator forSingle;
        timed("SingleBlob", count, [&] {
            f.single.open(f.dir.filePath("single.db"));
            f.single.fill(count, [&] { return forSingle.next(); });
        });
    }
    return *slot;
}

Oid randomOid(const Fixture& f, uint32_t& seed) {
    seed = seed * 1103515245u + 12345u;
    return f.oids[qsizetype((seed >> 8) % uint32_t(f.oids.size()))];
}

void BM_ListScan_ObjectStore(benchmark::State& state) {
    Fixture& f = fixture(int(state.range(0)));
    const QList<PropTag> tags = listTags();
    for (auto _ : state) {
        int records = 0;
        for (bool more = f.contacts->seekFirst(); more; more = f.contacts->seekNext()) {
            benchmark::DoNotOptimize(f.contacts->read(tags));
            ++records;
        }
        if (records != state.range(0)) {
            state.SkipWithError("the scan missed records");
        }
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_ListScan_ReadAll(benchmark::State& state) {
    Fixture& f = fixture(int(state.range(0)));
    for (auto _ : state) {
        for (bool more = f.contacts->seekFirst(); more; more = f.contacts->seekNext()) {
            benchmark::DoNotOptimize(f.contacts->readAll());
        }
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_ListScan_RowPerProperty(benchmark::State& state) {
    Fixture& f = fixture(int(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(f.rows.scan(listTags()));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_ListScan_SingleBlob(benchmark::State& state) {
    Fixture& f = fixture(int(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(f.single.scan(listTags()));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_ListScan_OwnSchemaOneQuery(benchmark::State& state) {
    Fixture& f = fixture(int(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(f.ownSchema.scan(f.contacts->oid(), listTags()));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_ReadSevenByOid_ObjectStore(benchmark::State& state) {
    Fixture& f = fixture(int(state.range(0)));
    const QList<PropTag> tags = listTags();
    uint32_t seed = 1;
    for (auto _ : state) {
        f.contacts->seekOid(randomOid(f, seed));
        benchmark::DoNotOptimize(f.contacts->read(tags));
    }
}

void BM_ReadByOid_ObjectStore(benchmark::State& state) {
    Fixture& f = fixture(int(state.range(0)));
    uint32_t seed = 1;
    for (auto _ : state) {
        f.contacts->seekOid(randomOid(f, seed));
        benchmark::DoNotOptimize(f.contacts->readAll());
    }
}

void BM_ReadByOid_RowPerProperty(benchmark::State& state) {
    Fixture& f = fixture(int(state.range(0)));
    uint32_t seed = 1;
    for (auto _ : state) {
        seed = seed * 1103515245u + 12345u;
        benchmark::DoNotOptimize(f.rows.readAll(Oid(1 + (seed >> 8) % uint32_t(state.range(0)))));
    }
}

// What an edit writes: every property of the contact again, and deletions
// of fields it no longer has.
PropList editedContact(ContactGenerator& generator) {
    PropList props = generator.next();
    props.append(PropValue::deletion(0x4024001F));
    props.append(PropValue::deletion(0x3A05001F));
    return props;
}

void BM_Update_ObjectStore(benchmark::State& state) {
    Fixture& f = fixture(int(state.range(0)));
    ContactGenerator generator(7);
    uint32_t seed = 3;
    for (auto _ : state) {
        if (f.contacts->write(randomOid(f, seed), editedContact(generator)) == 0) {
            state.SkipWithError("write failed");
        }
    }
}

void BM_Update_RowPerProperty(benchmark::State& state) {
    Fixture& f = fixture(int(state.range(0)));
    ContactGenerator generator(7);
    uint32_t seed = 3;
    for (auto _ : state) {
        seed = seed * 1103515245u + 12345u;
        f.rows.update(Oid(1 + (seed >> 8) % uint32_t(state.range(0))), editedContact(generator));
    }
}

void BM_CreateDelete_ObjectStore(benchmark::State& state) {
    Fixture& f = fixture(int(state.range(0)));
    ContactGenerator generator(11);
    for (auto _ : state) {
        const Oid oid = f.contacts->write(0, generator.next());
        if (oid == 0 || !f.contacts->deleteRecord(oid)) {
            state.SkipWithError("create or delete failed");
        }
    }
}

void BM_Info_ObjectStore(benchmark::State& state) {
    Fixture& f = fixture(int(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(f.contacts->info());
    }
}

void BM_RecordOids_ObjectStore(benchmark::State& state) {
    Fixture& f = fixture(int(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(f.contacts->recordOids());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The distinct companies, walked in company order.
void BM_CompanyNames_ObjectStore(benchmark::State& state) {
    Fixture& f = fixture(int(state.range(0)));
    DbOpenOptions options;
    options.sortTag = tag::kCompany;
    auto byCompany = f.store->open(kContacts, options);
    for (auto _ : state) {
        QStringList names;
        for (bool more = byCompany->seekFirst(); more; more = byCompany->seekNext()) {
            const PropValue company = byCompany->read({tag::kCompany})->props[0];
            if (!company.isNotFound() && (names.isEmpty() || names.last() != company.toString())) {
                names.append(company.toString());
            }
        }
        benchmark::DoNotOptimize(names);
    }
}

void sizes(benchmark::internal::Benchmark* b) {
    b->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_ListScan_ObjectStore)->Apply(sizes);
BENCHMARK(BM_ListScan_ReadAll)->Apply(sizes);
BENCHMARK(BM_ListScan_RowPerProperty)->Apply(sizes);
BENCHMARK(BM_ListScan_SingleBlob)->Apply(sizes);
BENCHMARK(BM_ListScan_OwnSchemaOneQuery)->Apply(sizes);
BENCHMARK(BM_ReadSevenByOid_ObjectStore)->Apply(sizes)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadByOid_ObjectStore)->Apply(sizes)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadByOid_RowPerProperty)->Apply(sizes)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Info_ObjectStore)->Apply(sizes)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RecordOids_ObjectStore)->Apply(sizes);
BENCHMARK(BM_CompanyNames_ObjectStore)->Apply(sizes);
BENCHMARK(BM_Update_ObjectStore)->Apply(sizes)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Update_RowPerProperty)->Apply(sizes)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CreateDelete_ObjectStore)->Apply(sizes)->Unit(benchmark::kMicrosecond);

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
