#pragma once

#include <QString>
#include <functional>
#include <memory>

#include "platform/objectstore.h"
#include "platform/objectstorerows.h"
#include "platform/sqlitedb.h"

namespace kontavo {

class ObjectStoreNotifier;
class ObjectStoreWriter;

// What a SqliteObjectStore and all its handles share: the one connection,
// its prepared queries, the writer and the notifier. Handles keep it alive
// through a shared pointer. Single-threaded, like the store.
class ObjectStoreCore {
public:
    // Opens or creates the store file; isOpen() tells the outcome.
    explicit ObjectStoreCore(const QString& filePath);
    ~ObjectStoreCore();
    ObjectStoreCore(const ObjectStoreCore&) = delete;
    ObjectStoreCore& operator=(const ObjectStoreCore&) = delete;

    bool isOpen() const { return m_rows != nullptr; }
    const QString& filePath() const { return m_filePath; }
    // Why the store could not be opened (SQLite's message).
    QString errorMessage() const { return m_db.errorMessage(); }
    SqliteDb& db() { return m_db; }
    ObjectStoreRows& rows() { return *m_rows; }
    ObjectStoreWriter& writer() { return *m_writer; }
    // Created on first use: only handles that ask for notifications start
    // its timers.
    ObjectStoreNotifier& notifier();

    // Changes with every commit or rollback made through this connection;
    // handles compare it to know whether what they hold may be stale.
    uint64_t generation() const { return m_generation; }
    bool inTransaction() const;

    // One write: its own BEGIN IMMEDIATE transaction, or part of the batch
    // in progress. A write abandoned after it changed the file makes the
    // innermost batch roll back at its end.
    bool beginWrite();
    bool commitWrite();
    void abandonWrite(bool changedFile);
    bool runBatch(const std::function<bool()>& work, DbError& error);

    // The error of the last failed SQLite call, as a device error code.
    DbError sqliteError() const;

private:
    bool createSchema();
    void reportStrayRows();
    bool endBatch(bool outermost, bool commit, DbError& error);
    void finishTransaction(bool committed);

    QString m_filePath;
    SqliteDb m_db;
    bool m_unknownFormat = false;
    std::unique_ptr<ObjectStoreRows> m_rows;
    std::unique_ptr<ObjectStoreWriter> m_writer;
    std::unique_ptr<ObjectStoreNotifier> m_notifier;
    uint64_t m_generation = 0;
    int m_batchDepth = 0;
    int m_failedAtDepth = 0;  // batch depth of a write that failed midway; 0: none
    DbError m_batchError = DbError::None;
};

// A write made through the core: undone unless committed.
class ObjectWriteScope {
public:
    explicit ObjectWriteScope(ObjectStoreCore& core) : m_core(core), m_active(core.beginWrite()) {}
    ~ObjectWriteScope();
    ObjectWriteScope(const ObjectWriteScope&) = delete;
    ObjectWriteScope& operator=(const ObjectWriteScope&) = delete;

    bool isActive() const { return m_active; }
    // Called before the first statement that changes the file.
    void changing() { m_changing = true; }
    bool commit();

private:
    ObjectStoreCore& m_core;
    bool m_active;
    bool m_changing = false;
};

}  // namespace kontavo
