#include "platform/namedmutex.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QFile>
#include <cerrno>

#include "platform/runtimedir.h"

namespace kontavo {

namespace {

constexpr qsizetype kMaxKeyLength = 200;

uint32_t fnv1a(const QString& text) {
    uint32_t hash = 2166136261u;
    for (QChar c : text) {
        hash = (hash ^ c.unicode()) * 16777619u;
    }
    return hash;
}

QString hex8(uint32_t value) {
    return QStringLiteral("%1").arg(value, 8, 16, QLatin1Char('0'));
}

}  // namespace

QString namedObjectKey(const QString& scope, const QString& name) {
    QString key = hex8(fnv1a(scope)) + QLatin1Char('-') + safeFileComponent(name);
    if (key.size() > kMaxKeyLength) {
        key = key.left(kMaxKeyLength - 9) + QLatin1Char('-') + hex8(fnv1a(name));
    }
    return key;
}

QString namedObjectFile(const QString& scope, const QString& name, const QString& suffix) {
    const QString folder = runtimeDir();
    if (folder.isEmpty()) {
        return QString();
    }
    return folder + QLatin1Char('/') + namedObjectKey(scope, name) + suffix;
}

NamedMutex::NamedMutex(const QString& scope, const QString& name) {
    const QString path = namedObjectFile(scope, name, QStringLiteral(".mutex"));
    if (!path.isEmpty()) {
        m_fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    }
}

NamedMutex::~NamedMutex() {
    if (m_fd >= 0) {
        ::close(m_fd);  // releases the lock too
    }
}

bool NamedMutex::lock() {
    if (m_fd < 0) {
        return false;
    }
    int result;
    do {
        result = ::flock(m_fd, LOCK_EX);
    } while (result != 0 && errno == EINTR);
    m_locked = result == 0;
    return m_locked;
}

bool NamedMutex::tryLock() {
    if (m_fd < 0) {
        return false;
    }
    m_locked = ::flock(m_fd, LOCK_EX | LOCK_NB) == 0;
    return m_locked;
}

void NamedMutex::unlock() {
    if (m_fd >= 0 && m_locked) {
        ::flock(m_fd, LOCK_UN);
        m_locked = false;
    }
}

}  // namespace kontavo
