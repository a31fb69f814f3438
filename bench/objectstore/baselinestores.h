#pragma once

#include <QString>
#include <functional>

#include "platform/propvalue.h"
#include "platform/sqlitedb.h"

namespace kontavo::bench {

// The plain alternative schema: one row per property,
// props(oid, tag, ival, bval) keyed by (oid, tag).
class RowPerPropertyStore {
public:
    bool open(const QString& path);
    // Stores `count` records from `next`, Oids 1..count, in one transaction.
    bool fill(int count, const std::function<PropList()>& next);
    // Reads the listed tags of every record in Oid order; returns records seen.
    int scan(const QList<PropTag>& tags);
    PropList readAll(Oid oid);
    bool update(Oid oid, const PropList& props);

private:
    SqliteDb m_db;
};

// The packed schema without the external part: every value, notes
// included, in one blob per record.
class SingleBlobStore {
public:
    bool open(const QString& path);
    bool fill(int count, const std::function<PropList()>& next);
    int scan(const QList<PropTag>& tags);

private:
    SqliteDb m_db;
};

// The object store's own file read with one query over `records`, as the
// alternatives above are read: the schema alone, without the cursor and
// the handle's read() around it.
class OwnSchemaReader {
public:
    bool open(const QString& path);
    int scan(Oid db, const QList<PropTag>& tags);

private:
    SqliteDb m_db;
};

}  // namespace kontavo::bench
