#pragma once

#include "platform/devicefs.h"
#include "platform/sqliteregistry.h"
#include "store/contacts/contactmanager.h"
#include "store/pictures/contactpicturefiles.h"
#include "store/settings/settingsstore.h"
#include "storecommand.h"
#include "toolindex.h"

namespace kontavo {

// The contact manager of the device, with the device's index and its
// picture files, taking part among the programs sharing the index for as
// long as the session lives.
class ManagerSession {
public:
    explicit ManagerSession(StoreContext& context);
    ~ManagerSession();
    ManagerSession(const ManagerSession&) = delete;
    ManagerSession& operator=(const ManagerSession&) = delete;

    // Opens the index (rebuilt or brought up to date when this program
    // keeps it); false when it cannot be.
    bool open() { return m_manager.init(nullptr, nullptr, &m_progress); }
    ContactManager& manager() { return m_manager; }
    const DeviceFs& fs() const { return m_fs; }
    const ContactPictureFiles& pictures() const { return m_pictures; }

private:
    StoreContext& m_context;
    DeviceFs m_fs;
    SqliteRegistry m_registry;
    SettingsStore m_settings;
    ContactPictureFiles m_pictures;
    ContactManager m_manager;
    StderrProgress m_progress;
};

}  // namespace kontavo
