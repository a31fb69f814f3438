#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <memory>

#include "platform/sqlitedb.h"
#include "store/record/proptag.h"

namespace kontavo::bench {

// The baseline of the index benchmark: SQLite FTS5 tables with prefix
// indexes of 1 to 4 characters, one row per contact (rowid = Oid) holding
// the same plain words, and a second table the same group words, that the
// index files. Lookups answer like the index: Oids ascending, every query
// word a prefix of one of the row's words. One thread.
class Fts5Baseline {
public:
    bool open(const QString& path);
    void close();
    bool begin();
    bool commit();
    // Replaces the row of `oid`.
    bool put(Oid oid, const QStringList& words, const QStringList& groupWords);
    bool remove(Oid oid);
    // Deletes every row.
    bool clear();

    QList<Oid> findWords(const QStringList& prefixes);
    QList<Oid> findGroupKey(const QString& key);

private:
    QList<Oid> match(const QString& expression);

    SqliteDb m_db;
    std::unique_ptr<SqliteStatement> m_insert;
    std::unique_ptr<SqliteStatement> m_delete;
    std::unique_ptr<SqliteStatement> m_match;
};

}  // namespace kontavo::bench
