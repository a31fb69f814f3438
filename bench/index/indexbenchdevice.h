#pragma once

#include <QList>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

#include "fts5baseline.h"
#include "platform/devicefs.h"
#include "platform/locale.h"
#include "platform/sqliteobjectstore.h"
#include "platform/sqliteregistry.h"
#include "store/contacts/contactsdatabase.h"
#include "store/contacts/contactsdatabasereader.h"
#include "store/index/pimindex.h"
#include "store/settings/settingsstore.h"

namespace kontavo::bench {

// The words of one contact, as both sides file them.
struct ContactWordsSample {
    QStringList plain;
    QStringList grouped;
};

// A device for the index benchmark: a contacts database filled by the
// demonstration seed (as "kontavo-store seed" fills it, seed 1), our index
// over it, and the FTS5 baseline holding the same words. Setting up prints
// how long each step took. One thread.
class IndexBenchDevice {
public:
    explicit IndexBenchDevice(int count);
    ~IndexBenchDevice();

    int count() const { return m_count; }
    PimIndex& index() { return *m_index; }
    Fts5Baseline& baseline() { return m_baseline; }
    // The words of every 97th contact, for the queries.
    const QList<ContactWordsSample>& samples() const { return m_samples; }
    DbInfo databaseInfo();

    // Full rebuild of our index from the database.
    bool rebuildOurs();
    // The baseline's full rebuild: the same read, every row written anew.
    bool rebuildBaseline();
    // Open of our current index as the program does it at start (closed first).
    ContactIndex::OpenResult reopenOurs();
    // Opens the baseline's database again.
    bool reopenBaseline();
    // Changes the company of `n` contacts through another handle, as another
    // program would while ours is closed; their Oids.
    QList<Oid> changeContacts(int n);
    // Drops every entry of the object store's change log, as its writer
    // trims the log after many changes.
    void trimChangeLog();
    // Opens our index and brings it up to date as the program does at start.
    void bringOursUpToDate();
    // Brings our (closed) index up to date: open, then synchronise.
    bool synchroniseOurs();
    // Re-reads the contacts `oids` and replaces their rows.
    bool synchroniseBaseline(const QList<Oid>& oids);

    // Bytes of both index files (written back first), and of the baseline.
    qint64 indexBytes();
    qint64 baselineBytes() const;

private:
    void seed();
    void collectSample(const IndexedContact& contact, int done);

    int m_count;
    QTemporaryDir m_dir;
    QString m_root;
    DeviceFs m_fs;
    SqliteRegistry m_registry;
    SettingsStore m_settings;
    Locale m_locale;
    SqliteObjectStore m_store;
    ContactsDatabase m_db;
    std::unique_ptr<ObjectDatabase> m_readerHandle;
    std::unique_ptr<ContactsDatabaseReader> m_reader;
    std::unique_ptr<PimIndex> m_index;
    Fts5Baseline m_baseline;
    QList<ContactWordsSample> m_samples;
    int m_changeRound = 0;
};

}  // namespace kontavo::bench
