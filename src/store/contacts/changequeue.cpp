#include "store/contacts/changequeue.h"

namespace kontavo {

ChangeQueue::ChangeQueue(std::unique_ptr<DeferredTimer> timer, std::function<void()> due)
    : m_timer(std::move(timer)) {
    m_timer->setCallback(std::move(due));
}

ChangeQueue::Pushed ChangeQueue::push(const ChangeEvent& event) {
    Pushed pushed;
    pushed.first = isEmpty();
    m_events.append(event);
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
    Batch batch{std::move(m_events), m_lost};
    m_events.clear();
    m_lost = false;
    return batch;
}

void ChangeQueue::retryLater() {
    m_timer->start(kDebounceMs);
}

void ChangeQueue::stop() {
    m_timer->stop();
}

}  // namespace kontavo
