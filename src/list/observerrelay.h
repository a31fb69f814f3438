#pragma once

#include "store/contacts/contactobserver.h"

namespace kontavo {

// Passes the contact store's observer calls on to a target that is set
// later: the store opens before the contact list that observes it exists.
// Without a target the calls go nowhere. The target must stay valid until
// it is replaced or cleared. UI thread only.
class ObserverRelay final : public ContactObserver {
public:
    void setTarget(ContactObserver* target) { m_target = target; }
    ContactObserver* target() const { return m_target; }

    void onCreated(Oid oid) override;
    void onChanged(Oid oid) override;
    void onDeleted(Oid oid) override;
    void onReloaded() override;
    void onIndexProgress(int step) override;
    void setIdle(bool idle) override;
    void setBacklog(bool backlog) override;

private:
    ContactObserver* m_target = nullptr;
};

}  // namespace kontavo
