#pragma once

#include <QString>

namespace kontavo {

// The key of a named object (mutex, shared region) of one device: the object's
// name made safe for a file name, prefixed by a hash of `scope` (the device
// root), so that objects of the same name on different devices never meet.
// At most 200 characters; longer names are cut and keep a hash of the whole.
QString namedObjectKey(const QString& scope, const QString& name);

// A path in the run-time folder for a named object's lock file:
// runtimeDir()/<key><suffix>; empty when the run-time folder is unusable.
QString namedObjectFile(const QString& scope, const QString& name, const QString& suffix);

// A mutex shared by every process of this user that names it, as the
// handheld's named mutexes: an exclusive flock on a lock file in the run-time
// folder. A process that dies releases it. Each object has its own open file,
// so two objects of one name exclude each other even within one process.
//
// One object is used by one thread at a time. Locking is not recursive.
class NamedMutex {
public:
    NamedMutex(const QString& scope, const QString& name);
    ~NamedMutex();
    NamedMutex(const NamedMutex&) = delete;
    NamedMutex& operator=(const NamedMutex&) = delete;

    // False when the lock file could not be opened; lock() then fails.
    bool isValid() const { return m_fd >= 0; }
    // Waits until the mutex is held; false only for an invalid mutex.
    bool lock();
    // Takes the mutex when it is free; false when another holder has it.
    bool tryLock();
    void unlock();
    bool isLocked() const { return m_locked; }

private:
    int m_fd = -1;
    bool m_locked = false;
};

// Holds a NamedMutex for the lifetime of the object (when it could be taken).
class NamedMutexLocker {
public:
    explicit NamedMutexLocker(NamedMutex& mutex) : m_mutex(mutex), m_locked(mutex.lock()) {}
    ~NamedMutexLocker() {
        if (m_locked) {
            m_mutex.unlock();
        }
    }
    NamedMutexLocker(const NamedMutexLocker&) = delete;
    NamedMutexLocker& operator=(const NamedMutexLocker&) = delete;
    bool isLocked() const { return m_locked; }

private:
    NamedMutex& m_mutex;
    bool m_locked;
};

}  // namespace kontavo
