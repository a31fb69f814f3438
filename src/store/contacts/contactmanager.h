#pragma once

#include <QHash>
#include <QList>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

#include "platform/locale.h"
#include "platform/objectstore.h"
#include "store/contacts/categoryfilter.h"
#include "store/contacts/changequeue.h"
#include "store/contacts/contactindex.h"
#include "store/contacts/contactlistcache.h"
#include "store/contacts/contactlistsource.h"
#include "store/contacts/contactsdatabase.h"
#include "store/contacts/deferredtimer.h"
#include "store/contacts/indexsharing.h"
#include "store/contacts/listentry.h"

namespace kontavo {

class ContactObserver;
class ContactPictures;
struct RebuiltNotes;
class ContactsDatabaseReader;
class DeviceFs;
class ListCacheLoader;
class OperationGate;
class ProgressSink;

// The program's gateway to "Contacts Database": opens it with the
// categories database and the contact index, reads, creates, updates and
// deletes contacts keeping the index in step, answers the list queries,
// and turns the database's change notifications (from this program or
// others) into index changes and observer calls.
//
// Notifications are queued and handled 500 ms after the last one of a
// burst: one by one below 15, by a full re-index from 15 on (or when the
// object store lost events). Every index change stops a running index
// write-back first and (re)starts the 2000 ms flush timer, whose expiry
// starts the write-back. When an index change fails while a notification is
// handled, "Unable perform db operation!!!" goes to the error log and the
// program ends with the fatal code 0xEFFFFFFD.
//
// The list's columns of every contact are kept in a list cache (loaded on
// the first list query; a large database in steps between events), changed
// with every contact change the manager makes or is told of, and loaded
// again after a full re-index.
//
// Several programs may share the index (IndexSharing): only the master
// rebuilds, changes and writes it back, bracketing a rebuild by telling the
// others to stop and reload; any other program writes the database only (the
// master indexes its changes from their notifications), reads the index, and
// forwards preferred-item changes to the master. Without a sharing the
// manager is its own master.
//
// The index never claims to be current to a later database time than that of
// the last change it has applied: a change made by another program is
// counted as applied once its notification has been handled.
//
// UI thread only: notifications and the timers arrive on its event loop.
// The store, the device file system and the locale must outlive the
// manager; the observer, gate and progress sink given to init() must stay
// valid until shutdown().
class ContactManager final : public IndexParticipant {
public:
    static constexpr int kFlushDelayMs = 2000;

    // `timers` makes the change-queue and flush timers (QTimers by default).
    ContactManager(ObjectStore& store, std::unique_ptr<ContactIndex> index, const DeviceFs& fs,
                   const Locale& locale = Locale::user(), TimerFactory timers = makeQtTimer);
    // Shuts down when still open.
    ~ContactManager() override;
    ContactManager(const ContactManager&) = delete;
    ContactManager& operator=(const ContactManager&) = delete;

    // The coordination with the other programs sharing the index; null (the
    // default) makes the manager its own master. Set before init(); it must
    // outlive the manager.
    void setSharing(IndexSharing* sharing) { m_sharing = sharing; }
    // True while this program may change the index.
    bool isMaster() const;

    // Opens "Contacts Database" (created when missing) with change
    // notifications, the categories database, and the index. As master: a
    // missing or unusable index is rebuilt, a stale one synchronised
    // (rebuilt when that is not enough or fails). Otherwise the index is
    // only attached for reading (it may be unavailable until the master
    // reloads it). Observer, gate and progress may be null. False when a
    // database cannot be opened or the master cannot build the index;
    // everything is closed again then.
    bool init(ContactObserver* observer, OperationGate* gate, ProgressSink* progress);
    // Starts a pending index write-back at once, closes the databases and
    // the index (which waits for the write-back).
    void shutdown();
    bool isOpen() const { return m_db.isOpen(); }
    Oid databaseOid() const { return m_db.oid(); }

    // The menu's "Reindex database": a full re-index marked as requested by
    // the user, then onReloaded().
    bool reindex();
    // Rebuilds the index's words after the letter groups changed (as master
    // only, the others told to stop before and to reload after); progress
    // goes to the observer's onIndexProgress() and the progress window, then
    // the observer is told onReloaded().
    bool rebuildWords();

