#pragma once

#include "store/record/proptag.h"

namespace kontavo {

// Told by the contact manager about changes of the contacts database, from
// this program or from others (implemented by the contact list model, which
// refreshes its entries and forwards the last three calls to its view).
// Calls arrive on the UI thread, in this order of declaration's meaning.
class ContactObserver {
public:
    virtual ~ContactObserver() = default;

    virtual void onCreated(Oid oid) = 0;
    virtual void onChanged(Oid oid) = 0;
    virtual void onDeleted(Oid oid) = 0;
    // The whole database may have changed (after a full re-index).
    virtual void onReloaded() = 0;
    // Words rebuild progress after the letter groups changed: 0 at the start,
    // then steps up to 18, then 20 at the end.
    virtual void onIndexProgress(int step) = 0;
    // False while notifications are queued or a long operation runs.
    virtual void setIdle(bool idle) = 0;
    // True while ten or more notifications wait in the queue.
    virtual void setBacklog(bool backlog) = 0;
};

}  // namespace kontavo
