#include "platform/sqliteregistry.h"

namespace kontavo {

namespace {

QStringList keyComponents(const QString& path) {
    return path.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
}

QString fold(const QString& name) { return name.toCaseFolded(); }

int hiveId(Hive hive) { return hive == Hive::CurrentUser ? 1 : 2; }

}  // namespace

SqliteRegistry::SqliteRegistry(const QString& filePath) {
    if (m_db.open(filePath) && !createSchema()) {
        m_db.closeFailed();
    }
}

QString SqliteRegistry::fileInRoot(const QString& deviceRoot) {
    return deviceRoot + QStringLiteral("/registry.db");
}

bool SqliteRegistry::createSchema() {
    return m_db.exec(
        "CREATE TABLE IF NOT EXISTS reg_keys("
        "  id INTEGER PRIMARY KEY,"
        "  hive INTEGER NOT NULL,"
        "  parent INTEGER NOT NULL,"
        "  name TEXT NOT NULL,"
        "  fold TEXT NOT NULL,"
        "  UNIQUE(hive, parent, fold));"
        "CREATE TABLE IF NOT EXISTS reg_values("
        "  id INTEGER PRIMARY KEY,"
        "  key INTEGER NOT NULL,"
        "  name TEXT NOT NULL,"
        "  fold TEXT NOT NULL,"
        "  type INTEGER NOT NULL,"
        "  data BLOB NOT NULL,"
        "  UNIQUE(key, fold));");
}

std::optional<int64_t> SqliteRegistry::findKey(Hive hive, const QString& path) {
    SqliteStatement find(m_db, "SELECT id FROM reg_keys WHERE hive=?1 AND parent=?2 AND fold=?3");
    int64_t id = 0;
    for (const QString& part : keyComponents(path)) {
        find.reset();
        find.bind(1, hiveId(hive));
        find.bind(2, id);
        find.bind(3, fold(part));
        if (!find.step()) {
            return std::nullopt;
        }
        id = find.columnInt(0);
    }
    return id;
}

std::optional<int64_t> SqliteRegistry::findOrCreateKey(Hive hive, const QString& path) {
    SqliteStatement find(m_db, "SELECT id FROM reg_keys WHERE hive=?1 AND parent=?2 AND fold=?3");
    SqliteStatement insert(m_db,
                           "INSERT INTO reg_keys(hive, parent, name, fold) VALUES(?1, ?2, ?3, ?4)");
    int64_t id = 0;
    for (const QString& part : keyComponents(path)) {
        find.reset();
        find.bind(1, hiveId(hive));
        find.bind(2, id);
        find.bind(3, fold(part));
        if (find.step()) {
            id = find.columnInt(0);
            continue;
        }
        insert.reset();
        insert.bind(1, hiveId(hive));
        insert.bind(2, id);
        insert.bind(3, part);
        insert.bind(4, fold(part));
        if (!insert.run()) {
            return std::nullopt;
        }
        id = m_db.lastInsertRowId();
    }
    return id;
}

bool SqliteRegistry::createKey(Hive hive, const QString& path) {
    SqliteTransaction tx(m_db);
    return tx.isActive() && findOrCreateKey(hive, path) && tx.commit();
}

bool SqliteRegistry::keyExists(Hive hive, const QString& path) {
    return findKey(hive, path).has_value();
}

std::optional<RegValue> SqliteRegistry::queryValue(Hive hive, const QString& path,
                                                   const QString& name) {
    const auto key = findKey(hive, path);
    if (!key || *key == 0) {
        return std::nullopt;  // values live in keys, never in a hive itself
    }
    SqliteStatement select(m_db, "SELECT type, data FROM reg_values WHERE key=?1 AND fold=?2");
    select.bind(1, *key);
    select.bind(2, fold(name));
    if (!select.step()) {
        return std::nullopt;
    }
    return RegValue{RegType(select.columnInt(0)), select.columnBlob(1)};
}

bool SqliteRegistry::setValue(Hive hive, const QString& path, const QString& name,
                              const RegValue& value) {
    SqliteTransaction tx(m_db);
    if (!tx.isActive()) {
        return false;
    }
    const auto key = findOrCreateKey(hive, path);
    if (!key || *key == 0) {
        return false;
    }
    // An existing value keeps its place in the enumeration order.
    SqliteStatement upsert(m_db,
                           "INSERT INTO reg_values(key, name, fold, type, data)"
                           " VALUES(?1, ?2, ?3, ?4, ?5)"
                           " ON CONFLICT(key, fold) DO UPDATE SET type=?4, data=?5");
    upsert.bind(1, *key);
    upsert.bind(2, name);
    upsert.bind(3, fold(name));
    upsert.bind(4, int64_t(value.type));
    upsert.bindBlob(5, value.data);
    return upsert.run() && tx.commit();
}

bool SqliteRegistry::deleteValue(Hive hive, const QString& path, const QString& name) {
    SqliteTransaction tx(m_db);
    const auto key = tx.isActive() ? findKey(hive, path) : std::nullopt;
    if (!key || *key == 0) {
        return false;
    }
    SqliteStatement remove(m_db, "DELETE FROM reg_values WHERE key=?1 AND fold=?2");
    remove.bind(1, *key);
    remove.bind(2, fold(name));
    return remove.run() && m_db.changes() == 1 && tx.commit();
}

bool SqliteRegistry::deleteKey(Hive hive, const QString& path) {
    SqliteTransaction tx(m_db);
    const auto key = tx.isActive() ? findKey(hive, path) : std::nullopt;
    if (!key || *key == 0) {
        return false;  // a hive itself cannot be deleted
    }
    SqliteStatement children(m_db, "SELECT 1 FROM reg_keys WHERE parent=?1 LIMIT 1");
    children.bind(1, *key);
    if (children.step()) {
        return false;
    }
    SqliteStatement values(m_db, "DELETE FROM reg_values WHERE key=?1");
    values.bind(1, *key);
    SqliteStatement remove(m_db, "DELETE FROM reg_keys WHERE id=?1");
    remove.bind(1, *key);
    return values.run() && remove.run() && tx.commit();
}

std::optional<QString> SqliteRegistry::enumSubkey(Hive hive, const QString& path, int index) {
    const auto key = findKey(hive, path);
    if (!key || index < 0) {
        return std::nullopt;
    }
    SqliteStatement select(m_db,
                           "SELECT name FROM reg_keys WHERE hive=?1 AND parent=?2"
                           " ORDER BY id LIMIT 1 OFFSET ?3");
    select.bind(1, hiveId(hive));
    select.bind(2, *key);
    select.bind(3, index);
    if (!select.step()) {
        return std::nullopt;
    }
    return select.columnText(0);
}

QStringList SqliteRegistry::valueNames(Hive hive, const QString& path) {
    QStringList names;
    const auto key = findKey(hive, path);
    if (!key || *key == 0) {
        return names;
    }
    SqliteStatement select(m_db, "SELECT name FROM reg_values WHERE key=?1 ORDER BY id");
    select.bind(1, *key);
    while (select.step()) {
        names.append(select.columnText(0));
    }
    return names;
}

}  // namespace kontavo
