#include "platform/objectstorerows.h"

// Rows whose Oid does not fit in 32 bits (written by something else than
// this store) are never returned: an Oid cut to 32 bits would name another
// record, and a forward walk would come back to them for ever.
#define KONTAVO_OID_IN_RANGE "oid BETWEEN 1 AND 4294967295"

namespace kontavo {

namespace {

// Resets a statement on every path, ending its read transaction.
class StatementUse {
public:
    explicit StatementUse(SqliteStatement& statement) : m_statement(statement) {
        m_statement.reset();
    }
    ~StatementUse() { m_statement.reset(); }
    StatementUse(const StatementUse&) = delete;
    StatementUse& operator=(const StatementUse&) = delete;

private:
    SqliteStatement& m_statement;
};

QByteArray rowsOfQuery() {
    QByteArray sql("SELECT oid, props FROM records WHERE db=?1 AND oid IN (");
    for (int i = 0; i < ObjectStoreRows::kLookupBatch; ++i) {
        sql += (i == 0 ? "?" : ",?") + QByteArray::number(i + 2);
    }
    return sql + ")";
}

StoredRow rowFrom(const SqliteStatement& statement) {
    return {Oid(statement.columnInt(0)), statement.columnBlob(1)};
}

}  // namespace

QString foldDatabaseName(const QString& name) {
    return name.toCaseFolded();
}

ObjectStoreRows::ObjectStoreRows(SqliteDb& db)
    : m_db(db),
      m_row(db, "SELECT oid, props FROM records WHERE oid=?1 AND db=?2"),
      m_rowWithExternal(db,
                        "SELECT r.oid, r.props, e.bytes FROM records r"
                        " LEFT JOIN externals e ON e.oid=r.oid WHERE r.oid=?1 AND r.db=?2"),
      // The same range: the Oid a walk continues after (never negative) is
      // its lower bound. SQLite seeks on one lower bound only; with two, each
      // batch would be read from the first record on.
      m_rowsAfter(db,
                  "SELECT oid, props FROM records WHERE db=?1 AND oid>?2 AND oid<=4294967295"
                  " ORDER BY oid LIMIT ?3"),
      m_rowsOf(db, rowsOfQuery().constData()),
      m_oids(db, "SELECT oid FROM records WHERE db=?1 AND " KONTAVO_OID_IN_RANGE " ORDER BY oid"),
      m_modified(db, "SELECT modified FROM databases WHERE oid=?1"),
      m_changeAt(db, "SELECT seq FROM changes WHERE db=?1 AND modified=?2"),
      m_changesAfter(db, "SELECT kind, oid FROM changes WHERE db=?1 AND seq>?2 ORDER BY seq"),
      m_database(db, "SELECT oid, name, record_count, modified FROM databases WHERE oid=?1"),
      m_databaseByName(db,
                       "SELECT oid, name, record_count, modified FROM databases WHERE fold=?1") {}

bool ObjectStoreRows::isValid() const {
    return m_row.isValid() && m_rowWithExternal.isValid() && m_rowsAfter.isValid() &&
           m_rowsOf.isValid() && m_oids.isValid() && m_modified.isValid() && m_changeAt.isValid() &&
           m_changesAfter.isValid() && m_database.isValid() && m_databaseByName.isValid();
}

Fetch ObjectStoreRows::row(Oid db, Oid oid, StoredRow& row) {
    StatementUse use(m_row);
    m_row.bind(1, int64_t(oid));
    m_row.bind(2, int64_t(db));
    if (m_row.step()) {
        row = rowFrom(m_row);
        return Fetch::Found;
    }
    return m_row.done() ? Fetch::Missing : Fetch::Failed;
}

Fetch ObjectStoreRows::rowWithExternal(Oid db, Oid oid, StoredRow& row, QByteArray& external) {
    StatementUse use(m_rowWithExternal);
    m_rowWithExternal.bind(1, int64_t(oid));
    m_rowWithExternal.bind(2, int64_t(db));
    if (m_rowWithExternal.step()) {
        row = rowFrom(m_rowWithExternal);
        external = m_rowWithExternal.columnBlob(2);
        return Fetch::Found;
    }
    return m_rowWithExternal.done() ? Fetch::Missing : Fetch::Failed;
}

bool ObjectStoreRows::rowsAfter(Oid db, Oid after, int limit, QList<StoredRow>& rows) {
    StatementUse use(m_rowsAfter);
    m_rowsAfter.bind(1, int64_t(db));
    m_rowsAfter.bind(2, int64_t(after));
    m_rowsAfter.bind(3, int64_t(limit));
    while (m_rowsAfter.step()) {
        rows.append(rowFrom(m_rowsAfter));
    }
    return m_rowsAfter.done();
}

bool ObjectStoreRows::rowsOf(Oid db, const QList<Oid>& oids, QList<StoredRow>& rows) {
    StatementUse use(m_rowsOf);
    m_rowsOf.bind(1, int64_t(db));
    // Unused places stay bound to 0, which is never a record's Oid.
    for (int i = 0; i < kLookupBatch; ++i) {
        m_rowsOf.bind(i + 2, int64_t(i < oids.size() ? oids[i] : 0));
    }
    while (m_rowsOf.step()) {
        rows.append(rowFrom(m_rowsOf));
    }
    return m_rowsOf.done();
}

bool ObjectStoreRows::forEachRow(Oid db, const std::function<void(const StoredRow&)>& visit) {
    SqliteStatement all(m_db, "SELECT oid, props FROM records WHERE db=?1 AND " KONTAVO_OID_IN_RANGE
                              " ORDER BY oid");
    all.bind(1, int64_t(db));
    while (all.step()) {
        visit(rowFrom(all));
    }
    return all.done();
}

bool ObjectStoreRows::forEachRowWithExternal(
    Oid db,
    const std::function<bool(Oid, const QByteArray& props, const QByteArray& external)>& visit) {
    SqliteStatement all(
        m_db,
        "SELECT r.oid, r.props, e.bytes FROM records r"
        " LEFT JOIN externals e ON e.oid=r.oid WHERE r.db=?1 AND r." KONTAVO_OID_IN_RANGE
        " ORDER BY r.oid");
    all.bind(1, int64_t(db));
    while (all.step()) {
        if (!visit(Oid(all.columnInt(0)), all.columnBlobView(1), all.columnBlobView(2))) {
            return false;
        }
    }
    return all.done();
}

std::optional<QList<Oid>> ObjectStoreRows::oids(Oid db) {
    StatementUse use(m_oids);
    m_oids.bind(1, int64_t(db));
    QList<Oid> result;
    while (m_oids.step()) {
        result.append(Oid(m_oids.columnInt(0)));
    }
    return m_oids.done() ? std::optional(result) : std::nullopt;
}

Fetch ObjectStoreRows::changesSince(Oid db, uint64_t since, QList<DbNotification>& changes) {
    changes.clear();
    // Inside a transaction of this connection the reads share its snapshot.
    const bool ownSnapshot = sqlite3_get_autocommit(m_db.handle()) != 0;
    if (ownSnapshot && !m_db.exec("BEGIN")) {
        return Fetch::Failed;
    }
    const Fetch fetch = readChangesSince(db, since, changes);
    if (ownSnapshot) {
        m_db.exec("COMMIT");
    }
    if (fetch != Fetch::Found) {
        changes.clear();
    }
    return fetch;
}

// The database's time moves on with every change, so the change that set
// `since` is the only entry of `db` holding it.
Fetch ObjectStoreRows::readChangesSince(Oid db, uint64_t since, QList<DbNotification>& changes) {
    {
        StatementUse use(m_modified);
        m_modified.bind(1, int64_t(db));
        if (!m_modified.step()) {
            return m_modified.done() ? Fetch::Missing : Fetch::Failed;
        }
        if (uint64_t(m_modified.columnInt(0)) == since) {
            return Fetch::Found;
        }
    }
    int64_t anchor = 0;
    {
        StatementUse use(m_changeAt);
        m_changeAt.bind(1, int64_t(db));
        m_changeAt.bind(2, int64_t(since));
        if (!m_changeAt.step()) {
            return m_changeAt.done() ? Fetch::Missing : Fetch::Failed;
        }
        anchor = m_changeAt.columnInt(0);
    }
    StatementUse use(m_changesAfter);
    m_changesAfter.bind(1, int64_t(db));
    m_changesAfter.bind(2, anchor);
    while (m_changesAfter.step()) {
        changes.append(
            {DbNotifyType(m_changesAfter.columnInt(0)), db, Oid(m_changesAfter.columnInt(1))});
    }
    return m_changesAfter.done() ? Fetch::Found : Fetch::Failed;
}

std::optional<DbInfo> ObjectStoreRows::database(Oid db) {
    StatementUse use(m_database);
    m_database.bind(1, int64_t(db));
    if (!m_database.step()) {
        return std::nullopt;
    }
    return DbInfo{db, m_database.columnText(1), uint32_t(m_database.columnInt(2)),
                  uint64_t(m_database.columnInt(3))};
}

Fetch ObjectStoreRows::databaseByName(const QString& name, DbInfo& info) {
    StatementUse use(m_databaseByName);
    m_databaseByName.bind(1, foldDatabaseName(name));
    if (m_databaseByName.step()) {
        info = {Oid(m_databaseByName.columnInt(0)), m_databaseByName.columnText(1),
                uint32_t(m_databaseByName.columnInt(2)), uint64_t(m_databaseByName.columnInt(3))};
        return Fetch::Found;
    }
    return m_databaseByName.done() ? Fetch::Missing : Fetch::Failed;
}

}  // namespace kontavo
