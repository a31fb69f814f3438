#include "store/sync/pimsync.h"

#include "platform/namedmutex.h"
#include "platform/sharedregion.h"

namespace kontavo {

PimSync::PimSync(WindowRegistry& windows, QString scope)
    : m_windows(windows), m_scope(std::move(scope)) {}

PimSync::~PimSync() {
    close();
}

bool PimSync::open() {
    close();
    for (size_t i = 0; i < kMessageNames.size(); ++i) {
        m_ids[i] = m_windows.registerWindowMessage(QLatin1String(kMessageNames[i]));
        if (m_ids[i] == 0) {
            return false;
        }
    }
    auto mutex = std::make_unique<NamedMutex>(m_scope, QLatin1String(kMutexName));
    if (!mutex->isValid()) {
        return false;
    }
    // A new block is all zeros: no window listed, every flag 0.
    m_region = SharedRegion::open(m_scope, QLatin1String(kBlockName), PimSyncBlock::kBytes);
    m_mutex = m_region != nullptr ? std::move(mutex) : nullptr;
    return isOpen();
}

void PimSync::close() {
    m_region.reset();
    m_mutex.reset();
    m_registered = false;
    m_master = false;
}

std::optional<PimSyncBlock> PimSync::update(const std::function<void(PimSyncBlock&)>& change) {
    if (!isOpen()) {
        return std::nullopt;
    }
    NamedMutexLocker lock(*m_mutex);
    if (!lock.isLocked()) {
        return std::nullopt;
    }
    const PimSyncBlock before = PimSyncBlock::decode(m_region->data());
    if (change) {
        PimSyncBlock after = before;
        change(after);
        after.encode(m_region->data());
    }
    return before;
}

QList<WindowHandle> PimSync::participants() {
    const std::optional<PimSyncBlock> block = update({});
    return block ? block->participants() : QList<WindowHandle>();
}

// Whether each window lives is asked outside the mutex (it may take a
// moment); under it, exactly the dead ones are taken out of the list as it
// then stands.
void PimSync::compact() {
    const QList<WindowHandle> listed = participants();
    QList<WindowHandle> dead;
    for (WindowHandle window : listed) {
        if (window != m_own && !m_windows.isWindow(window)) {
            dead.append(window);
        }
    }
    if (dead.isEmpty()) {
        return;
    }
    QList<WindowHandle> after;
    const std::optional<PimSyncBlock> before = update([&](PimSyncBlock& block) {
        after = block.participants();
        for (WindowHandle window : dead) {
            after.removeAll(window);
        }
        block.setParticipants(after);
    });
    const QList<WindowHandle> was = before ? before->participants() : QList<WindowHandle>();
    if (!after.isEmpty() && !was.isEmpty() && after.first() != was.first()) {
        broadcastStop();
        send(after.first(), Message::ChangeToMaster);
        broadcastReload();
    }
}

bool PimSync::registerWindow(WindowHandle window) {
    if (!isOpen() || window == 0) {
        return false;
    }
    compact();
    m_own = window;
    qsizetype slot = -1;
    update([&](PimSyncBlock& block) {
        QList<WindowHandle> listed = block.participants();
        slot = listed.indexOf(window);
        if (slot < 0 && listed.size() < PimSyncBlock::kSlots) {
            slot = listed.size();
            listed.append(window);
            block.setParticipants(listed);
        }
    });
    m_registered = slot >= 0;
    m_master = slot == 0;
    return m_registered;
}

void PimSync::unregisterWindow() {
    if (!isOpen() || !m_registered) {
        return;
    }
    compact();
    QList<WindowHandle> after;
    update([&](PimSyncBlock& block) {
        after = block.participants();
        after.removeAll(m_own);
        block.setParticipants(after);
    });
    const bool wasMaster = m_master;
    m_registered = false;
    m_master = false;
    if (wasMaster && !after.isEmpty()) {
        handOver(after.first(), after.mid(1));
    }
}

void PimSync::handOver(WindowHandle master, const QList<WindowHandle>& others) {
    sendEach(others, Message::SlaveStop);
    send(master, Message::ChangeToMaster);
    sendEach(others, Message::SlaveReload);
}

void PimSync::becomeMaster() {
    if (!isOpen() || !m_registered || m_master) {
        return;
    }
    WindowHandle previous = 0;
    bool listed = false;
    update([&](PimSyncBlock& block) {
        QList<WindowHandle> windows = block.participants();
        const qsizetype slot = windows.indexOf(m_own);
        listed = slot >= 0;
        if (slot > 0) {
            previous = windows.first();
            windows.swapItemsAt(0, slot);
            block.setParticipants(windows);
        }
    });
    if (!listed) {
        return;  // taken off as dead meanwhile: outside the protocol
    }
    m_master = true;
    if (previous == 0) {
        return;  // in slot 0 already: nobody to tell
    }
    send(previous, Message::ChangeToSlave);
    broadcastStop();
    send(m_own, Message::ChangeToMaster);
    broadcastReload();
}

void PimSync::broadcastStop() {
    if (isOpen() && m_registered && m_master) {
        sendEach(participants().mid(1), Message::SlaveStop);
    }
}

void PimSync::broadcastReload() {
    if (isOpen() && m_registered && m_master) {
        sendEach(participants().mid(1), Message::SlaveReload);
    }
}

bool PimSync::forwardPreferredItem(Oid oid, uint32_t tag) {
    if (!isOpen() || !m_registered || m_master) {
        return false;
    }
    const QList<WindowHandle> listed = participants();
    if (listed.isEmpty() || listed.first() == m_own) {
        return false;
    }
    return m_windows
        .sendMessage(listed.first(), {messageId(Message::UpdateLinkType), oid, tag}, kSendTimeoutMs)
        .has_value();
}

int32_t PimSync::flag(int index) {
    if (index < 0 || index >= PimSyncBlock::kFlags) {
        return 0;
    }
    const std::optional<PimSyncBlock> block = update({});
    return block ? block->flags[size_t(index)] : 0;
}

void PimSync::setFlag(int index, int32_t value) {
    if (index >= 0 && index < PimSyncBlock::kFlags) {
        update([&](PimSyncBlock& block) { block.flags[size_t(index)] = value; });
    }
}

std::optional<PimSync::Message> PimSync::messageOf(uint32_t id) const {
    for (size_t i = 0; i < m_ids.size(); ++i) {
        if (id != 0 && m_ids[i] == id) {
            return Message(i);
        }
    }
    return std::nullopt;
}

void PimSync::send(WindowHandle window, Message message, uint32_t wParam, uint32_t lParam) {
    if (window != 0) {
        m_windows.sendMessage(window, {messageId(message), wParam, lParam}, kSendTimeoutMs);
    }
}

void PimSync::sendEach(const QList<WindowHandle>& windows, Message message) {
    for (WindowHandle window : windows) {
        send(window, message);
    }
}

void PimSync::handleMessage(Message message, uint32_t wParam, uint32_t lParam,
                            IndexParticipant& participant) {
    switch (message) {
        case Message::ChangeToMaster:
            m_master = true;
            participant.takeOverIndex();
            return;
        case Message::ChangeToSlave:
            m_master = false;
            participant.leaveMasterMode();
            return;
        case Message::SlaveStop:
            participant.stopIndex();
            return;
        case Message::SlaveReload:
            participant.reloadIndex();
            return;
        case Message::UpdateLinkType:
            participant.takePreferredItem(Oid(wParam), lParam);
            return;
    }
}

}  // namespace kontavo
