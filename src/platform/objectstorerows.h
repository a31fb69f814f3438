#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <functional>
#include <optional>

#include "platform/objectstore.h"
#include "platform/sqlitedb.h"

namespace kontavo {

// One stored record: its Oid and the inline part of its properties.
struct StoredRow {
    Oid oid = 0;
    QByteArray props;
};

// Outcome of fetching one row.
enum class Fetch { Found, Missing, Failed };

// The read queries of the object store, prepared once on its connection.
// Every query resets its statement when done, so no read transaction stays
// open between calls. Used only by the store's own classes.
class ObjectStoreRows {
public:
    // Most rows fetched by one read-ahead or one batch lookup.
    static constexpr int kBatch = 128;
    static constexpr int kLookupBatch = 64;

    explicit ObjectStoreRows(SqliteDb& db);
    ObjectStoreRows(const ObjectStoreRows&) = delete;
    ObjectStoreRows& operator=(const ObjectStoreRows&) = delete;

    bool isValid() const;

    Fetch row(Oid db, Oid oid, StoredRow& row);
    // The row and its external part (empty when it has none), read together.
    Fetch rowWithExternal(Oid db, Oid oid, StoredRow& row, QByteArray& external);
    // Up to `limit` rows of `db` with Oids above `after`, ascending.
    bool rowsAfter(Oid db, Oid after, int limit, QList<StoredRow>& rows);
    // The rows of `db` among `oids` (at most kLookupBatch), in any order.
    bool rowsOf(Oid db, const QList<Oid>& oids, QList<StoredRow>& rows);
    // Calls `visit` for every row of `db`, ascending.
    bool forEachRow(Oid db, const std::function<void(const StoredRow&)>& visit);
    // Calls `visit` for every row of `db`, ascending, with its external part
    // (empty when it has none), all read by one query. The bytes are valid
    // only during the call; `visit` must not change the store.
    bool forEachRowWithExternal(
        Oid db,
        const std::function<bool(Oid, const QByteArray& props, const QByteArray& external)>& visit);
    std::optional<QList<Oid>> oids(Oid db);

    // The changes of `db` logged after the one that left it with the
    // last-modified time `since`, oldest first; none when that is still its
    // time. Fetch::Missing when the log no longer holds that change (it was
    // trimmed away, or logged without its time, or never made). Reads the
    // database's time and the log in one snapshot.
    Fetch changesSince(Oid db, uint64_t since, QList<DbNotification>& changes);

    std::optional<DbInfo> database(Oid db);
    // Fetch::Missing when no database has that case-folded name.
    Fetch databaseByName(const QString& name, DbInfo& info);

private:
    Fetch readChangesSince(Oid db, uint64_t since, QList<DbNotification>& changes);

    SqliteDb& m_db;
    SqliteStatement m_row;
    SqliteStatement m_rowWithExternal;
    SqliteStatement m_rowsAfter;
    SqliteStatement m_rowsOf;
    SqliteStatement m_oids;
    SqliteStatement m_modified;
    SqliteStatement m_changeAt;
    SqliteStatement m_changesAfter;
    SqliteStatement m_database;
    SqliteStatement m_databaseByName;
};

// Case folding used for database names.
QString foldDatabaseName(const QString& name);

}  // namespace kontavo
