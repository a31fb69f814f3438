#include "list/observerrelay.h"

namespace kontavo {

void ObserverRelay::onCreated(Oid oid) {
    if (m_target != nullptr) {
        m_target->onCreated(oid);
    }
}

void ObserverRelay::onChanged(Oid oid) {
    if (m_target != nullptr) {
        m_target->onChanged(oid);
    }
}

void ObserverRelay::onDeleted(Oid oid) {
    if (m_target != nullptr) {
        m_target->onDeleted(oid);
    }
}

void ObserverRelay::onReloaded() {
    if (m_target != nullptr) {
        m_target->onReloaded();
    }
}

void ObserverRelay::onIndexProgress(int step) {
    if (m_target != nullptr) {
        m_target->onIndexProgress(step);
    }
}

void ObserverRelay::setIdle(bool idle) {
    if (m_target != nullptr) {
        m_target->setIdle(idle);
    }
}

void ObserverRelay::setBacklog(bool backlog) {
    if (m_target != nullptr) {
        m_target->setBacklog(backlog);
    }
}

}  // namespace kontavo
