#pragma once

#include <QList>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

#include "platform/objectstoretypes.h"
#include "platform/propvalue.h"

namespace kontavo {

// Receives the change notifications of one open database, on the Qt event
// loop of the thread that opened it; never from inside a store call.
using DbNotifyFn = std::function<void(const DbNotification&)>;

struct DbOpenOptions {
    // The property whose value orders the records for seeking (0: database
    // order, that is ascending Oid). Records without it come last; equal
    // values are ordered by Oid. Strings sort with the user's locale.
    PropTag sortTag = 0;
    // When set, every created, changed and deleted record of the database,
    // by this process or any other, is reported here after its commit.
    DbNotifyFn notify;
    // Creates the database when no database of that name exists.
    bool createIfMissing = false;
};

struct DbInfo {
    Oid oid = 0;
    QString name;
    uint32_t recordCount = 0;
    uint64_t lastModified = 0;  // FILETIME; changes with every change of the database
};

// One record as read: its Oid and properties.
struct DbRecord {
    Oid oid = 0;
    PropList props;
};

// One open database: a handle with a current position. Operations report
// failure as false / nullopt / 0 and leave the reason in lastError().
//
// Position: a newly opened handle stands before the first record, so that
// read() or seekNext() start there. seekFirst(), seekOid() and seekValue()
// make the record found current; seekNext() moves on in the sort order. A
// failed seek, or a seekNext() past the last record, leaves no current
// record: read() then fails with NoMoreItems (259) until the next seek.
// A forward walk fetches records in batches: a change made through this
// store is seen at once, one made by another process from the next batch on
// (its notification follows in any case).
//
// Not thread-safe; use a handle on the thread that opened it. Handles may
// outlive their ObjectStore object.
class ObjectDatabase {
public:
    virtual ~ObjectDatabase() = default;

    virtual Oid oid() const = 0;
    virtual QString name() const = 0;
    virtual DbError lastError() const = 0;

    // The first record in sort order. An empty database: false, NoMoreItems.
    virtual bool seekFirst() = 0;
    // The record `oid` of this database; false with SeekFailed when absent.
    virtual bool seekOid(Oid oid) = 0;
    // The next record in sort order; false with NoMoreItems past the last.
    virtual bool seekNext() = 0;
    // The first record (in sort order) whose sort property equals `value`
    // exactly; false with SeekFailed when none does. The handle must have
    // been opened with `value.tag()` as its sort property (else
    // InvalidParameter).
    virtual bool seekValue(const PropValue& value) = 0;
    // True after a seekNext() ran past the last record or a seek failed.
    virtual bool atEnd() const = 0;
    // The Oid of the current record (also when reading it failed); 0 when
    // there is none.
    virtual Oid currentOid() const = 0;

    // Every property of the current record, ascending by tag. Fails with
    // NoMoreItems without a current record, NotFound when the record was
    // deleted since the seek, InvalidData when its bytes are corrupt.
    virtual std::optional<DbRecord> readAll() = 0;
    // The listed properties of the current record, one per requested tag in
    // the order asked; a property the record lacks comes back with
    // kPropNotFound set (callers skip those).
    virtual std::optional<DbRecord> read(const QList<PropTag>& tags) = 0;
    // Visits every record of the database, ascending by Oid whatever the
    // sort order, each with all its properties as readAll() gives them, in
    // one pass over one state of the store (what others change meanwhile is
    // not seen). Leaves the position alone. A record whose stored bytes
    // cannot be decoded is passed over and its Oid given to `undecodable`.
    // `visit` must not change the store.
    virtual bool readEveryRecord(const std::function<void(const DbRecord&)>& visit,
                                 const std::function<void(Oid)>& undecodable) = 0;

    // Writes properties to record `oid` of this database, or creates a new
    // record when `oid` is 0. A property flagged kPropDelete removes that
    // tag; the others are set (the last one wins when a tag repeats).
    // Every successful write counts as a change (notification, last-modified
    // time), even when no value differs. Returns the record's Oid, or 0 with
    // NotFound when `oid` is not a record of this database,
    // InvalidParameter for an invalid value, InvalidData when the stored
    // record cannot be decoded.
    virtual Oid write(Oid oid, const PropList& props) = 0;
    // Deletes record `oid` of this database; false with NotFound when absent.
    virtual bool deleteRecord(Oid oid) = 0;

    virtual std::optional<DbInfo> info() = 0;
    // The Oids of every record, ascending.
    virtual std::optional<QList<Oid>> recordOids() = 0;
    // The changes of this database made after the one that left it with the
    // last-modified time `lastModified`, oldest first, from the store's
    // change log: created, changed and deleted records (type, parent, Oid);
    // an empty list while `lastModified` is still the database's time.
    // Fails with SeekFailed when the log no longer reaches back to that
    // change (the log was trimmed past it, or the time was never the
    // database's), so that the caller must compare the records themselves.
    virtual std::optional<QList<DbNotification>> changesSince(uint64_t lastModified) = 0;
};

// The object store of a device: named databases of records with typed
// properties. Every change is one atomic transaction, and several processes
// may use the store at once. Not thread-safe; one thread per object.
class ObjectStore {
public:
    virtual ~ObjectStore() = default;

    // Opens the database named `name` (compared case-insensitively). Fails
    // with FileNotFound when it does not exist and may not be created,
    // InvalidParameter for an empty name or an unknown sort property type.
    virtual std::unique_ptr<ObjectDatabase> open(const QString& name,
                                                 const DbOpenOptions& options) = 0;
    virtual DbError lastError() const = 0;

    // Runs `work` as one transaction: every write made through this store's
    // handles inside it commits together when `work` returns true and is
    // undone when it returns false, or when a write inside failed after it
    // had begun changing the file (a write refused beforehand, for a bad
    // value or a missing record, leaves the batch intact). Batches nest.
    // Notifications follow the commit.
    virtual bool runBatch(const std::function<bool()>& work) = 0;
};

}  // namespace kontavo
