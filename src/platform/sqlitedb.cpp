#include "platform/sqlitedb.h"

#include <QFileInfo>

#include "platform/privatefiles.h"

namespace kontavo {

SqliteDb::~SqliteDb() {
    close();
}

bool SqliteDb::open(const QString& path, int busyTimeoutMs) {
    close();
    m_failure.clear();
    // A new file is made private first; its journal files take its mode.
    if (!QFileInfo::exists(path)) {
        createPrivateFile(path);
    }
    const QByteArray file = path.toUtf8();
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX;
    m_openError = sqlite3_open_v2(file.constData(), &m_db, flags, nullptr);
    if (m_openError != SQLITE_OK) {
        closeFailed();
        return false;
    }
    sqlite3_busy_timeout(m_db, busyTimeoutMs);
    // WAL lets readers in other processes go on while one process writes;
    // NORMAL sync keeps every committed transaction across a process crash.
    if (!exec("PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL; PRAGMA foreign_keys=ON;")) {
        m_openError = sqlite3_errcode(m_db);
        closeFailed();
        return false;
    }
    return true;
}

bool SqliteDb::lastFailureWasDamage() const {
    const int code = (m_db != nullptr ? sqlite3_errcode(m_db) : m_openError) & 0xFF;
    return code == SQLITE_NOTADB || code == SQLITE_CORRUPT;
}

void SqliteDb::closeFailed(const QString& why) {
    if (!why.isEmpty()) {
        m_failure = why;
    } else {
        m_failure = m_db != nullptr ? QString::fromUtf8(sqlite3_errmsg(m_db))
                                    : QStringLiteral("out of memory");
    }
    close();
}

void SqliteDb::close() {
    if (m_db != nullptr) {
        sqlite3_close_v2(m_db);
        m_db = nullptr;
    }
}

bool SqliteDb::exec(const char* sql) {
    return m_db != nullptr && sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

QString SqliteDb::errorMessage() const {
    if (m_db != nullptr) {
        return QString::fromUtf8(sqlite3_errmsg(m_db));
    }
    return !m_failure.isEmpty() ? m_failure : QStringLiteral("not open");
}

int64_t SqliteDb::lastInsertRowId() const {
    return sqlite3_last_insert_rowid(m_db);
}

int SqliteDb::changes() const {
    return sqlite3_changes(m_db);
}

SqliteStatement::SqliteStatement(const SqliteDb& db, const char* sql) {
    if (db.handle() == nullptr ||
        sqlite3_prepare_v2(db.handle(), sql, -1, &m_stmt, nullptr) != SQLITE_OK) {
        sqlite3_finalize(m_stmt);
        m_stmt = nullptr;
    }
}

SqliteStatement::~SqliteStatement() {
    sqlite3_finalize(m_stmt);
}

void SqliteStatement::bind(int index, int64_t value) {
    sqlite3_bind_int64(m_stmt, index, value);
}

void SqliteStatement::bind(int index, const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    sqlite3_bind_text(m_stmt, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
}

void SqliteStatement::bindBlob(int index, const QByteArray& bytes) {
    // A zero-length blob must stay a blob, not become NULL.
    static const char kEmpty = 0;
    sqlite3_bind_blob(m_stmt, index, bytes.isEmpty() ? &kEmpty : bytes.constData(),
                      int(bytes.size()), SQLITE_TRANSIENT);
}

void SqliteStatement::bindNull(int index) {
    sqlite3_bind_null(m_stmt, index);
}

bool SqliteStatement::step() {
    if (m_stmt == nullptr) {
        m_lastResult = SQLITE_MISUSE;
        return false;
    }
    m_lastResult = sqlite3_step(m_stmt);
    return m_lastResult == SQLITE_ROW;
}

bool SqliteStatement::run() {
    while (step()) {
    }
    return done();
}

void SqliteStatement::reset() {
    if (m_stmt != nullptr) {
        sqlite3_reset(m_stmt);
        sqlite3_clear_bindings(m_stmt);
    }
    m_lastResult = SQLITE_OK;
}

int64_t SqliteStatement::columnInt(int column) const {
    return sqlite3_column_int64(m_stmt, column);
}

QString SqliteStatement::columnText(int column) const {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, column));
    return QString::fromUtf8(text, sqlite3_column_bytes(m_stmt, column));
}

QByteArray SqliteStatement::columnBlob(int column) const {
    const void* data = sqlite3_column_blob(m_stmt, column);
    return QByteArray(static_cast<const char*>(data), sqlite3_column_bytes(m_stmt, column));
}

QByteArray SqliteStatement::columnBlobView(int column) const {
    const void* data = sqlite3_column_blob(m_stmt, column);
    const int size = sqlite3_column_bytes(m_stmt, column);
    return data == nullptr ? QByteArray()
                           : QByteArray::fromRawData(static_cast<const char*>(data), size);
}

bool SqliteStatement::columnIsNull(int column) const {
    return sqlite3_column_type(m_stmt, column) == SQLITE_NULL;
}

SqliteTransaction::SqliteTransaction(SqliteDb& db) : m_db(db) {
    m_active = m_db.exec("BEGIN IMMEDIATE");
}

SqliteTransaction::~SqliteTransaction() {
    if (m_active) {
        m_db.exec("ROLLBACK");
    }
}

bool SqliteTransaction::commit() {
    if (!m_active) {
        return false;
    }
    m_active = false;
    if (m_db.exec("COMMIT")) {
        return true;
    }
    m_db.exec("ROLLBACK");
    return false;
}

}  // namespace kontavo
