#pragma once

#include <cstdint>

#include "store/record/proptag.h"

namespace kontavo {

// The programs that open the same index files agree on one master, which
// alone rebuilds, changes and writes back the index; the others read it and
// leave their changes of the database for the master to index. Implemented
// by the coordination block between programs (PimSync); the contact manager
// asks it before every index change. UI thread only.
class IndexSharing {
public:
    virtual ~IndexSharing() = default;

    // True while this program is the master. A program that cannot take
    // part in the coordination is its own master.
    virtual bool isMaster() const = 0;
    // The master only: every other program closes its index files (before
    // a rebuild) / opens them again (after it). Each has done so when the
    // call returns.
    virtual void broadcastStop() = 0;
    virtual void broadcastReload() = 0;
    // Not the master: hands a change of a contact's preferred item to the
    // master, which writes it. False when there is no master to take it.
    virtual bool forwardPreferredItem(Oid oid, uint32_t tag) = 0;
};

// What a program sharing the index does when the others ask it to (the
// messages of the coordination, passed on by PimSync::handleMessage):
// implemented by the contact manager, and by the store tool's commands that
// hold the index. UI thread only.
class IndexParticipant {
public:
    virtual ~IndexParticipant() = default;

    // This program is the master now: the index is opened for changes
    // (rebuilt or synchronised when needed).
    virtual void takeOverIndex() = 0;
    // Another program is the master now: whatever this one still had to
    // write back is written and waited for; the index is only read.
    virtual void leaveMasterMode() = 0;
    // The master is about to rewrite the index: close it.
    virtual void stopIndex() = 0;
    // The master has rewritten it: open it again.
    virtual void reloadIndex() = 0;
    // Another program's change of a contact's preferred item, for the
    // master to write.
    virtual bool takePreferredItem(Oid oid, uint32_t tag) = 0;
};

}  // namespace kontavo
