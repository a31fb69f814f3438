#include "platform/objectstorecore.h"

#include "platform/objectstorenotifier.h"
#include "platform/objectstorewriter.h"
#include "platform/platformerrors.h"

namespace kontavo {

namespace {

constexpr int kFormat = 1;

const char* const kSchema =
    "CREATE TABLE IF NOT EXISTS store_meta("
    "  key TEXT PRIMARY KEY, value INTEGER NOT NULL) WITHOUT ROWID;"
    "INSERT OR IGNORE INTO store_meta VALUES('format', 1), ('last_oid', 0), ('log_floor', 0);"
    "CREATE TABLE IF NOT EXISTS databases("
    "  oid INTEGER PRIMARY KEY,"
    "  name TEXT NOT NULL,"
    "  fold TEXT NOT NULL UNIQUE,"
    "  record_count INTEGER NOT NULL DEFAULT 0,"
    "  modified INTEGER NOT NULL DEFAULT 0);"
    "CREATE TABLE IF NOT EXISTS records("
    "  oid INTEGER PRIMARY KEY,"
    "  db INTEGER NOT NULL,"
    "  props BLOB NOT NULL);"
    "CREATE INDEX IF NOT EXISTS records_by_db ON records(db, oid);"
    "CREATE TABLE IF NOT EXISTS externals("
    "  oid INTEGER PRIMARY KEY,"
    "  bytes BLOB NOT NULL);"
    "CREATE TABLE IF NOT EXISTS changes("
    "  seq INTEGER PRIMARY KEY AUTOINCREMENT,"
    "  kind INTEGER NOT NULL,"
    "  db INTEGER NOT NULL,"
    "  oid INTEGER NOT NULL,"
    "  modified INTEGER);";

// Logs written before the log kept each change's time have no column for it;
// their entries keep a NULL time.
const char* const kChangeTimes = "ALTER TABLE changes ADD COLUMN modified INTEGER;";
const char* const kChangeTimeIndex =
    "CREATE INDEX IF NOT EXISTS changes_by_time ON changes(db, modified);";

bool hasColumn(SqliteDb& db, const char* table, const QString& column) {
    SqliteStatement info(
        db,
        QByteArray("SELECT name FROM pragma_table_info('").append(table).append("')").constData());
    while (info.step()) {
        if (info.columnText(0) == column) {
            return true;
        }
    }
    return false;
}

// Reported at most this many stray rows per open: one line each.
constexpr int kStrayRowsReported = 16;

}  // namespace

ObjectStoreCore::ObjectStoreCore(const QString& filePath) : m_filePath(filePath) {
    // Reading pages through a memory map spares a system call and a copy per
    // page, which dominates scans of many records once the file outgrows the
    // page cache.
    if (!m_db.open(filePath)) {
        return;
    }
    if (!m_db.exec("PRAGMA mmap_size=1073741824") || !createSchema()) {
        m_db.closeFailed(m_unknownFormat ? QStringLiteral("not an object store of this program")
                                         : QString());
        return;
    }
    auto rows = std::make_unique<ObjectStoreRows>(m_db);
    auto writer = std::make_unique<ObjectStoreWriter>(*this);
    if (rows->isValid() && writer->isValid()) {
        m_rows = std::move(rows);
        m_writer = std::move(writer);
        reportStrayRows();
    }
}

// Records are read only within the 32-bit Oid range (ObjectStoreRows); the
// rows outside it are left in the file and named once per open.
void ObjectStoreCore::reportStrayRows() {
    SqliteStatement stray(m_db,
                          "SELECT oid, db FROM records WHERE oid < 1 OR oid > 4294967295 LIMIT ?1");
    stray.bind(1, int64_t(kStrayRowsReported));
    while (stray.step()) {
        reportPlatformError(QStringLiteral("Record %1 of database %2 has no 32-bit Oid: skipped")
                                .arg(stray.columnInt(0))
                                .arg(stray.columnInt(1)),
                            "ObjectStore", __LINE__);
    }
}

ObjectStoreCore::~ObjectStoreCore() {
    // The notifier and the prepared statements go before the connection.
    m_notifier.reset();
    m_writer.reset();
    m_rows.reset();
}

bool ObjectStoreCore::createSchema() {
    SqliteTransaction tx(m_db);
    if (!tx.isActive() || !m_db.exec(kSchema)) {
        return false;
    }
    if (!hasColumn(m_db, "changes", QStringLiteral("modified")) && !m_db.exec(kChangeTimes)) {
        return false;
    }
    if (!m_db.exec(kChangeTimeIndex)) {
        return false;
    }
    SqliteStatement format(m_db, "SELECT value FROM store_meta WHERE key='format'");
    const bool known = format.step() && format.columnInt(0) == kFormat;
    format.reset();
    m_unknownFormat = !known;
    // A file of another format is left as it was.
    return known && tx.commit();
}

ObjectStoreNotifier& ObjectStoreCore::notifier() {
    if (m_notifier == nullptr) {
        m_notifier = std::make_unique<ObjectStoreNotifier>(*this);
    }
    return *m_notifier;
}

bool ObjectStoreCore::inTransaction() const {
    return m_db.isOpen() && sqlite3_get_autocommit(m_db.handle()) == 0;
}

bool ObjectStoreCore::beginWrite() {
    // Inside a batch its transaction already holds the write lock.
    return m_batchDepth > 0 || m_db.exec("BEGIN IMMEDIATE");
}

bool ObjectStoreCore::commitWrite() {
    if (m_batchDepth > 0) {
        ++m_generation;
        return true;
    }
    const bool committed = m_db.exec("COMMIT");
    if (!committed) {
        m_db.exec("ROLLBACK");
    }
    finishTransaction(committed);
    return committed;
}

void ObjectStoreCore::abandonWrite(bool changedFile) {
    if (m_batchDepth == 0) {
        m_db.exec("ROLLBACK");
        finishTransaction(false);
        return;
    }
    // A write inside a batch has no savepoint of its own (one per write
    // costs more than the write). One that failed before changing the file
    // left nothing behind; one that failed midway undoes the innermost batch.
    if (changedFile && m_failedAtDepth == 0) {
        m_failedAtDepth = m_batchDepth;
        m_batchError = sqliteError();
        ++m_generation;
    }
}

void ObjectStoreCore::finishTransaction(bool committed) {
    ++m_generation;
    if (committed && m_notifier != nullptr) {
        m_notifier->ownCommit();
    }
}

bool ObjectStoreCore::runBatch(const std::function<bool()>& work, DbError& error) {
    const bool outermost = m_batchDepth == 0;
    if (!m_db.exec(outermost ? "BEGIN IMMEDIATE" : "SAVEPOINT object_batch")) {
        error = sqliteError();
        return false;
    }
    ++m_batchDepth;
    bool ok = false;
    try {
        ok = work();
    } catch (...) {
        --m_batchDepth;
        endBatch(outermost, false, error);
        throw;
    }
    --m_batchDepth;
    return endBatch(outermost, ok, error);
}

bool ObjectStoreCore::endBatch(bool outermost, bool commit, DbError& error) {
    // m_batchDepth is already the depth outside the batch that ends here.
    const bool failedInside = m_failedAtDepth > m_batchDepth;
    if (failedInside) {
        m_failedAtDepth = 0;
        error = m_batchError;
    }
    const bool keep = commit && !failedInside;
    if (!outermost) {
        m_db.exec(keep ? "RELEASE object_batch" : "ROLLBACK TO object_batch; RELEASE object_batch");
        ++m_generation;
        return keep;
    }
    const bool committed = keep && m_db.exec("COMMIT");
    if (keep && !committed) {
        error = sqliteError();
    }
    if (!committed) {
        m_db.exec("ROLLBACK");
    }
    finishTransaction(committed);
    return committed;
}

DbError ObjectStoreCore::sqliteError() const {
    if (!m_db.isOpen()) {
        return DbError::InternalError;
    }
    switch (sqlite3_errcode(m_db.handle()) & 0xFF) {
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            return DbError::Busy;
        case SQLITE_FULL:
            return DbError::DiskFull;
        default:
            return DbError::InternalError;
    }
}

ObjectWriteScope::~ObjectWriteScope() {
    if (m_active) {
        m_core.abandonWrite(m_changing);
    }
}

bool ObjectWriteScope::commit() {
    if (!m_active) {
        return false;
    }
    m_active = false;
    return m_core.commitWrite();
}

}  // namespace kontavo
