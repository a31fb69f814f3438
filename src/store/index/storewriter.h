#pragma once

#include <QString>
#include <atomic>
#include <cstdint>
#include <functional>
#include <thread>

namespace kontavo {

// Writes a store's data back to its file on a background thread: the data in
// use followed by a 32-bit trailer holding the file's total length, in chunks
// of 4096 bytes, at below-normal priority, giving up the processor after
// every chunk. A stop request takes effect after the current chunk and leaves
// the file incomplete (its trailer missing), so it is never taken for valid.
//
// All members are called from one thread (the owner's); the writer thread
// only reads the data it was given, which must not change until the write has
// ended (stop() or finish()). The stop flag and the thread are the only state
// shared with the writer thread.
class StoreWriter {
public:
    static constexpr uint32_t kChunkBytes = 4096;
    // Runs on the writer thread after a complete write (the file is on
    // storage): must be safe to call from that thread.
    using Done = std::function<void()>;

    StoreWriter() = default;
    ~StoreWriter();  // finish()
    StoreWriter(const StoreWriter&) = delete;
    StoreWriter& operator=(const StoreWriter&) = delete;

    // Starts writing `length` bytes at `data` to `path` (created or
    // truncated, its folder created when missing). A write in progress is
    // stopped first.
    void start(const QString& path, const uint8_t* data, uint32_t length, Done done);
    // Sets the stop flag and waits, in 10 ms sleeps, until the thread ended.
    void stop();
    // Lets a write in progress complete at normal priority without yielding,
    // and waits for it.
    void finish();
    // True while the writer thread has not ended.
    bool isRunning() const { return m_running.load(); }
    // True when the last write-back that ended wrote the whole file (false
    // while one runs, and after a stopped or failed one).
    bool lastWriteComplete() const { return !m_running.load() && m_complete.load(); }

private:
    void run(const QByteArray& path, const uint8_t* data, uint32_t length, const Done& done);
    bool writeChunks(int fd, const uint8_t* data, uint32_t length);
    void waitForEnd();

    std::thread m_thread;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_urgent{false};
    std::atomic<bool> m_running{false};
    std::atomic<bool> m_complete{false};
    std::atomic<int> m_threadId{0};
};

}  // namespace kontavo
