#pragma once

#include <QFileSystemWatcher>
#include <QList>
#include <QTimer>
#include <map>
#include <memory>

#include "platform/objectstore.h"
#include "platform/sqlitedb.h"

namespace kontavo {

class ObjectStoreCore;

// Delivers the change log to the handles that asked for notifications.
//
// Every change of the store, by any process, appends (sequence number,
// kind, database, record) to the change log in its own transaction. Each
// listener remembers the last sequence number it has seen; delivering reads
// the log past the lowest of them and hands each listener the entries of its
// database in order. Delivery runs on the Qt event loop: right after a commit
// through this connection, and when another connection committed, which
// `PRAGMA data_version` reveals (checked every kPollMs, and at once when the
// store's write-ahead log file changes).
//
// A listener that fell behind the trimmed part of the log gets one
// ChangesLost event first, then the entries still in the log. The last entry
// of each database in a delivery carries the database's last-modified time
// as of the log read (DbNotification::databaseTime).
class ObjectStoreNotifier {
public:
    static constexpr int kPollMs = 200;

    explicit ObjectStoreNotifier(ObjectStoreCore& core);
    ~ObjectStoreNotifier();
    ObjectStoreNotifier(const ObjectStoreNotifier&) = delete;
    ObjectStoreNotifier& operator=(const ObjectStoreNotifier&) = delete;

    // Registers a listener for the changes of database `db` committed after
    // this call. Returns its id, 0 when the log cannot be read.
    int addListener(Oid db, DbNotifyFn notify);
    // Safe to call from inside a listener's callback.
    void removeListener(int id);
    // A transaction of this connection committed: deliver soon.
    void ownCommit();

private:
    struct Listener {
        Oid db = 0;
        int64_t lastSeq = 0;
        DbNotifyFn notify;
    };
    struct LogEntry {
        int64_t seq = 0;
        DbNotification event;
    };

    void poll();
    void deliver();
    // Reads the log past every listener's position; returns the log floor,
    // nullopt when the log cannot be read now.
    std::optional<int64_t> readPending(QList<LogEntry>& entries);
    bool deliverLost(const QList<int>& ids, int64_t floor);
    bool deliverEntry(const QList<int>& ids, const LogEntry& entry);
    std::optional<int64_t> queryInt(const char* sql);
    bool readLog(int64_t after, QList<LogEntry>& entries);
    bool stampTimes(QList<LogEntry>& entries);
    void watchWal();

    ObjectStoreCore& m_core;
    QTimer m_pollTimer;
    QTimer m_soonTimer;
    std::unique_ptr<QFileSystemWatcher> m_walWatcher;
    int64_t m_dataVersion = -1;
    std::map<int, Listener> m_listeners;
    int m_nextId = 1;
    bool m_delivering = false;
    // Goes away with the notifier, so that a delivery whose callback
    // destroyed the store stops touching it.
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};

}  // namespace kontavo
