#pragma once

#include <sqlite3.h>

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>

namespace kontavo {

class SqliteStatement;

// One SQLite connection opened in WAL mode with a busy timeout, so that
// several processes can share the file. Not thread-safe: use one connection
// per thread.
class SqliteDb {
public:
    SqliteDb() = default;
    ~SqliteDb();
    SqliteDb(const SqliteDb&) = delete;
    SqliteDb& operator=(const SqliteDb&) = delete;

    // Opens (creating when missing) the database file at `path`. Returns
    // false and leaves the object closed on failure; errorMessage() says why.
    bool open(const QString& path, int busyTimeoutMs = 10000);
    void close();
    // Closes the connection after a failed step of opening it, keeping why
    // for errorMessage(): `why`, else SQLite's message of the last call.
    void closeFailed(const QString& why = QString());
    bool isOpen() const { return m_db != nullptr; }

    // Runs one or more statements without results.
    bool exec(const char* sql);
    sqlite3* handle() const { return m_db; }
    // SQLite's message of the last call; once closed after a failure, what
    // made the opening fail.
    QString errorMessage() const;
    // True when the last failure (of open() too) says the file is damaged
    // or no database at all.
    bool lastFailureWasDamage() const;
    int64_t lastInsertRowId() const;
    int changes() const;

private:
    sqlite3* m_db = nullptr;
    int m_openError = SQLITE_OK;  // the error that made open() fail
    QString m_failure;  // why the last opening failed
};

// A prepared statement. Bind indexes are 1-based, column indexes 0-based.
class SqliteStatement {
public:
    SqliteStatement(const SqliteDb& db, const char* sql);
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    bool isValid() const { return m_stmt != nullptr; }

    void bind(int index, int64_t value);
    void bind(int index, const QString& text);
    void bindBlob(int index, const QByteArray& bytes);
    void bindNull(int index);

    // Steps once: true while a row is available. done() tells whether the
    // statement finished without error after step() returned false.
    bool step();
    bool done() const { return m_lastResult == SQLITE_DONE; }
    // Steps to completion; true when the statement ran without error.
    bool run();
    void reset();

    int64_t columnInt(int column) const;
    QString columnText(int column) const;
    QByteArray columnBlob(int column) const;
    // The column's bytes without a copy: valid until the next step or reset.
    QByteArray columnBlobView(int column) const;
    bool columnIsNull(int column) const;

private:
    sqlite3_stmt* m_stmt = nullptr;
    int m_lastResult = SQLITE_OK;
};

// Runs a write transaction (BEGIN IMMEDIATE ... COMMIT) and rolls it back when
// not committed, on every path.
class SqliteTransaction {
public:
    explicit SqliteTransaction(SqliteDb& db);
    ~SqliteTransaction();
    SqliteTransaction(const SqliteTransaction&) = delete;
    SqliteTransaction& operator=(const SqliteTransaction&) = delete;

    bool isActive() const { return m_active; }
    bool commit();

private:
    SqliteDb& m_db;
    bool m_active = false;
};

}  // namespace kontavo
