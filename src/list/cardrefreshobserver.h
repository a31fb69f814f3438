#pragma once

#include <functional>

#include "store/contacts/contactobserver.h"

namespace kontavo {

// The contacts frame's observer of the store: every call goes on to the
// contact list first; then a changed contact, or a reload (Oid 0), is told
// to `changed` so that the card can follow. UI thread only; `list` must
// outlive the observer.
class CardRefreshObserver final : public ContactObserver {
public:
    CardRefreshObserver(ContactObserver& list, std::function<void(Oid oid)> changed)
        : m_list(list), m_changed(std::move(changed)) {}

    void onCreated(Oid oid) override { m_list.onCreated(oid); }
    void onChanged(Oid oid) override;
    void onDeleted(Oid oid) override { m_list.onDeleted(oid); }
    void onReloaded() override;
    void onIndexProgress(int step) override { m_list.onIndexProgress(step); }
    void setIdle(bool idle) override { m_list.setIdle(idle); }
    void setBacklog(bool backlog) override { m_list.setBacklog(backlog); }

private:
    ContactObserver& m_list;
    std::function<void(Oid oid)> m_changed;
};

}  // namespace kontavo
