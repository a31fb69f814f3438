#include "list/contactstoresession.h"

#include "platform/devicefs.h"
#include "platform/sqliteobjectstore.h"
#include "store/contacts/contactmanager.h"
#include "store/contacts/demoseed.h"
#include "store/index/pimindex.h"
#include "store/pictures/contactpicturefiles.h"
#include "store/sync/pimsync.h"

namespace kontavo {

namespace {

// Every demonstration set of the program is made from this seed, so that a
// newcomer's list looks the same everywhere.
constexpr uint32_t kDemoSeed = 20030;

std::optional<PimSync::Message> syncMessageOf(StoreMessage message) {
    switch (message) {
        case StoreMessage::ChangeToMaster:
            return PimSync::Message::ChangeToMaster;
        case StoreMessage::ChangeToSlave:
            return PimSync::Message::ChangeToSlave;
        case StoreMessage::SlaveStop:
            return PimSync::Message::SlaveStop;
        case StoreMessage::SlaveReload:
            return PimSync::Message::SlaveReload;
        case StoreMessage::UpdateLinkType:
            return PimSync::Message::UpdateLinkType;
        case StoreMessage::Message1023:
            break;
    }
    return std::nullopt;
}

}  // namespace

ContactStoreSession::ContactStoreSession(FrameHost& host) : m_progress(host) {}

ContactStoreSession::~ContactStoreSession() {
    if (m_manager != nullptr && m_manager->isOpen()) {
        m_manager->shutdown();
    }
}

std::unique_ptr<ContactStoreSession> ContactStoreSession::open(const DeviceFs& fs,
                                                               SettingsStore& settings,
                                                               FrameHost& host,
                                                               const Locale& locale,
                                                               PimSync* sync, QString* why) {
    std::unique_ptr<ContactStoreSession> session(new ContactStoreSession(host));
    session->m_flags.sync = sync;
    const QString file = SqliteObjectStore::fileInRoot(fs.root());
    session->m_store = std::make_unique<SqliteObjectStore>(file);
    if (!session->m_store->isOpen()) {
        if (why != nullptr) {
            *why = QStringLiteral("Cannot open the contact store %1: %2.")
                       .arg(file, session->m_store->errorMessage());
        }
        return nullptr;
    }
    session->m_manager = std::make_unique<ContactManager>(
        *session->m_store, std::make_unique<PimIndex>(fs, settings, nullptr, locale), fs, locale);
    session->m_pictures = std::make_unique<ContactPictureFiles>(fs);
    session->m_manager->setPictures(session->m_pictures.get());
    session->m_manager->setSharing(sync);
    if (!session->m_manager->init(&session->m_relay, nullptr, &session->m_progress)) {
        if (why != nullptr) {
            *why = QStringLiteral("Cannot read the contacts of %1 or write their index in %2: %3.")
                       .arg(file, fs.hostPath(DeviceFs::temporaryFolder()).value_or(fs.root()),
                            session->m_store->errorMessage());
        }
        return nullptr;
    }
    return session;
}

int32_t ContactStoreSession::handleMessage(StoreMessage message, uint32_t wParam, uint32_t lParam) {
    PimSync* sync = m_flags.sync;
    const std::optional<PimSync::Message> known = syncMessageOf(message);
    if (sync != nullptr && m_manager != nullptr && known) {
        sync->handleMessage(*known, wParam, lParam, *m_manager);
    }
    return 0;
}

void ContactStoreSession::SyncFlags::raise(int flag) {
    if (sync != nullptr) {
        sync->setFlag(flag, 1);
    }
}

bool seedDemoContactsIfEmpty(const DeviceFs& fs, int count, const Locale& locale) {
    SqliteObjectStore store(SqliteObjectStore::fileInRoot(fs.root()));
    if (!store.isOpen()) {
        return false;
    }
    ContactsDatabase db(store, locale);
    if (!db.open()) {
        return false;
    }
    const std::optional<DbInfo> info = db.info();
    if (!info) {
        return false;
    }
    return info->recordCount > 0 || seedDemoContacts(db, count, kDemoSeed, locale);
}

}  // namespace kontavo
