#pragma once

#include <optional>

#include "platform/registry.h"
#include "platform/sqlitedb.h"

namespace kontavo {

// The registry kept in an SQLite file ("registry.db" in the device root).
// Every write is one immediate transaction, so concurrent writers in several
// processes never lose or tear a value; the last writer wins.
class SqliteRegistry final : public Registry {
public:
    // Opens or creates the store at `filePath`; isOpen() tells the outcome.
    explicit SqliteRegistry(const QString& filePath);
    // The registry of a device root: "<root>/registry.db".
    static QString fileInRoot(const QString& deviceRoot);

    bool isOpen() const { return m_db.isOpen(); }
    // Why the registry could not be opened (SQLite's message).
    QString errorMessage() const { return m_db.errorMessage(); }

    bool createKey(Hive hive, const QString& path) override;
    bool keyExists(Hive hive, const QString& path) override;
    std::optional<RegValue> queryValue(Hive hive, const QString& path,
                                       const QString& name) override;
    bool setValue(Hive hive, const QString& path, const QString& name,
                  const RegValue& value) override;
    bool deleteValue(Hive hive, const QString& path, const QString& name) override;
    bool deleteKey(Hive hive, const QString& path) override;
    std::optional<QString> enumSubkey(Hive hive, const QString& path, int index) override;
    QStringList valueNames(Hive hive, const QString& path) override;

private:
    bool createSchema();
    // The row id of an existing key; 0 stands for the hive itself.
    std::optional<int64_t> findKey(Hive hive, const QString& path);
    std::optional<int64_t> findOrCreateKey(Hive hive, const QString& path);

    SqliteDb m_db;
};

}  // namespace kontavo
