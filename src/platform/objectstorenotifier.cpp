#include "platform/objectstorenotifier.h"

#include <QScopeGuard>
#include <algorithm>

#include "platform/objectstorecore.h"

namespace kontavo {

ObjectStoreNotifier::ObjectStoreNotifier(ObjectStoreCore& core) : m_core(core) {
    m_pollTimer.setInterval(kPollMs);
    QObject::connect(&m_pollTimer, &QTimer::timeout, [this] { poll(); });
    m_soonTimer.setSingleShot(true);
    QObject::connect(&m_soonTimer, &QTimer::timeout, [this] { deliver(); });
}

ObjectStoreNotifier::~ObjectStoreNotifier() = default;

int ObjectStoreNotifier::addListener(Oid db, DbNotifyFn notify) {
    const std::optional<int64_t> last = queryInt("SELECT COALESCE(MAX(seq), 0) FROM changes");
    if (!last) {
        return 0;
    }
    if (m_listeners.empty()) {
        m_dataVersion = queryInt("PRAGMA data_version").value_or(-1);
        m_pollTimer.start();
        watchWal();
    }
    const int id = m_nextId++;
    m_listeners[id] = Listener{db, *last, std::move(notify)};
    return id;
}

void ObjectStoreNotifier::removeListener(int id) {
    m_listeners.erase(id);
    if (m_listeners.empty()) {
        m_pollTimer.stop();
        m_soonTimer.stop();
        m_walWatcher.reset();
    }
}

void ObjectStoreNotifier::ownCommit() {
    if (!m_listeners.empty()) {
        m_soonTimer.start(0);
    }
}

void ObjectStoreNotifier::watchWal() {
    // A cheap wake-up: every commit of any process writes the WAL file.
    // The poll stays as the safety net where file watching is unavailable.
    m_walWatcher = std::make_unique<QFileSystemWatcher>();
    m_walWatcher->addPath(m_core.filePath() + QStringLiteral("-wal"));
    QObject::connect(m_walWatcher.get(), &QFileSystemWatcher::fileChanged,
                     [this] { m_soonTimer.start(0); });
}

void ObjectStoreNotifier::poll() {
    const std::optional<int64_t> version = queryInt("PRAGMA data_version");
    if (version && *version != m_dataVersion) {
        m_dataVersion = *version;
        deliver();
    }
}

void ObjectStoreNotifier::deliver() {
    if (m_listeners.empty()) {
        return;
    }
    // Never read the log inside an open transaction of this connection: it
    // would show changes that may still be rolled back.
    QList<LogEntry> entries;
    const std::optional<int64_t> floor =
        m_delivering || m_core.inTransaction() ? std::nullopt : readPending(entries);
    if (!floor) {
        m_soonTimer.start(kPollMs);  // try again later
        return;
    }
    QList<int> ids;
    for (const auto& [id, listener] : m_listeners) {
        ids.append(id);
    }
    // Cleared on every way out, unless a callback destroyed the store.
    m_delivering = true;
    const std::weak_ptr<bool> alive = m_alive;
    const auto done = qScopeGuard([this, alive] {
        if (!alive.expired()) {
            m_delivering = false;
        }
    });
    if (!deliverLost(ids, *floor)) {
        return;
    }
    for (const LogEntry& entry : entries) {
        if (!deliverEntry(ids, entry)) {
            return;
        }
    }
}

std::optional<int64_t> ObjectStoreNotifier::readPending(QList<LogEntry>& entries) {
    const int64_t after =
        std::min_element(m_listeners.begin(), m_listeners.end(), [](const auto& a, const auto& b) {
            return a.second.lastSeq < b.second.lastSeq;
        })->second.lastSeq;
    // The floor and the log are read in one snapshot, so that a trim by
    // another process cannot fall between them.
    if (!m_core.db().exec("BEGIN")) {
        return std::nullopt;
    }
    std::optional<int64_t> floor = queryInt("SELECT value FROM store_meta WHERE key='log_floor'");
    const bool read = floor && readLog(after, entries) && stampTimes(entries);
    m_core.db().exec("COMMIT");
    return read ? floor : std::nullopt;
}

// Read in the snapshot of the log: each database's last-modified time is
// that of its last change in the log, which gets it as its stamp.
bool ObjectStoreNotifier::stampTimes(QList<LogEntry>& entries) {
    SqliteStatement select(m_core.db(), "SELECT oid, modified FROM databases");
    std::map<Oid, uint64_t> times;
    while (select.step()) {
        times[Oid(select.columnInt(0))] = uint64_t(select.columnInt(1));
    }
    if (!select.done()) {
        return false;
    }
    for (qsizetype i = entries.size() - 1; i >= 0; --i) {
        const auto it = times.find(entries[i].event.parent);
        if (it != times.end()) {
            entries[i].event.databaseTime = it->second;
            times.erase(it);
        }
    }
    return true;
}

bool ObjectStoreNotifier::deliverLost(const QList<int>& ids, int64_t floor) {
    const std::weak_ptr<bool> alive = m_alive;
    for (int id : ids) {
        auto it = m_listeners.find(id);
        if (it == m_listeners.end() || it->second.lastSeq >= floor) {
            continue;
        }
        it->second.lastSeq = floor;
        const DbNotifyFn notify = it->second.notify;
        notify(DbNotification{DbNotifyType::ChangesLost, it->second.db, 0});
        if (alive.expired()) {
            return false;
        }
    }
    return true;
}

bool ObjectStoreNotifier::deliverEntry(const QList<int>& ids, const LogEntry& entry) {
    const std::weak_ptr<bool> alive = m_alive;
    for (int id : ids) {
        auto it = m_listeners.find(id);
        if (it == m_listeners.end() || it->second.lastSeq >= entry.seq) {
            continue;
        }
        it->second.lastSeq = entry.seq;
        if (it->second.db != entry.event.parent) {
            continue;
        }
        const DbNotifyFn notify = it->second.notify;  // the callback may remove it
        notify(entry.event);
        if (alive.expired()) {
            return false;
        }
    }
    return true;
}

std::optional<int64_t> ObjectStoreNotifier::queryInt(const char* sql) {
    SqliteStatement statement(m_core.db(), sql);
    if (!statement.step()) {
        return std::nullopt;
    }
    return statement.columnInt(0);
}

bool ObjectStoreNotifier::readLog(int64_t after, QList<LogEntry>& entries) {
    SqliteStatement select(m_core.db(),
                           "SELECT seq, kind, db, oid FROM changes WHERE seq>?1 ORDER BY seq");
    select.bind(1, after);
    while (select.step()) {
        entries.append({select.columnInt(0),
                        DbNotification{DbNotifyType(select.columnInt(1)), Oid(select.columnInt(2)),
                                       Oid(select.columnInt(3))}});
    }
    return select.done();
}

}  // namespace kontavo
