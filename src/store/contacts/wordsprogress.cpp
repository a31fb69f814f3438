#include "store/contacts/wordsprogress.h"

#include "diag/resources.h"

namespace kontavo {

namespace {

constexpr int kReindexTextId = 42100;  // "Reindex database"

}  // namespace

WordsProgress::WordsProgress(ContactObserver* target, ProgressSink* progress)
    : m_target(target), m_meter(progress, loadString(kReindexTextId), kSteps) {}

void WordsProgress::onCreated(Oid oid) {
    if (m_target != nullptr) {
        m_target->onCreated(oid);
    }
}

void WordsProgress::onChanged(Oid oid) {
    if (m_target != nullptr) {
        m_target->onChanged(oid);
    }
}

void WordsProgress::onDeleted(Oid oid) {
    if (m_target != nullptr) {
        m_target->onDeleted(oid);
    }
}

void WordsProgress::onReloaded() {
    if (m_target != nullptr) {
        m_target->onReloaded();
    }
}

void WordsProgress::onIndexProgress(int step) {
    m_meter.reach(step, kSteps);
    if (m_target != nullptr) {
        m_target->onIndexProgress(step);
    }
}

void WordsProgress::setIdle(bool idle) {
    if (m_target != nullptr) {
        m_target->setIdle(idle);
    }
}

void WordsProgress::setBacklog(bool backlog) {
    if (m_target != nullptr) {
        m_target->setBacklog(backlog);
    }
}

}  // namespace kontavo
