#include "store/contacts/changequeue.h"

namespace kontavo {

ChangeQueue::ChangeQueue(std::unique_ptr<DeferredTimer> timer, std::function<void()> due)
    : m_timer(std::move(timer)) {
    m_timer->setCallback(std::move(due));
}

ChangeQueue::Pushed ChangeQueue::push(const ChangeEvent& event, uint64_t databaseTime) {
    Pushed pushed;
    pushed.first = isEmpty();
    m_events.append(event);
    m_stamps.append(databaseTime);
    if (databaseTime != 0) {
        m_databaseTime = databaseTime;
    }
    pushed.backlog = m_events.size() == kBacklogLength;
    m_timer->start(kDebounceMs);
    return pushed;
}

ChangeQueue::Pushed ChangeQueue::pushLost() {
    Pushed pushed;
    pushed.first = isEmpty();
    m_lost = true;
    m_timer->start(kDebounceMs);
    return pushed;
}

ChangeQueue::Batch ChangeQueue::take() {
    m_timer->stop();
    Batch batch{std::move(m_events), m_lost, m_databaseTime};
    m_events.clear();
    m_stamps.clear();
    m_lost = false;
    m_databaseTime = 0;
    return batch;
}

void ChangeQueue::retryLater() {
    m_timer->start(kDebounceMs);
}

void ChangeQueue::dropCoveredBy(uint64_t databaseTime) {
    qsizetype covered = 0;
    for (qsizetype i = 0; i < m_stamps.size(); ++i) {
        if (m_stamps[i] != 0 && m_stamps[i] <= databaseTime) {
            covered = i + 1;
        }
    }
    if (covered == 0) {
        return;
    }
    m_events.remove(0, covered);
    m_stamps.remove(0, covered);
    m_lost = false;
    if (m_events.isEmpty()) {
        m_timer->stop();
        m_databaseTime = 0;
    }
}

void ChangeQueue::stop() {
    m_timer->stop();
}

}  // namespace kontavo
