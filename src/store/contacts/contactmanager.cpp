#include "store/contacts/contactmanager.h"

#include <QtDebug>
#include <utility>

#include "diag/errorlog.h"
#include "diag/fatal.h"
#include "store/contacts/contactmanager_p.h"
#include "store/contacts/contactnotes.h"
#include "store/contacts/contactobserver.h"
#include "store/contacts/contactpictures.h"
#include "store/contacts/contactprops.h"
#include "store/contacts/contactsdatabasereader.h"
#include "store/contacts/indexsharing.h"
#include "store/contacts/indexstartup.h"
#include "store/contacts/listcacheloader.h"
#include "store/contacts/listcolumns.h"
#include "store/contacts/listquery.h"
#include "store/contacts/operationgate.h"
#include "store/contacts/recordchecksum.h"
#include "store/contacts/wordsprogress.h"
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

bool ContactManager::isMaster() const {
    return m_sharing == nullptr || m_sharing->isMaster();
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
    if (isMaster()) {
        return openIndexAsMaster();
    }
    attachIndex();
    return true;
}

// The time read before the index is brought up is what the index is current
// to afterwards at the least: a synchronisation or rebuild reads the
// database after it, and changes committed since arrive as notifications.
bool ContactManager::openIndexAsMaster() {
    IndexWork work(*this);
    m_indexOpen = false;
    const std::optional<DbInfo> info = m_db.info();
    if (!info) {
        return false;
    }
    const IndexStartup started = startIndex(*m_index, *m_reader, *info, m_progress, m_sharing);
    if (started == IndexStartup::Failed) {
        return false;
    }
    m_indexOpen = true;
    m_indexStopped = false;
    m_appliedTime = info->lastModified;
    m_queue.dropCoveredBy(m_appliedTime);
    if (started == IndexStartup::Synchronised || started == IndexStartup::Rebuilt) {
        startFlushTimer();
    }
    return true;
}

// A program that is not the master reads the index the master keeps; until
// the master has made it usable there is none (searches find nothing).
void ContactManager::attachIndex() {
    m_indexOpen = m_index->attach();
    m_indexStopped = false;
    m_appliedTime = 0;
}

bool ContactManager::mayChangeIndex() const {
    return m_indexOpen && m_indexWork == 0 && isMaster();
}

// Notifications that arrived but wait for their debounce are applied rather
// than dropped, unless that would take a full re-index: the next start finds
// the index stale by them then.
void ContactManager::shutdown() {
    resetListCache();
    const ChangeQueue::Batch pending = m_queue.take();
    if (isOpen() && mayChangeIndex() && mayProceed() && !pending.events.isEmpty() &&
        !pending.needsReindex()) {
        applyBatch(pending);  // starts the flush timer: written back below
    }
    if (m_flushTimer->isActive()) {
        m_flushTimer->stop();
        m_index->startFlush();
    }
    m_reader.reset();
    m_readerHandle.reset();
    m_db.close();
    m_index->close();
    m_indexOpen = false;
    m_appliedTime = 0;
    m_afterIndexWork.clear();
}

bool ContactManager::mayProceed(int kind) {
    return isOpen() && (m_gate == nullptr || m_gate->mayProceed(kind, m_db.oid()));
}

void ContactManager::startFlushTimer() {
    m_flushTimer->start(kFlushDelayMs);
}

void ContactManager::flushIndex() {
    m_flushTimer->stop();
    m_index->startFlush();
}

bool ContactManager::reindex() {
    if (!mayProceed() || !isMaster() || m_indexWork > 0) {
        return false;
    }
    IndexWork work(*this);
    m_index->stopFlush();
    if (m_observer != nullptr) {
        m_observer->setIdle(false);
    }
    GateScope scope(m_gate);
    const std::optional<DbInfo> info = m_db.info();
    const bool rebuilt = info && rebuildIndex(*m_index, *m_reader, m_progress, true, m_sharing);
    m_indexOpen = m_indexOpen || rebuilt;
    m_appliedTime = rebuilt ? info->lastModified : 0;
    m_queue.dropCoveredBy(m_appliedTime);
    resetListCache();
    if (m_observer != nullptr) {
        m_observer->onReloaded();
        m_observer->setIdle(true);
    }
    startFlushTimer();
    return rebuilt;
}

bool ContactManager::rebuildWords() {
    if (!mayProceed() || !mayChangeIndex()) {
        return false;
    }
    IndexWork work(*this);
    m_index->stopFlush();
    GateScope scope(m_gate);
    // The others close the files while they are rewritten and read them
    // again afterwards.
    if (m_sharing != nullptr) {
        m_sharing->broadcastStop();
    }
    bool rebuilt = false;
    {
        WordsProgress progress(m_observer, m_progress);
        // A master demoted while telling the others leaves the words to
        // the new one.
        rebuilt = isMaster() && m_index->rebuildWords(*m_reader, &progress);
    }
    if (m_sharing != nullptr) {
        m_sharing->broadcastReload();
    }
    if (m_observer != nullptr) {
        m_observer->onReloaded();
    }
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
    return saveContact(record, true) == SaveOutcome::Saved;
}

