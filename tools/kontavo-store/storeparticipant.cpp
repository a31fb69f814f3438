#include "storeparticipant.h"

#include <QCoreApplication>

#include "store/contacts/contactsdatabase.h"

namespace kontavo {

StoreParticipant::StoreParticipant(const QString& root, ContactsDatabase& db)
    : m_sync(m_windows, root), m_db(db) {}

StoreParticipant::~StoreParticipant() {
    m_route = nullptr;
    m_sync.unregisterWindow();
    m_sync.close();
    m_window.reset();
}

bool StoreParticipant::join() {
    if (!m_windows.isOpen()) {
        return true;  // its own master: nobody can be told anything
    }
    WindowReceiver receiver;
    receiver.message = [this](const WindowMessage& message, bool) { return receive(message); };
    m_window = m_windows.createWindow(QLatin1String(kWindowClass), std::move(receiver));
    if (m_window == nullptr || !m_sync.open()) {
        return true;
    }
    return m_sync.registerWindow(m_window->handle());
}

int32_t StoreParticipant::receive(const WindowMessage& message) {
    if (const std::optional<PimSync::Message> known = m_sync.messageOf(message.id)) {
        m_sync.handleMessage(*known, message.wParam, message.lParam,
                             m_route != nullptr ? *m_route : *this);
    }
    return 0;
}

void StoreParticipant::pump() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

bool StoreParticipant::takePreferredItem(Oid oid, uint32_t tag) {
    return m_db.writePreferredItem(oid, tag);
}

}  // namespace kontavo
