#include "store/index/storewriter.h"

#include <fcntl.h>
#include <sched.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>

#include "platform/privatefiles.h"

namespace kontavo {

namespace {

// Nice value of the writer thread: below normal, so the UI thread keeps the
// processor while the file is written.
constexpr int kBelowNormalNice = 5;

bool writeAll(int fd, const uint8_t* bytes, size_t length) {
    while (length > 0) {
        const ssize_t written = ::write(fd, bytes, length);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        bytes += written;
        length -= size_t(written);
    }
    return true;
}

}  // namespace

StoreWriter::~StoreWriter() {
    finish();
}

void StoreWriter::start(const QString& path, const uint8_t* data, uint32_t length, Done done) {
    stop();
    makePrivateFolder(QFileInfo(path).absolutePath());
    m_complete = false;
    m_stop = false;
    m_urgent = false;
    m_running = true;
    m_thread = std::thread(&StoreWriter::run, this, QFile::encodeName(path), data, length,
                           std::move(done));
}

void StoreWriter::stop() {
    m_stop = true;
    waitForEnd();
}

void StoreWriter::finish() {
    m_urgent = true;
    if (const int tid = m_threadId.load(); tid != 0) {
        // Raising a priority back may be refused to unprivileged processes;
        // the writer then still stops yielding.
        ::setpriority(PRIO_PROCESS, id_t(tid), 0);
    }
    waitForEnd();
}

void StoreWriter::waitForEnd() {
    while (m_running.load()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

void StoreWriter::run(const QByteArray& path, const uint8_t* data, uint32_t length,
                      const Done& done) {
    m_threadId = int(::gettid());
    if (!m_urgent) {
        ::setpriority(PRIO_PROCESS, id_t(m_threadId.load()), kBelowNormalNice);
    }
    bool complete = false;
    // Never waits for a reader of a FIFO in the file's place, and never
    // writes anything but a regular file, readable by this user only.
    const int fd = ::open(path.constData(),
                          O_WRONLY | O_CREAT | O_TRUNC | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0600);
    struct stat info {};
    if (fd >= 0 && (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))) {
        ::close(fd);
    } else if (fd >= 0) {
        complete = writeChunks(fd, data, length) && ::fdatasync(fd) == 0;
        complete = ::close(fd) == 0 && complete;
    }
    if (complete && done) {
        done();
    }
    m_complete = complete;
    m_threadId = 0;
    m_running = false;
}

bool StoreWriter::writeChunks(int fd, const uint8_t* data, uint32_t length) {
    const uint64_t total = uint64_t(length) + 4;
    const uint32_t trailer = uint32_t(total);
    uint8_t chunk[kChunkBytes];
    for (uint64_t at = 0; at < total; at += kChunkBytes) {
        const size_t count = size_t(std::min<uint64_t>(kChunkBytes, total - at));
        const size_t fromData = at < length ? size_t(std::min<uint64_t>(count, length - at)) : 0;
        if (fromData > 0) {
            std::memcpy(chunk, data + at, fromData);
        }
        for (size_t i = fromData; i < count; ++i) {
            chunk[i] = uint8_t(trailer >> (8 * (at + i - length)));
        }
        if (!writeAll(fd, chunk, count) || m_stop.load()) {
            return false;
        }
        if (!m_urgent.load()) {
            ::sched_yield();
        }
    }
    return true;
}

}  // namespace kontavo