bool ContactManager::updateContact(ContactRecord& record) {
    return saveContact(record, false) == SaveOutcome::Saved;
}

ContactManager::SaveOutcome ContactManager::writeContact(ContactRecord& record) {
    return saveContact(record, record.oid == 0);
}

// The checksum is taken once the record has its Oid: the index compares it
// with the sum of the stored record, which includes the Oid. The notes name
// the picture file: an existing contact's picture is saved before its notes
// are built; a new contact's needs its Oid, so its notes are written again
// when its picture got a file.
ContactManager::SaveOutcome ContactManager::saveContact(ContactRecord& record, bool create) {
    if (!mayProceed() || (!create && record.oid == 0)) {
        return SaveOutcome::NotWritten;
    }
    GateScope scope(m_gate);
    m_index->stopFlush();
    ContactRecord stored = record;
    if (!create && m_pictures != nullptr) {
        m_pictures->save(stored, false);
    }
    std::optional<RebuiltNotes> notes = rebuildNotes(stored, m_locale);
    if (!notes) {
        return SaveOutcome::NotWritten;
    }
    stored.notesBlob = notes->blob;
    const bool written = create ? m_db.createRecord(stored) : m_db.updateRecord(stored);
    if (!written) {
        return SaveOutcome::NotWritten;
    }
    const bool renamed = create && saveNewPicture(stored, notes);
    refreshListColumns(stored.oid);
    IndexedContact contact{stored, std::move(notes->parsed.text)};
    contact.record.extended = std::move(notes->parsed.extended);
    contact.record.extended.image = stored.extended.image;
    contact.record.extended.checksum = recordChecksum(stored);
    record.oid = stored.oid;
    record.notesBlob = stored.notesBlob;
    record.extended.image = stored.extended.image;
    record.extended.checksum = contact.record.extended.checksum;
    if (!mayChangeIndex()) {
        return SaveOutcome::Saved;  // the master indexes it from the notification
    }
    const bool indexed = indexSaved(contact, create);
    if (indexed) {
        m_selfIndexed[stored.oid].append(create ? ChangeEvent::Kind::Created
                                                : ChangeEvent::Kind::Changed);
        if (renamed) {
            m_selfIndexed[stored.oid].append(ChangeEvent::Kind::Changed);
        }
    }
    startFlushTimer();
    return indexed ? SaveOutcome::Saved : SaveOutcome::WrittenNotIndexed;
}

// A new contact's picture file is named once the record has its Oid; the
// record is written again when that name has to go into its notes. True when
// it was.
bool ContactManager::saveNewPicture(ContactRecord& stored, std::optional<RebuiltNotes>& notes) {
    if (m_pictures == nullptr) {
        return false;
    }
    const QString before = stored.extended.image;
    m_pictures->save(stored, true);
    if (stored.extended.image == before) {
        return false;
    }
    std::optional<RebuiltNotes> renamed = rebuildNotes(stored, m_locale);
    if (!renamed) {
        return false;
    }
    ContactRecord rewritten = stored;
    rewritten.notesBlob = renamed->blob;
    if (!m_db.updateRecord(rewritten)) {
        return false;
    }
    stored = std::move(rewritten);
    notes = std::move(renamed);
    return true;
}

// Indexing a saved contact is the one step guarded against a fatal error:
// the contact is saved, and a failure to index it is reported to the caller
// instead of ending the program (its notification brings it in later, or the
// failed change makes the next start rebuild). The index keeps claiming the
// time of the changes applied so far: this change counts as applied when its
// own notification has been handled.
bool ContactManager::indexSaved(const IndexedContact& contact, bool create) {
    IndexWork work(*this);
    bool indexed = false;
    const bool ran = runGuarded([&] {
        indexed = create ? m_index->insert(contact, m_appliedTime)
                         : m_index->update(contact, m_appliedTime);
    });
    return ran && indexed;
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
    if (!mayChangeIndex()) {
        return true;  // the master takes it out from the notification
    }
    bool removed = false;
    {
        IndexWork work(*this);
        const bool ran = runGuarded([&] { removed = m_index->remove(oid, m_appliedTime); });
        removed = ran && removed;
    }
    if (removed) {
        m_selfIndexed[oid].append(ChangeEvent::Kind::Deleted);
    }
    startFlushTimer();
    return removed;
}

bool ContactManager::setPreferredItem(Oid oid, uint32_t tag) {
    if (!mayProceed()) {
        return false;
    }
    if (!isMaster() && m_sharing->forwardPreferredItem(oid, tag)) {
        return true;
    }
    return m_db.writePreferredItem(oid, tag);
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
            enqueue({ChangeEvent::Kind::Created, notification.parent, notification.oid},
                    notification.databaseTime);
            return;
        case DbNotifyType::RecordDeleted:
            enqueue({ChangeEvent::Kind::Deleted, notification.parent, notification.oid},
                    notification.databaseTime);
            return;
        case DbNotifyType::Changed:
            enqueue({ChangeEvent::Kind::Changed, notification.parent, notification.oid},
                    notification.databaseTime);
            return;
        case DbNotifyType::ChangesLost:
            enqueueLost();
            return;
    }
    qDebug("Unhadled Notify: Type: %d, Parent: %d, Oid: %d", int(notification.type),
           int(notification.parent), int(notification.oid));
}

