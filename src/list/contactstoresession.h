#pragma once

#include <memory>

#include "list/changeflagsink.h"
#include "list/hostprogresssink.h"
#include "list/observerrelay.h"
#include "ui/contactstorelink.h"

namespace kontavo {

class ContactManager;
class ContactPictureFiles;
class DeviceFs;
class Locale;
class PimSync;
class SettingsStore;
class SqliteObjectStore;

// The open contact store of a device: its object store
// ("objectstore.db" in the device root) and the ContactManager over it with
// the index files. Made once at start-up and owned by the main window as its
// ContactStoreLink; the contacts frame reaches the manager and sets the
// observer the manager reports to. The device, settings and host given to
// open() must outlive the session. UI thread only.
class ContactStoreSession final : public ContactStoreLink {
public:
    ~ContactStoreSession() override;
    ContactStoreSession(const ContactStoreSession&) = delete;
    ContactStoreSession& operator=(const ContactStoreSession&) = delete;

    // Opens the store of `fs`'s root. As master of `sync` (or with no sync)
    // a missing or untrustworthy index is rebuilt, a stale one brought up to
    // date, under `host`'s progress window; otherwise the index the master
    // keeps is read. nullptr when the object store or a database cannot be
    // opened, or the master cannot build the index; `why` (when given) then
    // names the file and the reason. `sync` (may be null) must outlive the
    // session.
    static std::unique_ptr<ContactStoreSession> open(const DeviceFs& fs, SettingsStore& settings,
                                                     FrameHost& host, const Locale& locale,
                                                     PimSync* sync = nullptr,
                                                     QString* why = nullptr);

    ContactManager& manager() { return *m_manager; }
    // The observer the manager reports to passes its calls on to `target`
    // (null: to nobody).
    void setObserver(ContactObserver* target) { m_relay.setTarget(target); }
    ProgressSink& progress() { return m_progress; }
    // Where the contacts frame raises the change flags: the coordination
    // block shared with the other programs (nothing without one).
    ChangeFlagSink* changeFlags() { return &m_flags; }

    // The index sharing messages: the coordination keeps its master state
    // and the manager does what each asks (takes over, leaves, stops,
    // reloads, writes a forwarded preferred item). Message 1023 is answered
    // with 0. Ignored without a coordination.
    int32_t handleMessage(StoreMessage message, uint32_t wParam, uint32_t lParam) override;

private:
    // Raises the flags in the coordination block.
    class SyncFlags final : public ChangeFlagSink {
    public:
        void raise(int flag) override;
        PimSync* sync = nullptr;
    };

    explicit ContactStoreSession(FrameHost& host);

    HostProgressSink m_progress;
    SyncFlags m_flags;
    ObserverRelay m_relay;
    std::unique_ptr<SqliteObjectStore> m_store;
    std::unique_ptr<ContactPictureFiles> m_pictures;  // outlives the manager
    std::unique_ptr<ContactManager> m_manager;
};

// Fills the contacts database of `fs`'s object store with `count`
// demonstration contacts when it holds none. False when the store cannot be
// opened or written; true when there was nothing to do.
bool seedDemoContactsIfEmpty(const DeviceFs& fs, int count, const Locale& locale);

}  // namespace kontavo