    // Reads contact `oid`: its properties, its user note (the notes without
    // the block; notesBlob stays empty) and its extended properties from the
    // index entry (parsed from the notes when the record changed since it
    // was indexed). False when the record cannot be read or is not in the
    // index.
    bool readContact(Oid oid, ContactRecord& record);
    // Rebuilds the notes from the user note and the extended properties,
    // writes a new record (its Oid goes to record.oid), saves the picture and
    // indexes the contact. Nothing is written when the notes cannot be built.
    // False as well when the record was written but could not be indexed
    // (record.oid is then set; the index catches up with the notification).
    bool addContact(ContactRecord& record);
    // As addContact() for the existing record record.oid.
    bool updateContact(ContactRecord& record);
    // How a write of a contact ended.
    enum class SaveOutcome {
        NotWritten,         // nothing was written: the caller still holds the only copy
        WrittenNotIndexed,  // written (record.oid set); the index catches up later
        Saved,              // written and indexed
    };
    // Writes `record` as addContact() when record.oid is 0, else as
    // updateContact(), and says how far the write got.
    SaveOutcome writeContact(ContactRecord& record);
    // Deletes the record (lowering its categories' references), its picture
    // file and its index entry.
    bool deleteContact(Oid oid);
    // Writes only the preferred item of `oid`; 0 deletes it. A program that
    // is not the master forwards the change to the master instead (and
    // writes it itself when there is none to take it).
    bool setPreferredItem(Oid oid, uint32_t tag);

    // What the other programs sharing the index ask of this one; the
    // program passes each message on (UI thread, never inside another call
    // of the manager: a request arriving during index work is carried out
    // right after it).
    // "PimSyncChangeToMaster" (the sharing already says master): the index
    // is opened again as at start (rebuilt or synchronised when needed) and
    // written back soon; setIdle(true), onReloaded().
    void takeOverIndex() override;
    // "PimSyncChangeToSlave": a pending write-back is made now and waited
    // for, so that the new master finds the files complete; from now on the
    // index is only read.
    void leaveMasterMode() override;
    // "PimSyncSlaveStop": the master is about to rewrite the index: it is
    // closed; setIdle(false).
    void stopIndex() override;
    // "PimSyncSlaveReload": the index is attached again; setIdle(true),
    // onReloaded().
    void reloadIndex() override;
    // "PimSyncUpdateLinkType": another program's preferred-item change,
    // written here; onChanged(oid).
    bool takePreferredItem(Oid oid, uint32_t tag) override;

    // The database time the index is current to as far as this manager has
    // applied the changes (0 while it has no index open as master).
    uint64_t appliedTime() const { return m_appliedTime; }
    // For a master about to end: runs the event loop until the notifications
    // of every change committed up to now have arrived (at most `timeoutMs`)
    // and handles them at once. True when the index is then current to the
    // database's time at the call.
    bool catchUp(int timeoutMs);

    // The state of an ordered list query.
    enum class ListState { Ready, Loading, Failed };
    struct OrderedContacts {
        ListState state = ListState::Failed;
        ContactListSource source;  // when ready
    };
    // Databases up to this many records are loaded into the list cache at
    // once; larger ones `kListLoadStep` records per turn of the event loop,
    // and then the three list orders are built in steps as well.
    static constexpr int kListLoadAtOnce = 5000;
    static constexpr int kListLoadStep = 1500;

    // The contacts among `candidates` (every contact when null; unknown Oids
    // are ignored) that `filter` keeps, in the list order of `sortType`
    // (0 name, 1 "File As", 2 grouped by company; see ListOrder). Answered
    // from the list cache: Loading while a load runs (the ready callback
    // follows its end), Failed when the database is closed or cannot be
    // read.
    OrderedContacts orderedContacts(const QList<Oid>* candidates, const CategoryFilter& filter,
                                    int sortType);
    // Called when a list cache load that orderedContacts() answered with
    // Loading has ended (ready or failed); the list then asks again.
    void setListReadyCallback(std::function<void()> ready) { m_listReady = std::move(ready); }
    // Tests: load at once up to `atOnce` records, else `step` per turn.
    void setListLoadSizes(int atOnce, int step);
    bool isListLoading() const { return m_listLoader != nullptr || m_listPreparing; }

