#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <memory>

namespace kontavo {

class FrameHost;

// The messages the main window passes on to the contact store: the five
// registered messages of the index sharing protocol and message 1023.
enum class StoreMessage {
    ChangeToMaster,  // "PimSyncChangeToMaster"
    ChangeToSlave,   // "PimSyncChangeToSlave"
    SlaveReload,     // "PimSyncSlaveReload"
    SlaveStop,       // "PimSyncSlaveStop"
    UpdateLinkType,  // "PimSyncUpdateLinkType": wParam Oid, lParam preferred item tag
    Message1023,     // message 1023, with its wParam and lParam
};

// The main window's hold on the open contact store (the ContactManager):
// made by the program's ContactStoreOpener while the main window is created,
// owned by the main window, and destroyed at shut-down after the frames
// (its destructor finishes any pending index write-back and closes the
// databases). UI thread only.
class ContactStoreLink {
public:
    virtual ~ContactStoreLink() = default;
    // One of the messages above, as the main window received it (sent or
    // posted by another program, or by this one). Returns the result, 0.
    virtual int32_t handleMessage(StoreMessage message, uint32_t wParam, uint32_t lParam) = 0;
};

// Opens the contact store (contacts and categories databases, the index,
// rebuilt or brought up to date under `host`'s progress window). nullptr
// when it cannot be opened, with `why` set to what failed (the file and the
// reason): the main window then says "Unable connect to server" and why, and
// start-up fails.
using ContactStoreOpener =
    std::function<std::unique_ptr<ContactStoreLink>(FrameHost& host, QString* why)>;

}  // namespace kontavo
