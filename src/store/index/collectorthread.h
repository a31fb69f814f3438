#pragma once

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

#include "store/contacts/contactreader.h"

namespace kontavo {

class IndexCollector;

// Feeds the contacts read for a full rebuild to an IndexCollector on a thread
// of its own, in the order they were read, so that reading the database and
// working out each contact's words and record run side by side. Contacts
// are handed over in batches; at most a few batches wait, so the reader
// never runs far ahead (memory stays bounded). The collector must not be
// used by anyone else until end() has returned. One thread feeds it.
class CollectorThread {
public:
    explicit CollectorThread(IndexCollector& collector);
    // Ends the thread as end() does.
    ~CollectorThread();
    CollectorThread(const CollectorThread&) = delete;
    CollectorThread& operator=(const CollectorThread&) = delete;

    // Queues a contact for the collector; waits while the queue is full.
    void add(IndexedContact&& contact);
    // Hands over what is queued and returns once the collector has taken
    // every contact; the collector is the caller's again.
    void end();

private:
    static constexpr size_t kBatchSize = 256;
    static constexpr size_t kWaitingBatches = 4;

    void handOver();
    void run();

    IndexCollector& m_collector;
    std::vector<IndexedContact> m_batch;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<std::vector<IndexedContact>> m_waiting;
    bool m_ending = false;
    std::thread m_thread;
};

}  // namespace kontavo
