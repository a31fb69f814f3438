#pragma once

#include <QList>
#include <memory>

#include "platform/objectstorerows.h"
#include "platform/objectstoresortorder.h"

namespace kontavo {

class ObjectStoreCore;

// The position of a handle in one database: ascending Oid, or the order of
// a sort property. Walking forward fetches rows in batches (kBatch rows, or
// kLookupBatch Oids of a sort order, per query); a batch is dropped when
// this store commits or rolls back, so what it returns always includes this
// process's own changes. Changes by other processes show up from the next
// batch on. Used only by SqliteObjectDatabase.
class ObjectStoreCursor {
public:
    ObjectStoreCursor(ObjectStoreCore& core, Oid db, PropTag sortTag);
    ObjectStoreCursor(const ObjectStoreCursor&) = delete;
    ObjectStoreCursor& operator=(const ObjectStoreCursor&) = delete;

    // Each returns Found with the row made current, Missing when there is
    // no such row (no current row then), or Failed (see error()).
    Fetch first();
    Fetch next();
    Fetch seekOid(Oid oid);
    // Sorted cursors only: the first row whose sort value equals `value`.
    Fetch seekValue(const PropValue& value);
    // Reads the current row again. When it is gone the position stays, so
    // that next() goes on after it.
    Fetch refresh();

    const StoredRow& current() const { return m_current; }
    DbError error() const { return m_error; }

private:
    Fetch take();
    Fetch fail();
    bool fillAhead();
    bool fillFromOrder();
    bool rebuildOrder();
    void dropAhead();

    ObjectStoreCore& m_core;
    Oid m_db;
    std::unique_ptr<ObjectStoreSortOrder> m_order;  // null: ascending Oid
    StoredRow m_current;
    qsizetype m_orderPos = -1;  // index of the current row in m_order
    QList<StoredRow> m_ahead;
    QList<qsizetype> m_aheadOrderPos;
    qsizetype m_aheadNext = 0;
    uint64_t m_generation = 0;  // of the store when m_ahead and m_order were read
    DbError m_error = DbError::None;
};

}  // namespace kontavo