void ContactManager::enqueue(const ChangeEvent& event, uint64_t databaseTime) {
    if (m_gate != nullptr && !m_gate->mayProceed(int(event.kind), event.parent)) {
        return;
    }
    announce(m_queue.push(event, databaseTime));
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
    if (!mayProceed() || m_indexWork > 0) {
        m_queue.retryLater();
        return;
    }
    const ChangeQueue::Batch batch = m_queue.take();
    if (mayChangeIndex()) {
        applyBatch(batch);
    } else {
        tellBatch(batch);
    }
    if (m_observer != nullptr) {
        m_observer->setIdle(true);
        m_observer->setBacklog(false);
    }
}

// The notifications of this program's own changes, indexed when they were
// made, cost little (the record is found indexed as it is) and do not count
// towards a full re-index.
void ContactManager::applyBatch(const ChangeQueue::Batch& batch) {
    GateScope scope(m_gate);
    IndexWork work(*this);
    m_index->stopFlush();
    qsizetype others = 0;
    for (const ChangeEvent& event : batch.events) {
        others += takeSelfIndexed(event) ? 0 : 1;
    }
    if (batch.lost || others >= ChangeQueue::kReindexLength) {
        fullReindex();
    } else {
        for (const ChangeEvent& event : batch.events) {
            applyEvent(event);
        }
        noteApplied(batch.databaseTime);
    }
    startFlushTimer();
}

bool ContactManager::takeSelfIndexed(const ChangeEvent& event) {
    const auto it = m_selfIndexed.find(event.oid);
    if (event.parent != m_db.oid() || it == m_selfIndexed.end() || !it->removeOne(event.kind)) {
        return false;
    }
    if (it->isEmpty()) {
        m_selfIndexed.erase(it);
    }
    return true;
}

// A program that is not the master only tells the list: the master indexes.
void ContactManager::tellBatch(const ChangeQueue::Batch& batch) {
    if (!m_indexOpen && !m_indexStopped && !isMaster()) {
        attachIndex();  // the master may have made it usable meanwhile
    }
    if (batch.needsReindex()) {
        resetListCache();
        if (m_observer != nullptr) {
            m_observer->onReloaded();
        }
        return;
    }
    for (const ChangeEvent& event : batch.events) {
        if (event.parent != m_db.oid()) {
            continue;
        }
        if (event.kind == ChangeEvent::Kind::Deleted) {
            m_listCache.remove(event.oid);
        } else {
            refreshListColumns(event.oid);
        }
        tellObserver(event);
    }
}

// Every change up to `databaseTime` has been applied: the index says so.
void ContactManager::noteApplied(uint64_t databaseTime) {
    if (databaseTime > m_appliedTime && m_index->recordTime(databaseTime)) {
        m_appliedTime = databaseTime;
    }
}

void ContactManager::fullReindex() {
    m_selfIndexed.clear();
    const std::optional<DbInfo> info = m_db.info();
    const bool rebuilt = info && rebuildIndex(*m_index, *m_reader, m_progress, false, m_sharing);
    m_indexOpen = m_indexOpen || rebuilt;
    m_appliedTime = rebuilt ? info->lastModified : 0;
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
    if (m_index->storedChecksum(event.oid) && !m_index->remove(event.oid, m_appliedTime)) {
        failIndexChange(kLineRemove);
    }
    m_listCache.remove(event.oid);
    tellObserver(event);
}

// A created or changed record: the notification of this program's own
// change finds the contact indexed already (as it is: nothing to do), and a
// record created and changed in one burst arrives twice, so an indexed
// contact is updated and any other inserted. A record deleted since is left
// to its deletion event.
void ContactManager::applyStored(const ChangeEvent& event) {
    IndexedContact contact;
    if (!m_reader->readForIndex(event.oid, contact)) {
        return;
    }
    const bool created = event.kind == ChangeEvent::Kind::Created;
    const std::optional<uint32_t> indexed = m_index->storedChecksum(event.oid);
    if (indexed == contact.record.extended.checksum) {
        // Indexed as it is now.
    } else if (indexed) {
        if (!m_index->update(contact, m_appliedTime)) {
            failIndexChange(created ? kLineInsert : kLineUpdate);
        }
    } else if (!m_index->insert(contact, m_appliedTime)) {
        failIndexChange(created ? kLineInsert : kLineUpdate);
    }
    refreshListColumns(event.oid);
    tellObserver(event);
}

void ContactManager::tellObserver(const ChangeEvent& event) {
    if (m_observer == nullptr) {
        return;
    }
    switch (event.kind) {
        case ChangeEvent::Kind::Created:
            m_observer->onCreated(event.oid);
            return;
        case ChangeEvent::Kind::Changed:
            m_observer->onChanged(event.oid);
            return;
        case ChangeEvent::Kind::Deleted:
            m_observer->onDeleted(event.oid);
            return;
    }
}

}  // namespace kontavo
