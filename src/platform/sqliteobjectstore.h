#pragma once

#include <memory>

#include "platform/objectstore.h"

namespace kontavo {

class ObjectStoreCore;

// The object store kept in an SQLite file ("objectstore.db" in the device
// root; schema and encodings in docs/formats/objectstore-db.md), opened in
// WAL mode with a busy timeout so that several processes use it at once.
// Each change is one transaction that also appends to the change log from
// which every process's handles get their notifications.
class SqliteObjectStore final : public ObjectStore {
public:
    // Opens or creates the store at `filePath`; isOpen() tells the outcome.
    explicit SqliteObjectStore(const QString& filePath);
    ~SqliteObjectStore() override;
    SqliteObjectStore(const SqliteObjectStore&) = delete;
    SqliteObjectStore& operator=(const SqliteObjectStore&) = delete;

    // The object store of a device root: "<root>/objectstore.db".
    static QString fileInRoot(const QString& deviceRoot);

    bool isOpen() const;
    // Why the store could not be opened.
    QString errorMessage() const;

    std::unique_ptr<ObjectDatabase> open(const QString& name,
                                         const DbOpenOptions& options) override;
    DbError lastError() const override { return m_lastError; }
    bool runBatch(const std::function<bool()>& work) override;

private:
    std::shared_ptr<ObjectStoreCore> m_core;
    DbError m_lastError = DbError::None;
};

}  // namespace kontavo
