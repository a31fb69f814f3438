#pragma once

#include <memory>

#include "list/hostprogresssink.h"
#include "list/observerrelay.h"
#include "ui/contactstorelink.h"

namespace kontavo {

class ContactManager;
class DeviceFs;
class Locale;
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

    // Opens the store of `fs`'s root; a missing or untrustworthy index is
    // rebuilt, a stale one brought up to date, under `host`'s progress
    // window. nullptr when the object store, a database or the index cannot
    // be opened; `why` (when given) then names the file and the reason.
    static std::unique_ptr<ContactStoreSession> open(const DeviceFs& fs, SettingsStore& settings,
                                                     FrameHost& host, const Locale& locale,
                                                     QString* why = nullptr);

    ContactManager& manager() { return *m_manager; }
    // The observer the manager reports to passes its calls on to `target`
    // (null: to nobody).
    void setObserver(ContactObserver* target) { m_relay.setTarget(target); }
    ProgressSink& progress() { return m_progress; }

    // The index sharing messages belong to the companion integration, which
    // is not part of this program yet: they are answered with 0.
    int32_t handleMessage(StoreMessage message, uint32_t wParam, uint32_t lParam) override;

private:
    explicit ContactStoreSession(FrameHost& host);

    HostProgressSink m_progress;
    ObserverRelay m_relay;
    std::unique_ptr<SqliteObjectStore> m_store;
    std::unique_ptr<ContactManager> m_manager;
};

// Fills the contacts database of `fs`'s object store with `count`
// demonstration contacts when it holds none. False when the store cannot be
// opened or written; true when there was nothing to do.
bool seedDemoContactsIfEmpty(const DeviceFs& fs, int count, const Locale& locale);

}  // namespace kontavo
