#include "platform/objectstorewriter.h"

#include <QMap>
#include <ctime>

#include "platform/objectstorecore.h"

namespace kontavo {

namespace {

// Now as a FILETIME: 100 ns units since 1601-01-01 UTC.
uint64_t currentFileTime() {
    constexpr uint64_t kUnixEpoch = 116444736000000000ull;
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return kUnixEpoch + uint64_t(now.tv_sec) * 10000000ull + uint64_t(now.tv_nsec) / 100;
}

PropList merged(const PropList& stored, const PropList& changes) {
    QMap<PropTag, PropValue> byTag;
    for (const PropValue& prop : stored) {
        byTag.insert(prop.tag(), prop);
    }
    for (const PropValue& prop : changes) {
        if (prop.isDeletion()) {
            byTag.remove(prop.tag());
        } else {
            byTag.insert(prop.tag(), prop);
        }
    }
    return byTag.values();
}

bool fits(const propcodec::EncodedRecord& record) {
    return record.inlinePart.size() + record.externalPart.size() <=
           ObjectStoreWriter::kMaxRecordBytes;
}

}  // namespace

bool isWritable(const PropList& props) {
    for (const PropValue& prop : props) {
        if (!prop.isValid() || prop.isNotFound() ||
            (!prop.isDeletion() && (prop.toString().size() * 2 > propcodec::kMaxValueBytes ||
                                    prop.toBlob().size() > propcodec::kMaxValueBytes))) {
            return false;
        }
    }
    return true;
}

ObjectStoreWriter::ObjectStoreWriter(ObjectStoreCore& core)
    : m_core(core),
      m_db(core.db()),
      m_allocate(m_db, "UPDATE store_meta SET value=value+1 WHERE key='last_oid' RETURNING value"),
      m_insertRecord(m_db, "INSERT INTO records(oid, db, props) VALUES(?1, ?2, ?3)"),
      m_updateRecord(m_db, "UPDATE records SET props=?2 WHERE oid=?1"),
      m_deleteRecord(m_db, "DELETE FROM records WHERE oid=?1 AND db=?2"),
      m_putExternal(m_db, "INSERT OR REPLACE INTO externals(oid, bytes) VALUES(?1, ?2)"),
      m_deleteExternal(m_db, "DELETE FROM externals WHERE oid=?1"),
      m_logChange(m_db, "INSERT INTO changes(kind, db, oid, modified) VALUES(?1, ?2, ?3, ?4)"),
      m_touch(m_db,
              "UPDATE databases SET record_count=record_count+?2,"
              " modified=MAX(?3, modified+1) WHERE oid=?1 RETURNING modified") {}

bool ObjectStoreWriter::isValid() const {
    return m_allocate.isValid() && m_insertRecord.isValid() && m_updateRecord.isValid() &&
           m_deleteRecord.isValid() && m_putExternal.isValid() && m_deleteExternal.isValid() &&
           m_logChange.isValid() && m_touch.isValid();
}

DbError ObjectStoreWriter::failure() {
    return m_core.sqliteError();
}

Oid ObjectStoreWriter::write(Oid db, Oid oid, const PropList& props, DbError& error) {
    if (!isWritable(props)) {
        error = DbError::InvalidParameter;
        return 0;
    }
    ObjectWriteScope scope(m_core);
    if (!scope.isActive()) {
        error = failure();
        return 0;
    }
    const PropList changes = propcodec::normalized(props);
    const Oid written =
        oid == 0 ? create(scope, db, changes, error) : update(scope, db, oid, changes, error);
    if (written == 0) {
        return 0;
    }
    if (!scope.commit()) {
        error = failure();
        return 0;
    }
    return written;
}

Oid ObjectStoreWriter::create(ObjectWriteScope& scope, Oid db, const PropList& props,
                              DbError& error) {
    const auto record = propcodec::encode(merged({}, props));
    if (!fits(record)) {
        error = DbError::InvalidParameter;
        return 0;
    }
    scope.changing();
    const std::optional<Oid> oid = allocateOid(error);
    if (!oid) {
        return 0;
    }
    m_insertRecord.reset();
    m_insertRecord.bind(1, int64_t(*oid));
    m_insertRecord.bind(2, int64_t(db));
    m_insertRecord.bindBlob(3, record.inlinePart);
    if (!m_insertRecord.run() || !storeExternal(*oid, record.externalPart) ||
        !recordChange(DbNotifyType::Created, db, *oid, +1)) {
        error = failure();
        return 0;
    }
    return *oid;
}

Oid ObjectStoreWriter::update(ObjectWriteScope& scope, Oid db, Oid oid, const PropList& props,
                              DbError& error) {
    const std::optional<PropList> stored = storedProps(db, oid, error);
    if (!stored) {
        return 0;
    }
    const auto record = propcodec::encode(merged(*stored, props));
    if (!fits(record)) {
        error = DbError::InvalidParameter;
        return 0;
    }
    scope.changing();
    m_updateRecord.reset();
    m_updateRecord.bind(1, int64_t(oid));
    m_updateRecord.bindBlob(2, record.inlinePart);
    if (!m_updateRecord.run() || !storeExternal(oid, record.externalPart) ||
        !recordChange(DbNotifyType::Changed, db, oid, 0)) {
        error = failure();
        return 0;
    }
    return oid;
}

bool ObjectStoreWriter::remove(Oid db, Oid oid, DbError& error) {
    ObjectWriteScope scope(m_core);
    if (!scope.isActive()) {
        error = failure();
        return false;
    }
    scope.changing();
    m_deleteRecord.reset();
    m_deleteRecord.bind(1, int64_t(oid));
    m_deleteRecord.bind(2, int64_t(db));
    if (!m_deleteRecord.run()) {
        error = failure();
        return false;
    }
    if (m_db.changes() != 1) {
        error = DbError::NotFound;
        return false;
    }
    if (!storeExternal(oid, {}) || !recordChange(DbNotifyType::RecordDeleted, db, oid, -1) ||
        !scope.commit()) {
        error = failure();
        return false;
    }
    return true;
}

std::optional<PropList> ObjectStoreWriter::storedProps(Oid db, Oid oid, DbError& error) {
    StoredRow row;
    QByteArray external;
    const Fetch fetch = m_core.rows().rowWithExternal(db, oid, row, external);
    if (fetch != Fetch::Found) {
        error = fetch == Fetch::Missing ? DbError::NotFound : failure();
        return std::nullopt;
    }
    std::optional<PropList> props = propcodec::decode(row.props, external);
    if (!props) {
        error = DbError::InvalidData;
    }
    return props;
}

std::optional<Oid> ObjectStoreWriter::allocateOid(DbError& error) {
    m_allocate.reset();
    if (!m_allocate.step()) {
        error = failure();
        return std::nullopt;
    }
    const int64_t value = m_allocate.columnInt(0);
    m_allocate.reset();
    if (value <= 0 || value > int64_t(UINT32_MAX)) {
        error = DbError::DiskFull;  // every 32-bit Oid has been used
        return std::nullopt;
    }
    return Oid(value);
}

bool ObjectStoreWriter::storeExternal(Oid oid, const QByteArray& external) {
    SqliteStatement& statement = external.isEmpty() ? m_deleteExternal : m_putExternal;
    statement.reset();
    statement.bind(1, int64_t(oid));
    if (!external.isEmpty()) {
        statement.bindBlob(2, external);
    }
    return statement.run();
}

// The log entry carries the database's new last-modified time, so that a
// reader holding that time finds the changes made after it.
bool ObjectStoreWriter::recordChange(DbNotifyType type, Oid db, Oid oid, int countDelta) {
    m_touch.reset();
    m_touch.bind(1, int64_t(db));
    m_touch.bind(2, int64_t(countDelta));
    m_touch.bind(3, int64_t(currentFileTime()));
    if (!m_touch.step()) {
        m_touch.reset();
        return false;
    }
    const int64_t modified = m_touch.columnInt(0);
    if (!m_touch.run()) {
        return false;
    }
    m_logChange.reset();
    m_logChange.bind(1, int64_t(type));
    m_logChange.bind(2, int64_t(db));
    m_logChange.bind(3, int64_t(oid));
    m_logChange.bind(4, modified);
    if (!m_logChange.run()) {
        return false;
    }
    const int64_t seq = m_db.lastInsertRowId();
    return seq % kTrimEvery != 0 || trimLog(seq);
}

bool ObjectStoreWriter::trimLog(int64_t lastSeq) {
    // Readers that have not reached the new floor learn that they lost
    // events instead of silently missing them.
    const int64_t floor = lastSeq - kLogKeep;
    if (floor <= 0) {
        return true;
    }
    SqliteStatement trim(m_db, "DELETE FROM changes WHERE seq<=?1");
    trim.bind(1, floor);
    SqliteStatement raise(m_db, "UPDATE store_meta SET value=MAX(value, ?1) WHERE key='log_floor'");
    raise.bind(1, floor);
    return trim.run() && raise.run();
}

std::optional<DbInfo> ObjectStoreWriter::createDatabase(const QString& name, DbError& error) {
    ObjectWriteScope scope(m_core);
    DbInfo info;
    const Fetch existing =
        scope.isActive() ? m_core.rows().databaseByName(name, info) : Fetch::Failed;
    if (existing == Fetch::Found) {
        return info;
    }
    scope.changing();
    std::optional<Oid> oid = existing == Fetch::Missing ? allocateOid(error) : std::nullopt;
    if (!oid) {
        error = existing == Fetch::Failed ? failure() : error;
        return std::nullopt;
    }
    SqliteStatement insert(
        m_db, "INSERT INTO databases(oid, name, fold, modified) VALUES(?1, ?2, ?3, ?4)");
    const uint64_t created = currentFileTime();
    insert.bind(1, int64_t(*oid));
    insert.bind(2, name);
    insert.bind(3, foldDatabaseName(name));
    insert.bind(4, int64_t(created));
    if (!insert.run() || !scope.commit()) {
        error = failure();
        return std::nullopt;
    }
    return DbInfo{*oid, name, 0, created};
}

}  // namespace kontavo
