#pragma once

#include <optional>

#include "platform/objectstore.h"
#include "platform/propcodec.h"
#include "platform/sqlitedb.h"

namespace kontavo {

class ObjectStoreCore;
class ObjectWriteScope;

// The changes of the object store. Each operation is one write transaction
// (or part of the batch in progress) that also appends its change to the change
// log and advances the database's record count and last-modified time, so
// that a crash leaves either all of it or none. Used only by the store's own
// classes.
class ObjectStoreWriter {
public:
    // The change log keeps at least this many latest entries; it is trimmed
    // every kTrimEvery entries.
    static constexpr int64_t kLogKeep = 65536;
    static constexpr int64_t kTrimEvery = 1024;
    // Largest stored record (both parts together).
    static constexpr qsizetype kMaxRecordBytes = 16 * 1024 * 1024;

    explicit ObjectStoreWriter(ObjectStoreCore& core);
    ObjectStoreWriter(const ObjectStoreWriter&) = delete;
    ObjectStoreWriter& operator=(const ObjectStoreWriter&) = delete;

    bool isValid() const;

    // Creates a record of `db` (oid 0) or changes record `oid` of `db`.
    // Returns the record's Oid, or 0 with `error` set.
    Oid write(Oid db, Oid oid, const PropList& props, DbError& error);
    bool remove(Oid db, Oid oid, DbError& error);
    // Creates the database unless one of that name exists (which another
    // process may just have done); returns the database either way.
    std::optional<DbInfo> createDatabase(const QString& name, DbError& error);

private:
    Oid create(ObjectWriteScope& scope, Oid db, const PropList& props, DbError& error);
    Oid update(ObjectWriteScope& scope, Oid db, Oid oid, const PropList& props, DbError& error);
    std::optional<Oid> allocateOid(DbError& error);
    std::optional<PropList> storedProps(Oid db, Oid oid, DbError& error);
    bool storeExternal(Oid oid, const QByteArray& external);
    bool recordChange(DbNotifyType type, Oid db, Oid oid, int countDelta);
    bool trimLog(int64_t lastSeq);
    DbError failure();

    ObjectStoreCore& m_core;
    SqliteDb& m_db;
    SqliteStatement m_allocate;
    SqliteStatement m_insertRecord;
    SqliteStatement m_updateRecord;
    SqliteStatement m_deleteRecord;
    SqliteStatement m_putExternal;
    SqliteStatement m_deleteExternal;
    SqliteStatement m_logChange;
    SqliteStatement m_touch;
};

// Validation shared with the handles: every value valid, flagged at most
// with kPropDelete.
bool isWritable(const PropList& props);

}  // namespace kontavo
