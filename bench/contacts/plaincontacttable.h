#pragma once

#include <QList>
#include <QString>

#include "platform/objectstore.h"
#include "platform/sqlitedb.h"
#include "store/contacts/categoryfilter.h"
#include "store/contacts/listentry.h"

namespace kontavo::bench {

// The baseline of the list benchmarks: the seven list properties of every
// contact as columns of one SQLite table keyed by Oid, the least a list
// query could read.
class PlainContactTable {
public:
    bool open(const QString& path);
    // Copies the seven list properties of every record of `db`.
    bool fillFrom(ObjectDatabase& db);
    // Every row in Oid order whose mask the filter keeps, as list entries.
    bool list(const CategoryFilter& filter, QList<ListEntry>& out);

private:
    SqliteDb m_db;
};

}  // namespace kontavo::bench
