#include "store/index/storefile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <cerrno>

#include "store/index/mappedstore.h"

namespace kontavo {

StoreFile::StoreFile(const QString& path) {
    m_fd =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (m_fd < 0) {
        m_state = errno == ENOENT ? State::Missing : State::Invalid;
        return;
    }
    m_state = State::Invalid;
    struct stat info {};
    if (::fstat(m_fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size <= 3 ||
        uint64_t(info.st_size) - 4 > MappedStore::kMaxDataBytes) {
        return;
    }
    m_length = uint32_t(info.st_size);
    uint8_t trailer[4];
    if (::pread(m_fd, trailer, 4, off_t(m_length - 4)) == 4) {
        const uint32_t stated = uint32_t(trailer[0]) | uint32_t(trailer[1]) << 8 |
                                uint32_t(trailer[2]) << 16 | uint32_t(trailer[3]) << 24;
        m_state = stated == m_length ? State::Valid : State::Invalid;
    }
}

StoreFile::~StoreFile() {
    if (m_fd >= 0) {
        ::close(m_fd);
    }
}

bool StoreFile::read(uint32_t offset, void* out, uint32_t length) const {
    if (m_state != State::Valid || uint64_t(offset) + length > dataLength()) {
        return false;
    }
    auto* into = static_cast<uint8_t*>(out);
    uint32_t done = 0;
    while (done < length) {
        const ssize_t got = ::pread(m_fd, into + done, length - done, off_t(offset + done));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            return false;
        }
        done += uint32_t(got);
    }
    return true;
}

uint32_t StoreFile::word(uint32_t offset) const {
    uint8_t b[4];
    if (!read(offset, b, 4)) {
        return 0;
    }
    return uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
}

}  // namespace kontavo
