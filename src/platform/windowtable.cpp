#include "platform/windowtable.h"

#include <QFile>
#include <QRandomGenerator>

#include "platform/platformerrors.h"

namespace kontavo {

namespace {

constexpr int kHandleAttempts = 16;

WindowHandle randomHandle() {
    WindowHandle handle = 0;
    while (handle == 0) {
        handle = QRandomGenerator::system()->generate() & ~WindowHandle(1);
    }
    return handle;
}

}  // namespace

// The table lives only as long as the programs using it: one that is damaged
// (a crash of the file system, a stray write) is made anew instead of
// keeping every program from starting.
WindowTable::WindowTable(const QString& folder) {
    if (folder.isEmpty()) {
        return;
    }
    const QString file = folder + QStringLiteral("/windows.db");
    if (openFile(file) || !m_damaged) {
        return;
    }
    reportPlatformError(QStringLiteral("The window table %1 is damaged: made anew").arg(file),
                        "WindowTable", __LINE__);
    for (const char* suffix : {"", "-wal", "-shm", "-journal"}) {
        QFile::remove(file + QLatin1String(suffix));
    }
    openFile(file);
}

bool WindowTable::openFile(const QString& file) {
    if (m_db.open(file) && createSchema() && isIntact()) {
        return true;
    }
    m_damaged = m_damaged || m_db.lastFailureWasDamage();
    m_db.close();
    return false;
}

// A file that answers the check with anything but "ok" is damaged; one that
// cannot answer is damaged only when SQLite says so (not when it is busy).
bool WindowTable::isIntact() {
    SqliteStatement check(m_db, "PRAGMA quick_check");
    if (!check.step()) {
        m_damaged = m_db.lastFailureWasDamage();
        return false;
    }
    if (check.columnText(0) == QLatin1String("ok")) {
        return true;
    }
    m_damaged = true;
    return false;
}

bool WindowTable::createSchema() {
    return m_db.exec(
        "CREATE TABLE IF NOT EXISTS windows("
        "  handle INTEGER PRIMARY KEY, class TEXT NOT NULL COLLATE NOCASE,"
        "  pid INTEGER NOT NULL, created INTEGER NOT NULL);"
        "CREATE INDEX IF NOT EXISTS windows_by_class ON windows(class, created);"
        "CREATE TABLE IF NOT EXISTS messages("
        "  name TEXT PRIMARY KEY COLLATE NOCASE, id INTEGER NOT NULL UNIQUE);");
}

std::optional<WindowHandle> WindowTable::addWindow(const QString& windowClass, qint64 pid) {
    SqliteTransaction transaction(m_db);
    if (!transaction.isActive()) {
        return std::nullopt;
    }
    for (int attempt = 0; attempt < kHandleAttempts; ++attempt) {
        const WindowHandle handle = randomHandle();
        SqliteStatement insert(m_db,
                               "INSERT OR IGNORE INTO windows(handle, class, pid, created) "
                               "SELECT ?1, ?2, ?3, COALESCE(MAX(created), 0) + 1 FROM windows");
        insert.bind(1, int64_t(handle));
        insert.bind(2, windowClass);
        insert.bind(3, int64_t(pid));
        if (!insert.run()) {
            return std::nullopt;
        }
        if (m_db.changes() == 1) {
            if (!transaction.commit()) {
                return std::nullopt;
            }
            return handle;
        }
    }
    return std::nullopt;
}

bool WindowTable::removeWindow(WindowHandle handle) {
    SqliteStatement remove(m_db, "DELETE FROM windows WHERE handle = ?1");
    remove.bind(1, int64_t(handle));
    return remove.run();
}

QList<WindowRow> WindowTable::windowsOfClass(const QString& windowClass) {
    QList<WindowRow> rows;
    SqliteStatement select(m_db,
                           "SELECT handle, pid FROM windows WHERE class = ?1 ORDER BY created");
    select.bind(1, windowClass);
    while (select.step()) {
        rows.append({WindowHandle(select.columnInt(0)), select.columnInt(1)});
    }
    return rows;
}

std::optional<WindowRow> WindowTable::window(WindowHandle handle) {
    SqliteStatement select(m_db, "SELECT handle, pid FROM windows WHERE handle = ?1");
    select.bind(1, int64_t(handle));
    if (!select.step()) {
        return std::nullopt;
    }
    return WindowRow{WindowHandle(select.columnInt(0)), select.columnInt(1)};
}

uint32_t WindowTable::registerMessage(const QString& name) {
    SqliteTransaction transaction(m_db);
    if (!transaction.isActive()) {
        return 0;
    }
    SqliteStatement select(m_db, "SELECT id FROM messages WHERE name = ?1");
    select.bind(1, name);
    if (select.step()) {
        return uint32_t(select.columnInt(0));
    }
    SqliteStatement next(m_db, "SELECT COALESCE(MAX(id) + 1, ?1) FROM messages");
    next.bind(1, int64_t(kFirstRegisteredMessage));
    if (!next.step() || next.columnInt(0) > int64_t(kLastRegisteredMessage)) {
        return 0;
    }
    const uint32_t id = uint32_t(next.columnInt(0));
    SqliteStatement insert(m_db, "INSERT INTO messages(name, id) VALUES(?1, ?2)");
    insert.bind(1, name);
    insert.bind(2, int64_t(id));
    return insert.run() && transaction.commit() ? id : 0;
}

}  // namespace kontavo
