// The contact manager's part in sharing the index with other programs: what
// it does when they make it master or slave, stop or reload it, or hand it a
// preferred item, and how a master about to end catches up with their
// changes.
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

#include "store/contacts/contactmanager.h"
#include "store/contacts/contactmanager_p.h"
#include "store/contacts/contactobserver.h"
#include "store/contacts/indexsharing.h"

namespace kontavo {

namespace {

// How long catchUp() sleeps when no event is waiting.
constexpr int kCatchUpNapMs = 5;

}  // namespace

void ContactManager::whenIndexFree(std::function<void()> request) {
    if (m_indexWork > 0) {
        m_afterIndexWork.append(std::move(request));
    } else {
        request();
    }
}

// The files may lag behind the regions the previous master left (it may have
// died before writing them back): they are written back soon in any case.
void ContactManager::takeOverIndex() {
    whenIndexFree([this] {
        if (!isOpen() || !isMaster()) {
            return;
        }
        m_index->close();
        if (openIndexAsMaster()) {
            startFlushTimer();
        }
        if (m_observer != nullptr) {
            m_observer->setIdle(true);
            m_observer->onReloaded();
        }
    });
}

// Closing writes a pending write-back and waits for it.
void ContactManager::leaveMasterMode() {
    whenIndexFree([this] {
        if (!isOpen()) {
            return;
        }
        m_flushTimer->stop();
        m_index->close();
        m_selfIndexed.clear();
        attachIndex();
    });
}

void ContactManager::stopIndex() {
    whenIndexFree([this] {
        if (!isOpen()) {
            return;
        }
        m_flushTimer->stop();
        m_index->close();
        m_indexOpen = false;
        m_indexStopped = true;
        if (m_observer != nullptr) {
            m_observer->setIdle(false);
        }
    });
}

void ContactManager::reloadIndex() {
    whenIndexFree([this] {
        if (!isOpen()) {
            return;
        }
        m_index->close();
        if (isMaster()) {
            openIndexAsMaster();
        } else {
            attachIndex();
        }
        if (m_observer != nullptr) {
            m_observer->setIdle(true);
            m_observer->onReloaded();
        }
    });
}

bool ContactManager::takePreferredItem(Oid oid, uint32_t tag) {
    if (!mayProceed() || !m_db.writePreferredItem(oid, tag)) {
        return false;
    }
    if (m_observer != nullptr) {
        m_observer->onChanged(oid);
    }
    return true;
}

bool ContactManager::catchUp(int timeoutMs) {
    const std::optional<DbInfo> info = isOpen() ? m_db.info() : std::nullopt;
    if (!info || !isMaster() || !m_indexOpen) {
        return false;
    }
    const QDeadlineTimer deadline(timeoutMs);
    while (m_appliedTime < info->lastModified && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        if (!m_queue.isEmpty() && m_indexWork == 0) {
            handleQueue();
        } else {
            QThread::msleep(kCatchUpNapMs);
        }
        if (!isMaster() || !m_indexOpen) {
            return false;
        }
    }
    return m_appliedTime >= info->lastModified;
}

}  // namespace kontavo
