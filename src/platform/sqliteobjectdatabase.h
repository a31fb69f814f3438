#pragma once

#include <memory>

#include "platform/objectstore.h"
#include "platform/objectstorecursor.h"

namespace kontavo {

class ObjectStoreCore;

// A handle on one database of a SqliteObjectStore (see ObjectDatabase).
// Keeps the store's connection alive while it exists.
class SqliteObjectDatabase final : public ObjectDatabase {
public:
    SqliteObjectDatabase(std::shared_ptr<ObjectStoreCore> core, const DbInfo& info,
                         PropTag sortTag);
    ~SqliteObjectDatabase() override;
    SqliteObjectDatabase(const SqliteObjectDatabase&) = delete;
    SqliteObjectDatabase& operator=(const SqliteObjectDatabase&) = delete;

    // Starts delivering this database's changes to `notify`.
    bool listen(DbNotifyFn notify);

    Oid oid() const override { return m_oid; }
    QString name() const override { return m_name; }
    DbError lastError() const override { return m_lastError; }

    bool seekFirst() override;
    bool seekOid(Oid oid) override;
    bool seekNext() override;
    bool seekValue(const PropValue& value) override;
    bool atEnd() const override { return m_state == State::NoCurrent; }
    Oid currentOid() const override {
        return m_state == State::OnRecord ? m_cursor.current().oid : 0;
    }

    std::optional<DbRecord> readAll() override;
    std::optional<DbRecord> read(const QList<PropTag>& tags) override;
    bool readEveryRecord(const std::function<void(const DbRecord&)>& visit,
                         const std::function<void(Oid)>& undecodable) override;

    Oid write(Oid oid, const PropList& props) override;
    bool deleteRecord(Oid oid) override;

    std::optional<DbInfo> info() override;
    std::optional<QList<Oid>> recordOids() override;
    std::optional<QList<DbNotification>> changesSince(uint64_t lastModified) override;

private:
    enum class State { BeforeFirst, OnRecord, NoCurrent };

    bool moved(Fetch fetch, DbError missing);
    bool fail(DbError error);
    bool readyToRead();
    std::optional<DbRecord> decodeCurrent(const QList<PropTag>& sortedTags);

    std::shared_ptr<ObjectStoreCore> m_core;
    Oid m_oid;
    QString m_name;
    PropTag m_sortTag;
    ObjectStoreCursor m_cursor;
    State m_state = State::BeforeFirst;
    uint64_t m_currentGeneration = 0;  // of the store when the current row was read
    QList<PropTag> m_listedTags;       // the tags of the last read(), as asked
    QList<PropTag> m_sortedTags;       // the same, ascending without repeats
    int m_listenerId = 0;
    DbError m_lastError = DbError::None;
};

}  // namespace kontavo