    // The raw list queries (see ListQuery): every contact, or the contacts
    // of an Oid list, under a category filter; entries in database order.
    bool listContacts(const CategoryFilter& filter, QList<ListEntry>& out);
    bool listContacts(const QList<Oid>& oids, const CategoryFilter& filter, QList<ListEntry>& out);
    std::optional<QStringList> companyNames();

    // Small reads by Oid.
    // LastName, FirstName, MiddleName, Company.
    std::optional<QStringList> nameParts(Oid oid);
    // LastName, FirstName, Company, Title.
    std::optional<QStringList> listNames(Oid oid);
    // Title, FirstName, MiddleName and LastName into a fresh `record`.
    bool readPictureNames(Oid oid, ContactRecord& record);
    std::optional<QString> fileAs(Oid oid);

    CategoriesDBManager& categories() { return m_db.categories(); }
    ContactIndex& index() { return *m_index; }
    // The picture loader and saver; null (the default) leaves pictures alone.
    void setPictures(ContactPictures* pictures) { m_pictures = pictures; }

    // A change notification of the contacts database (the database delivers
    // them here; tests may call it).
    void handleNotification(const DbNotification& notification);
    // The change-queue timer ran out: handle the queued events.
    void handleQueue();
    // The flush timer ran out: start the index write-back.
    void flushIndex();
    bool isQueuePending() const { return m_queue.isTimerActive(); }
    bool isFlushPending() const { return m_flushTimer->isActive(); }

private:
    class IndexWork;

    bool openReader();
    bool openIndex();
    bool openIndexAsMaster();
    void attachIndex();
    bool mayChangeIndex() const;
    void whenIndexFree(std::function<void()> request);
    bool mayProceed(int kind = 0);
    void enqueue(const ChangeEvent& event, uint64_t databaseTime);
    void enqueueLost();
    void announce(const ChangeQueue::Pushed& pushed);
    void applyBatch(const ChangeQueue::Batch& batch);
    void tellBatch(const ChangeQueue::Batch& batch);
    void applyEvent(const ChangeEvent& event);
    void applyStored(const ChangeEvent& event);
    void tellObserver(const ChangeEvent& event);
    bool takeSelfIndexed(const ChangeEvent& event);
    void fullReindex();
    void noteApplied(uint64_t databaseTime);
    SaveOutcome saveContact(ContactRecord& record, bool create);
    bool saveNewPicture(ContactRecord& stored, std::optional<RebuiltNotes>& notes);
    bool indexSaved(const IndexedContact& contact, bool create);
    void startFlushTimer();
    bool startListLoad();
    void stepListLoad();
    void endListLoad(bool loaded);
    void resetListCache();
    void refreshListColumns(Oid oid);
    std::optional<ListColumns> readListColumns(Oid oid);
    std::optional<QStringList> readStrings(Oid oid, const QList<PropTag>& tags);

    ObjectStore& m_store;
    std::unique_ptr<ContactIndex> m_index;
    const DeviceFs& m_fs;
    const Locale& m_locale;
    ContactsDatabase m_db;
    std::unique_ptr<ObjectDatabase> m_readerHandle;
    std::unique_ptr<ContactsDatabaseReader> m_reader;
    ChangeQueue m_queue;
    std::unique_ptr<DeferredTimer> m_flushTimer;
    ContactObserver* m_observer = nullptr;
    OperationGate* m_gate = nullptr;
    ProgressSink* m_progress = nullptr;
    ContactPictures* m_pictures = nullptr;
    IndexSharing* m_sharing = nullptr;
    bool m_indexOpen = false;     // open as master, or attached for reading
    bool m_indexStopped = false;  // closed at the master's request
    int m_indexWork = 0;          // depth of index work in progress
    QList<std::function<void()>> m_afterIndexWork;
    uint64_t m_appliedTime = 0;
    // Contacts whose own change this manager indexed as it made it, with the
    // kinds of their notifications still to come.
    QHash<Oid, QList<ChangeEvent::Kind>> m_selfIndexed;
    ContactListCache m_listCache;
    std::unique_ptr<ListCacheLoader> m_listLoader;
    std::unique_ptr<DeferredTimer> m_listTimer;
    std::function<void()> m_listReady;
    bool m_listLoadFailed = false;
    bool m_listPreparing = false;  // the records are read, the orders are being built
    int m_listLoadAtOnce = kListLoadAtOnce;
    int m_listLoadStep = kListLoadStep;
};

}  // namespace kontavo
