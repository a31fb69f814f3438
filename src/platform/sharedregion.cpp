#include "platform/sharedregion.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <algorithm>
#include <cerrno>
#include <memory>

#include "platform/namedmutex.h"

namespace kontavo {

namespace {

int openLockFile(const QString& path) {
    if (path.isEmpty()) {
        return -1;
    }
    return ::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
}

// Reads or writes `count` bytes at `offset` whole; false on an error or when
// the file ends first.
template <typename Transfer, typename Buffer>
bool transferAll(Transfer transfer, int fd, Buffer* bytes, size_t count, size_t offset) {
    while (count > 0) {
        const ssize_t moved = transfer(fd, bytes, count, off_t(offset));
        if (moved < 0 && errno == EINTR) {
            continue;
        }
        if (moved <= 0) {
            return false;
        }
        bytes += moved;
        count -= size_t(moved);
        offset += size_t(moved);
    }
    return true;
}

int flockRetry(int fd, int operation) {
    int result;
    do {
        result = ::flock(fd, operation);
    } while (result != 0 && errno == EINTR);
    return result;
}

// The gate: held while a region is opened or closed, so that the holder count
// and the segment change together.
class Gate {
public:
    explicit Gate(const QString& path) : m_fd(openLockFile(path)) {
        m_locked = m_fd >= 0 && flockRetry(m_fd, LOCK_EX) == 0;
    }
    ~Gate() {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    bool isLocked() const { return m_locked; }

private:
    int m_fd;
    bool m_locked = false;
};

}  // namespace

QString SharedRegion::segmentName(const QString& scope, const QString& name) {
    return QStringLiteral("/kontavo.%1.%2").arg(getuid()).arg(namedObjectKey(scope, name));
}

// Asked at the gate, so that the probe never stands in the way of an
// opener deciding whether anyone holds the region.
bool SharedRegion::isHeld(const QString& scope, const QString& name) {
    const Gate gate(namedObjectFile(scope, name, QStringLiteral(".gate")));
    const int fd = openLockFile(namedObjectFile(scope, name, QStringLiteral(".region")));
    if (!gate.isLocked() || fd < 0) {
        if (fd >= 0) {
            ::close(fd);
        }
        return false;
    }
    // Every holder keeps a shared lock.
    const bool held = ::flock(fd, LOCK_EX | LOCK_NB) != 0;
    ::close(fd);
    return held;
}

std::unique_ptr<SharedRegion> SharedRegion::open(const QString& scope, const QString& name,
                                                 size_t size, const Initialiser& initialise) {
    std::unique_ptr<SharedRegion> region(new SharedRegion);
    region->m_gatePath = namedObjectFile(scope, name, QStringLiteral(".gate"));
    bool opened = false;
    {
        Gate gate(region->m_gatePath);
        opened = gate.isLocked() && region->openGated(scope, name, size, initialise);
    }
    // A failed region is destroyed outside the gate: its destructor takes it.
    return opened ? std::move(region) : nullptr;
}

bool SharedRegion::openGated(const QString& scope, const QString& name, size_t size,
                             const Initialiser& initialise) {
    m_holdFd = openLockFile(namedObjectFile(scope, name, QStringLiteral(".region")));
    if (m_holdFd < 0) {
        return false;
    }
    const QByteArray segment = QFile::encodeName(segmentName(scope, name));
    // An exclusive lock succeeds only when no live process holds the region.
    if (::flock(m_holdFd, LOCK_EX | LOCK_NB) == 0) {
        if (!createFresh(segment, size) || (initialise && !initialise(*this))) {
            ::shm_unlink(segment.constData());
            m_segment.clear();
            return false;
        }
    } else if (!attachExisting(segment, size)) {
        return false;
    }
    // Converting the lock is not atomic, but every opener waits at the gate.
    return flockRetry(m_holdFd, LOCK_SH) == 0;
}

bool SharedRegion::createFresh(const QByteArray& segment, size_t size) {
    ::shm_unlink(segment.constData());  // a leftover of processes that died
    m_segmentFd = ::shm_open(segment.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (m_segmentFd < 0 || ::ftruncate(m_segmentFd, off_t(size)) != 0) {
        return false;
    }
    return mapSegment(segment, size, false);
}

bool SharedRegion::attachExisting(const QByteArray& segment, size_t size) {
    m_segmentFd = ::shm_open(segment.constData(), O_RDWR | O_CLOEXEC, 0600);
    struct stat info {};
    if (m_segmentFd < 0 || ::fstat(m_segmentFd, &info) != 0 || size_t(info.st_size) < size) {
        return false;
    }
    return mapSegment(segment, size, true);
}

bool SharedRegion::mapSegment(const QByteArray& segment, size_t size, bool existed) {
    void* map = ::mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED, m_segmentFd, 0);
    if (map == MAP_FAILED) {
        return false;
    }
    m_segment = segment;
    m_data = static_cast<uint8_t*>(map);
    m_size = size;
    m_existed = existed;
    return true;
}

bool SharedRegion::commit(size_t bytes) {
    if (m_segmentFd < 0 || bytes > m_size) {
        return false;
    }
    if (bytes <= m_committed) {
        return true;
    }
    if (::posix_fallocate(m_segmentFd, off_t(m_committed), off_t(bytes - m_committed)) != 0) {
        return false;
    }
    m_committed = bytes;
    return true;
}

// The file goes through a buffer to places of the segment that start on a
// page boundary (the first piece up to the first one), so that each page of
// the segment is written whole and once. A copy whose pieces straddle the
// segment's pages (sendfile() to an offset within a page) writes every page
// twice and costs about a third more.
bool SharedRegion::copyFrom(int fd, size_t at, size_t length) {
    if (m_segmentFd < 0 || at > m_size || length > m_size - at) {
        return false;
    }
    static const size_t page = size_t(::sysconf(_SC_PAGESIZE));
    constexpr size_t kChunkBytes = 256 * 1024;  // stays in the processor's cache
    const std::unique_ptr<uint8_t[]> buffer(new uint8_t[std::min(length, kChunkBytes)]);
    for (size_t done = 0; done < length;) {
        const size_t to = at + done;
        const size_t room = to % page == 0 ? kChunkBytes : page - to % page;
        const size_t count = std::min(room, length - done);
        if (!transferAll(::pread, fd, buffer.get(), count, done) ||
            !transferAll(::pwrite, m_segmentFd, buffer.get(), count, to)) {
            return false;
        }
        done += count;
    }
    if (at <= m_committed) {
        m_committed = std::max(m_committed, at + length);
    }
    return true;
}

SharedRegion::~SharedRegion() {
    Gate gate(m_gatePath);
    if (m_data != nullptr) {
        ::munmap(m_data, m_size);
    }
    if (m_holdFd >= 0) {
        ::flock(m_holdFd, LOCK_UN);
        // Nobody else holds it: the region goes away with its last holder.
        if (gate.isLocked() && !m_segment.isEmpty() && ::flock(m_holdFd, LOCK_EX | LOCK_NB) == 0) {
            ::shm_unlink(m_segment.constData());
        }
        ::close(m_holdFd);
    }
    if (m_segmentFd >= 0) {
        ::close(m_segmentFd);
    }
}

}  // namespace kontavo
