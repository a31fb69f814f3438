#include "store/index/collectorthread.h"

#include "store/index/indexcollector.h"

namespace kontavo {

CollectorThread::CollectorThread(IndexCollector& collector)
    : m_collector(collector), m_thread(&CollectorThread::run, this) {
    m_batch.reserve(kBatchSize);
}

CollectorThread::~CollectorThread() {
    end();
}

void CollectorThread::add(IndexedContact&& contact) {
    m_batch.push_back(std::move(contact));
    if (m_batch.size() == kBatchSize) {
        handOver();
    }
}

void CollectorThread::handOver() {
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_waiting.size() < kWaitingBatches; });
    m_waiting.push_back(std::move(m_batch));
    m_batch = {};
    m_batch.reserve(kBatchSize);
    m_changed.notify_all();
}

void CollectorThread::end() {
    if (!m_thread.joinable()) {
        return;
    }
    if (!m_batch.empty()) {
        handOver();
    }
    {
        const std::lock_guard lock(m_mutex);
        m_ending = true;
    }
    m_changed.notify_all();
    m_thread.join();
}

void CollectorThread::run() {
    for (;;) {
        std::vector<IndexedContact> batch;
        {
            std::unique_lock lock(m_mutex);
            m_changed.wait(lock, [this] { return !m_waiting.empty() || m_ending; });
            if (m_waiting.empty()) {
                return;
            }
            batch = std::move(m_waiting.front());
            m_waiting.pop_front();
        }
        m_changed.notify_all();
        for (const IndexedContact& contact : batch) {
            m_collector.add(contact);
        }
    }
}

}  // namespace kontavo
