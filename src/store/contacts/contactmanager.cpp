#include "store/contacts/contactmanager.h"

#include <QtDebug>
#include <utility>

#include "diag/errorlog.h"
#include "diag/fatal.h"
#include "store/contacts/contactnotes.h"
#include "store/contacts/contactobserver.h"
#include "store/contacts/contactpictures.h"
#include "store/contacts/contactprops.h"
#include "store/contacts/contactsdatabasereader.h"
#include "store/contacts/indexstartup.h"
#include "store/contacts/listcacheloader.h"
#include "store/contacts/listcolumns.h"
#include "store/contacts/listquery.h"
#include "store/contacts/operationgate.h"
#include "store/contacts/recordchecksum.h"
#include "store/notes/extendedblock.h"
#include "store/record/contactfields.h"

namespace kontavo {

namespace {

// The source the error log names when an index change fails while a
// notification is handled, with the line of each kind of change.
constexpr const char* kLogSource = "ContactManager";
constexpr int kLineInsert = 820;
constexpr int kLineUpdate = 842;
constexpr int kLineRemove = 859;

[[noreturn]] void failIndexChange(int line) {
    logError(QStringLiteral("Unable perform db operation!!!"), kLogSource, "", line);
    raiseFatal(FatalCode::UnrecoverableDbError);
}

// Brackets a change with the gate's begin() and end().
class GateScope {
public:
    explicit GateScope(OperationGate* gate) : m_gate(gate) {
        if (m_gate != nullptr) {
            m_gate->begin();
        }
    }
    ~GateScope() {
        if (m_gate != nullptr) {
            m_gate->end();
        }
    }
    GateScope(const GateScope&) = delete;
    GateScope& operator=(const GateScope&) = delete;

private:
    OperationGate* m_gate;
};

PropTag tagOf(ContactField field) {
    return fieldInfo(field).tag();
}

}  // namespace

ContactManager::ContactManager(ObjectStore& store, std::unique_ptr<ContactIndex> index,
                               const DeviceFs& fs, const Locale& locale, TimerFactory timers)
    : m_store(store),
      m_index(std::move(index)),
      m_fs(fs),
      m_locale(locale),
      m_db(store, locale),
      m_queue(timers(), [this] { handleQueue(); }),
      m_flushTimer(timers()),
      m_listCache(locale),
      m_listTimer(timers()) {
    m_flushTimer->setCallback([this] { flushIndex(); });
    m_listTimer->setCallback([this] { stepListLoad(); });
}

ContactManager::~ContactManager() {
    if (isOpen()) {
        shutdown();
    }
}

bool ContactManager::init(ContactObserver* observer, OperationGate* gate, ProgressSink* progress) {
    m_observer = observer;
    m_gate = gate;
    m_progress = progress;
    const bool opened =
        m_db.open([this](const DbNotification& event) { handleNotification(event); }) &&
        openReader() && openIndex();
    if (!opened) {
        shutdown();
    }
    return opened;
}

// The index walks the database through a handle of its own, so that its
// walks never move the position of the handle the queries use.
bool ContactManager::openReader() {
    m_readerHandle = m_store.open(ContactsDatabase::databaseName(), DbOpenOptions());
    if (!m_readerHandle) {
        return false;
    }
    m_reader = std::make_unique<ContactsDatabaseReader>(*m_readerHandle, m_locale);
    return true;
}

bool ContactManager::openIndex() {
    const std::optional<DbInfo> info = m_db.info();
    if (!info) {
        return false;
    }
    const IndexStartup started = startIndex(*m_index, *m_reader, *info, m_progress);
    if (started == IndexStartup::Synchronised || started == IndexStartup::Rebuilt) {
        startFlushTimer();
    }
    return started != IndexStartup::Failed;
}

void ContactManager::shutdown() {
    resetListCache();
    m_queue.stop();
    if (m_flushTimer->isActive()) {
        m_flushTimer->stop();
        m_index->startFlush();
    }
    m_reader.reset();
    m_readerHandle.reset();
    m_db.close();
    m_index->close();
}

bool ContactManager::mayProceed(int kind) {
    return isOpen() && (m_gate == nullptr || m_gate->mayProceed(kind, m_db.oid()));
}

uint64_t ContactManager::databaseTime() {
    const std::optional<DbInfo> info = m_db.info();
    return info ? info->lastModified : 0;
}

void ContactManager::startFlushTimer() {
    m_flushTimer->start(kFlushDelayMs);
}

void ContactManager::flushIndex() {
    m_flushTimer->stop();
    m_index->startFlush();
}

bool ContactManager::reindex() {
    if (!mayProceed()) {
        return false;
    }
    m_index->stopFlush();
    if (m_observer != nullptr) {
        m_observer->setIdle(false);
    }
    GateScope scope(m_gate);
    const bool rebuilt = m_index->rebuild(*m_reader, m_progress, true);
    resetListCache();
    if (m_observer != nullptr) {
        m_observer->onReloaded();
        m_observer->setIdle(true);
    }
    startFlushTimer();
    return rebuilt;
}

bool ContactManager::rebuildWords() {
    if (!mayProceed()) {
        return false;
    }
    m_index->stopFlush();
    GateScope scope(m_gate);
    const bool rebuilt = m_index->rebuildWords(*m_reader, m_observer);
    startFlushTimer();
    return rebuilt;
}

// The extended properties come from the contact's index entry while its
// checksum matches the record just read. A record changed since it was
// indexed (its notification still queued) has them parsed from its notes,
// so that a read never gives older properties than the record holds. A
// record the index never took in reads as missing.
bool ContactManager::readContact(Oid oid, ContactRecord& record) {
    const std::optional<DbRecord> raw = isOpen() ? m_db.readRaw(oid) : std::nullopt;
    const std::optional<uint32_t> indexed = raw ? m_index->storedChecksum(oid) : std::nullopt;
    if (!indexed) {
        return false;
    }
    ContactRecord read;
    applyContactProps(*raw, read);
    const uint32_t checksum = rawRecordChecksum(*raw);
    if (*indexed != checksum || !m_index->readExtended(oid, read.extended)) {
        read.extended = parseNotes(read.notesBlob, m_locale).extended;
        read.extended.checksum = checksum;
    }
    read.userNote = stripBlock(read.notesBlob, m_locale);
    read.notesBlob.clear();
    if (m_pictures != nullptr) {
        m_pictures->load(read);
    }
    record = std::move(read);
    return true;
}

bool ContactManager::addContact(ContactRecord& record) {
    return saveContact(record, true);
}

bool ContactManager::updateContact(ContactRecord& record) {
    return saveContact(record, false);
}

// The checksum is taken once the record has its Oid: the index compares it
// with the sum of the stored record, which includes the Oid.
bool ContactManager::saveContact(ContactRecord& record, bool create) {
    if (!mayProceed() || (!create && record.oid == 0)) {
        return false;
    }
    GateScope scope(m_gate);
    m_index->stopFlush();
    std::optional<RebuiltNotes> notes = rebuildNotes(record, m_locale);
    if (!notes) {
        return false;
    }
    ContactRecord stored = record;
    stored.notesBlob = notes->blob;
    const bool written = create ? m_db.createRecord(stored) : m_db.updateRecord(stored);
    if (!written) {
        return false;
    }
    refreshListColumns(stored.oid);
    if (m_pictures != nullptr) {
        m_pictures->save(stored);
    }
    IndexedContact contact{stored, std::move(notes->parsed.text)};
    contact.record.extended = std::move(notes->parsed.extended);
    contact.record.extended.image = stored.extended.image;
    contact.record.extended.checksum = recordChecksum(stored);
    record.oid = stored.oid;
    record.notesBlob = stored.notesBlob;
    record.extended.image = stored.extended.image;
    record.extended.checksum = contact.record.extended.checksum;
    const bool indexed = indexSaved(contact, create);
    startFlushTimer();
    return indexed;
}

// Updating the index entry of a saved contact is the one step guarded
// against a fatal error: the contact is saved, and a failure to index it is
// reported to the caller instead of ending the program.
bool ContactManager::indexSaved(const IndexedContact& contact, bool create) {
    if (create) {
        return m_index->insert(contact, databaseTime());
    }
    bool updated = false;
    const uint64_t time = databaseTime();
    return runGuarded([&] { updated = m_index->update(contact, time); }) && updated;
}

bool ContactManager::deleteContact(Oid oid) {
    if (!mayProceed()) {
        return false;
    }
    GateScope scope(m_gate);
    m_index->stopFlush();
    ContactRecord names;
    if (!m_db.readRecord(oid, pictureNameTags(), names)) {
        return false;
    }
    const QString indexedPicture = m_index->pictureName(oid);
    if (!m_db.deleteRecord(oid)) {
        return false;
    }
    m_listCache.remove(oid);
    deleteContactPicture(m_fs, names, indexedPicture);
    const bool removed = m_index->remove(oid, databaseTime());
    startFlushTimer();
    return removed;
}

bool ContactManager::setPreferredItem(Oid oid, uint32_t tag) {
    return mayProceed() && m_db.writePreferredItem(oid, tag);
}

bool ContactManager::listContacts(const CategoryFilter& filter, QList<ListEntry>& out) {
    return isOpen() && ListQuery(m_db.handle()).all(filter, out);
}

bool ContactManager::listContacts(const QList<Oid>& oids, const CategoryFilter& filter,
                                  QList<ListEntry>& out) {
    return isOpen() && ListQuery(m_db.handle()).ofOids(oids, filter, out);
}

ContactManager::OrderedContacts ContactManager::orderedContacts(const QList<Oid>* candidates,
                                                               const CategoryFilter& filter,
                                                               int sortType) {
    if (!isOpen()) {
        return {};
    }
    // A failed load is reported once; the query after that tries again.
    if (std::exchange(m_listLoadFailed, false)) {
        return {};
    }
    if (m_listCache.state() == ContactListCache::State::Empty && !startListLoad()) {
        m_listLoadFailed = false;
        return {};
    }
    if (!m_listCache.isReady() || m_listPreparing) {
        return {ListState::Loading, {}};
    }
    return {ListState::Ready, m_listCache.select(candidates, filter, sortType)};
}

void ContactManager::setListLoadSizes(int atOnce, int step) {
    m_listLoadAtOnce = atOnce;
    m_listLoadStep = std::max(step, 1);
}

// A small database is read at once; a large one in steps on the list timer,
// so that the event loop runs between them.
bool ContactManager::startListLoad() {
    const std::optional<DbInfo> info = m_db.info();
    std::unique_ptr<ObjectDatabase> handle =
        info ? m_store.open(ContactsDatabase::databaseName(), DbOpenOptions()) : nullptr;
    if (!handle) {
        endListLoad(false);
        return false;
    }
    m_listCache.beginLoad(qsizetype(info->recordCount));
    m_listLoader = std::make_unique<ListCacheLoader>(std::move(handle), m_listCache);
    if (qint64(info->recordCount) > m_listLoadAtOnce) {
        m_listTimer->start(0);
        return true;
    }
    ListCacheLoader::Step step = ListCacheLoader::Step::More;
    while (step == ListCacheLoader::Step::More) {
        step = m_listLoader->step(m_listLoadStep);
    }
    endListLoad(step == ListCacheLoader::Step::Done);
    return step == ListCacheLoader::Step::Done;
}

// After the records, the orders are built in steps too; the ready callback
// follows the last step (or a failed read).
void ContactManager::stepListLoad() {
    if (m_listLoader == nullptr && !m_listPreparing) {
        return;  // the load was dropped (a re-index or shutdown)
    }
    if (m_listLoader != nullptr) {
        const ListCacheLoader::Step step = m_listLoader->step(m_listLoadStep);
        if (step == ListCacheLoader::Step::More) {
            m_listTimer->start(0);
            return;
        }
        endListLoad(step == ListCacheLoader::Step::Done);
        m_listPreparing = step == ListCacheLoader::Step::Done;
    }
    if (m_listPreparing) {
        if (!m_listCache.prepareSome(size_t(m_listLoadStep))) {
            m_listTimer->start(0);
            return;
        }
        m_listPreparing = false;
    }
    if (m_listReady) {
        m_listReady();
    }
}

void ContactManager::endListLoad(bool loaded) {
    m_listLoader.reset();
    m_listTimer->stop();
    if (loaded) {
        m_listCache.finishLoad([this](Oid oid) { return readListColumns(oid); });
    } else {
        logError(QStringLiteral("Unable read contacts list"), kLogSource, "", __LINE__);
        m_listCache.clear();
        m_listLoadFailed = true;
    }
}

// After a full re-index the list is read again; a load in progress ends
// without calling back (the re-index tells the observer itself).
void ContactManager::resetListCache() {
    m_listLoader.reset();
    m_listPreparing = false;
    m_listTimer->stop();
    m_listCache.clear();
    m_listLoadFailed = false;
}

// Only a ready cache needs the record read back now: a loading one just
// remembers the Oid (read at the end of the load), an empty one ignores it.
void ContactManager::refreshListColumns(Oid oid) {
    if (!m_listCache.isReady()) {
        m_listCache.remove(oid);
        return;
    }
    if (const std::optional<ListColumns> columns = readListColumns(oid)) {
        m_listCache.put(*columns);
    } else {
        m_listCache.remove(oid);
    }
}

std::optional<ListColumns> ContactManager::readListColumns(Oid oid) {
    if (!isOpen() || oid == 0 || !m_db.handle().seekOid(oid)) {
        return std::nullopt;
    }
    const std::optional<DbRecord> read = m_db.handle().read(listColumnTags());
    return read ? std::optional<ListColumns>(listColumnsOf(*read)) : std::nullopt;
}

std::optional<QStringList> ContactManager::companyNames() {
    return m_db.companyNames();
}

std::optional<QStringList> ContactManager::readStrings(Oid oid, const QList<PropTag>& tags) {
    if (!isOpen() || oid == 0 || !m_db.handle().seekOid(oid)) {
        return std::nullopt;
    }
    const std::optional<DbRecord> read = m_db.handle().read(tags);
    if (!read) {
        return std::nullopt;
    }
    QStringList strings;
    for (const PropValue& value : read->props) {
        strings.append(value.isNotFound() ? QString() : value.toString());
    }
    return strings;
}

std::optional<QStringList> ContactManager::nameParts(Oid oid) {
    return readStrings(oid, {tagOf(ContactField::LastName), tagOf(ContactField::FirstName),
                             tagOf(ContactField::MiddleName), tagOf(ContactField::Company)});
}

std::optional<QStringList> ContactManager::listNames(Oid oid) {
    return readStrings(oid, {tagOf(ContactField::LastName), tagOf(ContactField::FirstName),
                             tagOf(ContactField::Company), tagOf(ContactField::Title)});
}

bool ContactManager::readPictureNames(Oid oid, ContactRecord& record) {
    return isOpen() && m_db.readRecord(oid, pictureNameTags(), record);
}

std::optional<QString> ContactManager::fileAs(Oid oid) {
    const std::optional<QStringList> strings = readStrings(oid, {tagOf(ContactField::FileAs)});
    return strings ? std::optional<QString>(strings->first()) : std::nullopt;
}

void ContactManager::handleNotification(const DbNotification& notification) {
    switch (notification.type) {
        case DbNotifyType::Created:
            enqueue({ChangeEvent::Kind::Created, notification.parent, notification.oid});
            return;
        case DbNotifyType::RecordDeleted:
            enqueue({ChangeEvent::Kind::Deleted, notification.parent, notification.oid});
            return;
        case DbNotifyType::Changed:
            enqueue({ChangeEvent::Kind::Changed, notification.parent, notification.oid});
            return;
        case DbNotifyType::ChangesLost:
            enqueueLost();
            return;
    }
    qDebug("Unhadled Notify: Type: %d, Parent: %d, Oid: %d", int(notification.type),
           int(notification.parent), int(notification.oid));
}

void ContactManager::enqueue(const ChangeEvent& event) {
    if (m_gate != nullptr && !m_gate->mayProceed(int(event.kind), event.parent)) {
        return;
    }
    announce(m_queue.push(event));
}

// Lost events are never refused: only a full re-index makes up for them.
void ContactManager::enqueueLost() {
    announce(m_queue.pushLost());
}

void ContactManager::announce(const ChangeQueue::Pushed& pushed) {
    if (m_observer == nullptr) {
        return;
    }
    if (pushed.first) {
        m_observer->setIdle(false);
    }
    if (pushed.backlog) {
        m_observer->setBacklog(true);
    }
}

void ContactManager::handleQueue() {
    if (!isOpen()) {
        m_queue.take();
        return;
    }
    if (!mayProceed()) {
        m_queue.retryLater();
        return;
    }
    const ChangeQueue::Batch batch = m_queue.take();
    {
        GateScope scope(m_gate);
        m_index->stopFlush();
        if (batch.needsReindex()) {
            fullReindex();
        } else {
            for (const ChangeEvent& event : batch.events) {
                applyEvent(event);
            }
        }
        startFlushTimer();
    }
    if (m_observer != nullptr) {
        m_observer->setIdle(true);
        m_observer->setBacklog(false);
    }
}

void ContactManager::fullReindex() {
    m_index->rebuild(*m_reader, m_progress, false);
    resetListCache();
    if (m_observer != nullptr) {
        m_observer->onReloaded();
    }
}

void ContactManager::applyEvent(const ChangeEvent& event) {
    if (event.parent != m_db.oid()) {
        return;
    }
    if (event.kind != ChangeEvent::Kind::Deleted) {
        applyStored(event);
        return;
    }
    if (m_index->storedChecksum(event.oid) && !m_index->remove(event.oid, databaseTime())) {
        failIndexChange(kLineRemove);
    }
    m_listCache.remove(event.oid);
    if (m_observer != nullptr) {
        m_observer->onDeleted(event.oid);
    }
}

// A created or changed record: the notification of this program's own
// change finds the contact indexed already, and a record created and changed
// in one burst arrives twice, so an indexed contact is updated and any other
// inserted. A record deleted since is left to its deletion event.
void ContactManager::applyStored(const ChangeEvent& event) {
    IndexedContact contact;
    if (!m_reader->readForIndex(event.oid, contact)) {
        return;
    }
    const uint64_t time = databaseTime();
    const bool created = event.kind == ChangeEvent::Kind::Created;
    if (m_index->storedChecksum(event.oid)) {
        if (!m_index->update(contact, time)) {
            failIndexChange(created ? kLineInsert : kLineUpdate);
        }
    } else if (!m_index->insert(contact, time)) {
        failIndexChange(created ? kLineInsert : kLineUpdate);
    }
    refreshListColumns(event.oid);
    if (m_observer != nullptr) {
        if (created) {
            m_observer->onCreated(event.oid);
        } else {
            m_observer->onChanged(event.oid);
        }
    }
}

}  // namespace kontavo
