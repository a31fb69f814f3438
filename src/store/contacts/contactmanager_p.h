#pragma once

#include "store/contacts/contactmanager.h"

namespace kontavo {

// Index work of the contact manager in progress. The requests of the other
// programs sharing the index that arrive meanwhile (through an event loop run
// inside the work, such as a progress window's) are carried out when the
// outermost work has ended, never in the middle of it.
class ContactManager::IndexWork {
public:
    explicit IndexWork(ContactManager& manager) : m_manager(manager) { ++m_manager.m_indexWork; }
    ~IndexWork() {
        if (--m_manager.m_indexWork > 0) {
            return;
        }
        const QList<std::function<void()>> requests = std::move(m_manager.m_afterIndexWork);
        m_manager.m_afterIndexWork.clear();
        for (const std::function<void()>& request : requests) {
            request();
        }
    }
    IndexWork(const IndexWork&) = delete;
    IndexWork& operator=(const IndexWork&) = delete;

private:
    ContactManager& m_manager;
};

}  // namespace kontavo
