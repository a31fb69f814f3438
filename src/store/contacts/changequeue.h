#pragma once

#include <QList>
#include <cstdint>
#include <functional>
#include <memory>

#include "store/contacts/deferredtimer.h"
#include "store/record/proptag.h"

namespace kontavo {

// One change of a record as the contact manager queues it. A plain value.
struct ChangeEvent {
    enum class Kind { Created = 1, Deleted = 2, Changed = 3 };

    Kind kind = Kind::Changed;
    Oid parent = 0;  // the database the record belongs to
    Oid oid = 0;     // the record

    bool operator==(const ChangeEvent&) const = default;
};

// The queue of change notifications waiting to be handled: a burst is
// handled once, kDebounceMs after its last notification. Besides events it
// can hold the mark that the object store lost events, which calls for a
// full re-index like a burst of kReindexLength events.
// UI thread only.
class ChangeQueue {
public:
    static constexpr int kDebounceMs = 500;
    // The queue length at which the observer is told of a backlog.
    static constexpr int kBacklogLength = 10;
    // From this many events on, a full re-index replaces per-record work.
    static constexpr int kReindexLength = 15;

    // What a push means for the observer.
    struct Pushed {
        bool first = false;    // the queue was empty before
        bool backlog = false;  // the queue just reached kBacklogLength
    };
    // The events taken out for handling.
    struct Batch {
        QList<ChangeEvent> events;
        bool lost = false;
        // The database's last-modified time as of the last stamped event
        // (DbNotification::databaseTime); 0 when none was stamped.
        uint64_t databaseTime = 0;
        bool needsReindex() const { return lost || events.size() >= kReindexLength; }
    };

    // `due` runs when the debounce timer runs out.
    ChangeQueue(std::unique_ptr<DeferredTimer> timer, std::function<void()> due);

    // Appends and (re)starts the debounce timer. `databaseTime` is the
    // notification's stamp (0: none).
    Pushed push(const ChangeEvent& event, uint64_t databaseTime = 0);
    // Marks that events were lost and (re)starts the debounce timer.
    Pushed pushLost();
    // Empties the queue and stops the timer.
    Batch take();
    // Leaves the queue as it is and tries again after the debounce delay.
    void retryLater();
    // Drops the events the index took in already: every event up to the
    // last one stamped with a time at most `databaseTime`, and the mark of
    // lost events when there was such an event (the index then read the
    // database after them).
    void dropCoveredBy(uint64_t databaseTime);
    void stop();

    bool isEmpty() const { return m_events.isEmpty() && !m_lost; }
    qsizetype size() const { return m_events.size(); }
    bool isTimerActive() const { return m_timer->isActive(); }

private:
    std::unique_ptr<DeferredTimer> m_timer;
    QList<ChangeEvent> m_events;
    QList<uint64_t> m_stamps;  // per event: its notification's stamp, or 0
    bool m_lost = false;
    uint64_t m_databaseTime = 0;
};

}  // namespace kontavo
