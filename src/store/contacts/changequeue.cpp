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
    m_lost = false;
    m_databaseTime = 0;
    return batch;
}

void ChangeQueue::retryLater() {
    m_timer->start(kDebounceMs);
}

void ChangeQueue::stop() {
    m_timer->stop();
}

}  // namespace kontavo
