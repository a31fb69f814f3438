#pragma once

#include <QString>
#include <memory>

#include "platform/localwindowregistry.h"
#include "store/sync/pimsync.h"

namespace kontavo {

class ContactsDatabase;

// kontavo-store as one of the programs sharing the device's index: a window
// without anything on screen ("KONTAVO.STORE.WND") that the others' messages
// reach, listed in the coordination block for the run of one command.
// Registering never makes the tool master over a running program: it is
// master only when it is the first (or the others left). The messages go to
// the participant the command sets (its contact manager or index); without
// one a "change to master" leaves nothing to reopen, and a forwarded
// preferred item is written to the database.
//
// The tool answers the others only while it runs the event loop: pump()
// between steps of long work. One per process; the main thread only.
class StoreParticipant final : public IndexParticipant {
public:
    static constexpr const char* kWindowClass = "KONTAVO.STORE.WND";

    // For the device whose root is `root`; `db` (open, outliving this)
    // takes forwarded preferred items.
    StoreParticipant(const QString& root, ContactsDatabase& db);
    // Leaves the coordination (a master hands over).
    ~StoreParticipant() override;
    StoreParticipant(const StoreParticipant&) = delete;
    StoreParticipant& operator=(const StoreParticipant&) = delete;

    // Joins: false when ten programs take part already (the block is open
    // and full); the command must then leave the index alone. A tool that
    // cannot reach the block (no runtime folder) joins as its own master.
    bool join();
    PimSync& sync() { return m_sync; }
    bool isMaster() const { return m_sync.isMaster(); }
    // Messages go to `participant` from now on (null: this object).
    void route(IndexParticipant* participant) { m_route = participant; }

    // Answers whatever the other programs sent meanwhile.
    static void pump();

    // IndexParticipant, for commands that hold no index.
    void takeOverIndex() override {}
    void leaveMasterMode() override {}
    void stopIndex() override {}
    void reloadIndex() override {}
    bool takePreferredItem(Oid oid, uint32_t tag) override;

private:
    int32_t receive(const WindowMessage& message);

    LocalWindowRegistry m_windows;
    std::unique_ptr<WindowEndpoint> m_window;
    PimSync m_sync;
    ContactsDatabase& m_db;
    IndexParticipant* m_route = nullptr;
};

}  // namespace kontavo
