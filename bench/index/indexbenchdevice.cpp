#include "indexbenchdevice.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <cstdio>

#include "platform/sqlitedb.h"
#include "store/contacts/demoseed.h"
#include "store/contacts/indexstartup.h"
#include "store/record/contactfields.h"

namespace kontavo::bench {

namespace {

constexpr int kSampleEvery = 97;

template <typename Work>
bool timed(const char* what, int count, Work work) {
    QElapsedTimer timer;
    timer.start();
    const bool done = work();
    std::fprintf(stderr, "%-28s %6d contacts: %8.0f ms%s\n", what, count,
                 double(timer.nsecsElapsed()) / 1e6, done ? "" : "  FAILED");
    return done;
}

}  // namespace

IndexBenchDevice::IndexBenchDevice(int count)
    : m_count(count),
      m_root(m_dir.path() + QStringLiteral("/device")),
      m_fs(m_root),
      m_registry(SqliteRegistry::fileInRoot(m_root)),
      m_settings(m_registry),
      m_locale(QLocale(QLocale::English, QLocale::UnitedStates)),
      m_store(SqliteObjectStore::fileInRoot(m_root)),
      m_db(m_store, m_locale) {
    seed();
    m_readerHandle = m_store.open(ContactsDatabase::databaseName(), DbOpenOptions());
    m_reader = std::make_unique<ContactsDatabaseReader>(*m_readerHandle, m_locale);
    m_index = std::make_unique<PimIndex>(m_fs, m_settings, nullptr, m_locale);
    m_baseline.open(m_dir.filePath(QStringLiteral("fts5.db")));
    timed("build baseline (FTS5)", count, [this] { return rebuildBaseline(); });
    timed("build index (first)", count, [this] { return rebuildOurs(); });
}

IndexBenchDevice::~IndexBenchDevice() {
    m_index->close();
}

void IndexBenchDevice::seed() {
    timed("seed contacts", m_count,
          [this] { return m_db.open() && seedDemoContacts(m_db, m_count, 1, m_locale); });
}

DbInfo IndexBenchDevice::databaseInfo() {
    return m_db.info().value_or(DbInfo());
}

bool IndexBenchDevice::rebuildOurs() {
    return m_index->rebuild(*m_reader, nullptr, false);
}

void IndexBenchDevice::collectSample(const IndexedContact& contact, int done) {
    if (done % kSampleEvery != 0) {
        return;
    }
    const SearchWords words = m_index->wordsOf(contact);
    m_samples.append({words.plainWords(), words.groupWords()});
}

bool IndexBenchDevice::rebuildBaseline() {
    const bool sampling = m_samples.isEmpty();
    bool stored = m_baseline.begin();
    stored = stored && m_baseline.clear();
    const bool read =
        stored && m_reader->readAllForIndex([&](IndexedContact&& contact, int done, int) {
            if (sampling) {
                collectSample(contact, done);
            }
            const SearchWords words = m_index->wordsOf(contact);
            stored = m_baseline.put(contact.record.oid, words.plainWords(), words.groupWords()) &&
                     stored;
        });
    return m_baseline.commit() && read && stored;
}

ContactIndex::OpenResult IndexBenchDevice::reopenOurs() {
    m_index->close();
    return m_index->open(databaseInfo());
}

bool IndexBenchDevice::reopenBaseline() {
    m_baseline.close();
    return m_baseline.open(m_dir.filePath(QStringLiteral("fts5.db")));
}

QList<Oid> IndexBenchDevice::changeContacts(int n) {
    m_index->close();
    const QList<Oid> oids = m_readerHandle->recordOids().value_or(QList<Oid>());
    QList<Oid> changed;
    ++m_changeRound;
    for (int i = 0; i < n && !oids.isEmpty(); ++i) {
        const Oid oid = oids[(i * 7919 + m_changeRound * 104729) % oids.size()];
        ContactRecord record;
        if (m_db.readRecord(oid, record)) {
            record.setField(ContactField::Company,
                            QStringLiteral("Changed %1 %2").arg(m_changeRound).arg(i));
            if (m_db.updateRecord(record, false)) {
                changed.append(oid);
            }
        }
    }
    return changed;
}

void IndexBenchDevice::bringOursUpToDate() {
    m_index->close();
    startIndex(*m_index, *m_reader, databaseInfo(), nullptr);
}

void IndexBenchDevice::trimChangeLog() {
    SqliteDb raw;
    if (!raw.open(SqliteObjectStore::fileInRoot(m_root)) ||
        !raw.exec("UPDATE store_meta SET value=(SELECT COALESCE(MAX(seq), 0) FROM changes)"
                  " WHERE key='log_floor'; DELETE FROM changes;")) {
        std::fprintf(stderr, "cannot trim the change log\n");
    }
}

bool IndexBenchDevice::synchroniseOurs() {
    return m_index->open(databaseInfo()) == ContactIndex::OpenResult::Stale &&
           m_index->synchronize(*m_reader, nullptr) == ContactIndex::SyncResult::Done;
}

bool IndexBenchDevice::synchroniseBaseline(const QList<Oid>& oids) {
    bool stored = m_baseline.begin();
    for (Oid oid : oids) {
        IndexedContact contact;
        stored = stored && m_reader->readForIndex(oid, contact);
        const SearchWords words = m_index->wordsOf(contact);
        stored = stored && m_baseline.put(oid, words.plainWords(), words.groupWords());
    }
    return m_baseline.commit() && stored;
}

qint64 IndexBenchDevice::indexBytes() {
    m_index->close();
    qint64 bytes = 0;
    for (const char* file : {IndexFiles::kIndexFile, IndexFiles::kPropsFile}) {
        const auto path = m_fs.hostPath(QStringLiteral("\\Temp\\") + QLatin1String(file));
        bytes += path ? QFileInfo(*path).size() : 0;
    }
    m_index->open(databaseInfo());
    return bytes;
}

qint64 IndexBenchDevice::baselineBytes() const {
    return QFileInfo(m_dir.filePath(QStringLiteral("fts5.db"))).size();
}

}  // namespace kontavo::bench
