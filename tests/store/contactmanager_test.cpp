#include "store/contacts/contactmanager.h"

#include <gtest/gtest.h>

#include <QFile>

#include "blocktestsupport.h"
#include "contactmanagertestsupport.h"
#include "diag/errorlog.h"
#include "diag/fatal.h"
#include "fakecontactindex.h"
#include "manualtimer.h"
#include "platform/sqliteobjectstore.h"
#include "store/contacts/categorymask.h"
#include "store/contacts/contactprops.h"
#include "store/contacts/recordchecksum.h"
#include "store/record/contactfields.h"
#include "store/pictures/contactpicturefiles.h"
#include "store/record/picturename.h"
#include "store/contacts/contactnotes.h"
#include "support/tempdevice.h"

namespace kontavo {
namespace {

using F = ContactField;

PropTag tagOf(ContactField field) {
    return fieldInfo(field).tag();
}

class ContactManagerTest : public ::testing::Test {
protected:
    ContactManagerTest()
        : m_store(SqliteObjectStore::fileInRoot(m_device.root())),
          m_locale(QLocale(QLocale::English, QLocale::UnitedStates)),
          m_other(m_store, m_locale) {
        auto index = std::make_unique<test::FakeContactIndex>();
        m_index = index.get();
        m_manager = std::make_unique<ContactManager>(m_store, std::move(index), m_device.fs(),
                                                     m_locale, m_clock.factory());
    }

    bool init() { return m_manager->init(&m_observer, &m_gate, nullptr); }
    // Another writer of the same databases, as another program would be.
    ContactsDatabase& other() {
        if (!m_other.isOpen()) {
            m_other.open();
        }
        return m_other;
    }
    Oid writeElsewhere(const QString& last) {
        ContactRecord record;
        record.setField(F::LastName, last);
        return other().createRecord(record) ? record.oid : 0;
    }
    std::optional<DbRecord> stored(Oid oid) { return other().readRaw(oid); }
    static const PropValue* prop(const DbRecord& read, PropTag tag) {
        for (const PropValue& value : read.props) {
            if (value.tag() == tag) {
                return &value;
            }
        }
        return nullptr;
    }
    void notify(DbNotifyType type, Oid oid, Oid parent = 0) {
        m_manager->handleNotification({type, parent ? parent : m_manager->databaseOid(), oid});
    }
    static ContactRecord person(const QString& first, const QString& last) {
        ContactRecord record;
        record.setField(F::FirstName, first);
        record.setField(F::LastName, last);
        return record;
    }

    test::TempDevice m_device;
    SqliteObjectStore m_store;
    Locale m_locale;
    test::ManualClock m_clock;
    test::RecordingObserver m_observer;
    test::RecordingGate m_gate;
    ContactsDatabase m_other;
    test::FakeContactIndex* m_index = nullptr;
    std::unique_ptr<ContactManager> m_manager;
};

TEST_F(ContactManagerTest, AMissingIndexIsRebuiltFromTheDatabase) {
    const Oid a = writeElsewhere("Ames");
    const Oid b = writeElsewhere("Bell");
    ASSERT_TRUE(init());
    EXPECT_EQ(m_index->count("rebuild"), 1);
    EXPECT_FALSE(m_index->lastRebuildUserRequested);
    ASSERT_EQ(m_index->contacts.size(), 2u);
    EXPECT_EQ(m_index->contacts[a].record.field(F::LastName), "Ames");
    EXPECT_EQ(*m_index->storedChecksum(b), rawRecordChecksum(*stored(b)));
    EXPECT_TRUE(m_manager->isFlushPending());
}

TEST_F(ContactManagerTest, AStaleIndexIsSynchronisedAndRebuiltWhenThatIsNotEnough) {
    m_index->openResult = ContactIndex::OpenResult::Stale;
    ASSERT_TRUE(init());
    EXPECT_EQ(m_index->calls, (QStringList{"open", "synchronize"}));
    m_manager->shutdown();

    m_index->calls.clear();
    m_index->syncResult = ContactIndex::SyncResult::NeedsRebuild;
    ASSERT_TRUE(init());
    EXPECT_EQ(m_index->calls, (QStringList{"open", "synchronize", "rebuild"}));
    m_manager->shutdown();

    m_index->calls.clear();
    m_index->openResult = ContactIndex::OpenResult::Current;
    ASSERT_TRUE(init());
    EXPECT_EQ(m_index->calls, (QStringList{"open"}));
    EXPECT_FALSE(m_manager->isFlushPending());
}

TEST_F(ContactManagerTest, AddingWritesTheNotesAndIndexesTheStoredRecord) {
    ASSERT_TRUE(init());
    m_index->calls.clear();
    ContactRecord record = person("Anna", "Petrova");
    record.userNote = test::utf16Note("Call after six");
    record.extended.phones.append(LabeledValue{"Dacha", "+7 495 111"});
    ASSERT_TRUE(m_manager->addContact(record));
    ASSERT_NE(record.oid, 0u);
    EXPECT_EQ(m_index->calls, (QStringList{"stopFlush", "insert"}));
    EXPECT_EQ(m_gate.begins, 1);
    EXPECT_EQ(m_gate.ends, 1);
    const std::optional<DbRecord> read = stored(record.oid);
    ASSERT_TRUE(read);
    // The checksum the index keeps is the one a later scan computes.
    const IndexedContact& indexed = m_index->contacts[record.oid];
    EXPECT_EQ(indexed.record.extended.checksum, rawRecordChecksum(*read));
    EXPECT_EQ(indexed.record.extended.phones, record.extended.phones);
    // The user text of a document ends with the blank that joined it to the block.
    EXPECT_EQ(indexed.notesText.trimmed(), "Call after six");
    EXPECT_EQ(prop(*read, tagOf(F::MiddleName)), nullptr);
    EXPECT_TRUE(m_manager->isFlushPending());

    // Reading takes the extended properties from the index entry while it
    // matches the record, else from the stored notes.
    m_index->contacts[record.oid].record.extended.phones = {LabeledValue{"Indexed", "1"}};
    ContactRecord back;
    ASSERT_TRUE(m_manager->readContact(record.oid, back));
    EXPECT_TRUE(back.notesBlob.isEmpty());
    EXPECT_EQ(back.extended.checksum, rawRecordChecksum(*read));
    EXPECT_EQ(back.userNote, test::inkNote({"Call after six"}));
    EXPECT_EQ(back.extended.phones, (QList<LabeledValue>{{"Indexed", "1"}}));
    m_index->contacts[record.oid].record.extended.checksum ^= 1;
    ASSERT_TRUE(m_manager->readContact(record.oid, back));
    EXPECT_EQ(back.extended.checksum, rawRecordChecksum(*read));
    EXPECT_EQ(back.extended.phones, record.extended.phones);
}

TEST_F(ContactManagerTest, NotesThatCannotBeBuiltWriteNothing) {
    ASSERT_TRUE(init());
    ContactRecord record = person("Broken", "Note");
    record.userNote = QByteArray("{\\pwi\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0A\x41\x00", 16);
    record.extended.emails.append(LabeledValue{"Private", "a@b.c"});
    EXPECT_FALSE(m_manager->addContact(record));
    EXPECT_EQ(record.oid, 0u);
    EXPECT_EQ(other().info()->recordCount, 0u);
    EXPECT_EQ(m_index->count("insert"), 0);
}

TEST_F(ContactManagerTest, ARefusingGateStopsEveryChange) {
    ASSERT_TRUE(init());
    ContactRecord record = person("A", "B");
    ASSERT_TRUE(m_manager->addContact(record));
    m_gate.allow = false;
    ContactRecord another = person("C", "D");
    EXPECT_FALSE(m_manager->addContact(another));
    record.setField(F::FirstName, "Changed");
    EXPECT_FALSE(m_manager->updateContact(record));
    EXPECT_FALSE(m_manager->setPreferredItem(record.oid, tagOf(F::WorkPhone)));
    EXPECT_FALSE(m_manager->deleteContact(record.oid));
    EXPECT_FALSE(m_manager->reindex());
    EXPECT_EQ(other().info()->recordCount, 1u);
    EXPECT_EQ(prop(*stored(record.oid), tagOf(F::FirstName))->toString(), "A");
    EXPECT_EQ(m_gate.asked, (QList<int>{0, 0, 0, 0, 0, 0}));
}

TEST_F(ContactManagerTest, UpdatingDeletesClearedFieldsAndMovesCategoryReferences) {
    ASSERT_TRUE(init());
    CategoriesDBManager& categories = m_manager->categories();
    Oid work = 0;
    Oid home = 0;
    categories.addCategory("Work", &work);
    categories.addCategory("Home", &home);
    ContactRecord record = person("Ivan", "Ivanov");
    record.setField(F::MiddleName, "Ivanovich");
    record.categoryMask = categories.maskOfOids({work});
    ASSERT_TRUE(m_manager->addContact(record));
    EXPECT_NE(prop(*stored(record.oid), tagOf(F::MiddleName)), nullptr);
    record.setField(F::MiddleName, "");
    record.categoryMask = categories.maskOfOids({home});
    ASSERT_TRUE(m_manager->updateContact(record));
    EXPECT_EQ(prop(*stored(record.oid), tagOf(F::MiddleName)), nullptr);
    EXPECT_EQ(categories.listInUse()->size(), 1);
    EXPECT_EQ(categories.listInUse()->first().oid, home);
    EXPECT_EQ(m_index->count("update"), 1);
    // After the user deleted "Home", the contact's leaving it deletes it.
    ASSERT_TRUE(categories.deleteCategory(home));
    EXPECT_TRUE(categories.readCategory(home));
    ASSERT_TRUE(m_manager->deleteContact(record.oid));
    EXPECT_FALSE(categories.readCategory(home));
    EXPECT_TRUE(categories.readCategory(work));
}

TEST_F(ContactManagerTest, AnIndexFailureWhileSavingIsReportedNotFatal) {
    ASSERT_TRUE(init());
    ContactRecord record = person("Guarded", "Update");
    ASSERT_TRUE(m_manager->addContact(record));
    m_index->throwOnUpdate = true;
    record.setField(F::Company, "Tarnwel");
    EXPECT_FALSE(m_manager->updateContact(record));
    // The record itself was saved.
    EXPECT_EQ(prop(*stored(record.oid), tagOf(F::Company))->toString(), "Tarnwel");
}

TEST_F(ContactManagerTest, AnIndexFailureWhileAddingLeavesTheContactWrittenAndSaysSo) {
    ASSERT_TRUE(init());
    m_index->throwOnInsert = true;
    ContactRecord record = person("Guarded", "Insert");
    EXPECT_FALSE(m_manager->addContact(record));
    ASSERT_NE(record.oid, 0u) << "written, and the caller knows it";
    EXPECT_EQ(prop(*stored(record.oid), tagOf(F::LastName))->toString(), "Insert");
}

TEST_F(ContactManagerTest, AContactMissingFromTheIndexCannotBeRead) {
    ASSERT_TRUE(init());
    const Oid outside = writeElsewhere("Outside");
    ContactRecord record;
    EXPECT_FALSE(m_manager->readContact(outside, record));
    EXPECT_FALSE(m_manager->readContact(999999, record));
}

TEST_F(ContactManagerTest, PreferredItemZeroDeletesTheProperty) {
    ASSERT_TRUE(init());
    ContactRecord record = person("Pref", "Item");
    record.setField(F::MobilePhone, "123");
    ASSERT_TRUE(m_manager->addContact(record));
    ASSERT_TRUE(m_manager->setPreferredItem(record.oid, tagOf(F::MobilePhone)));
    EXPECT_EQ(uint32_t(prop(*stored(record.oid), kTagPreferredItem)->toInt()),
              tagOf(F::MobilePhone));
    ASSERT_TRUE(m_manager->setPreferredItem(record.oid, 0));
    EXPECT_EQ(prop(*stored(record.oid), kTagPreferredItem), nullptr);
    EXPECT_FALSE(m_manager->setPreferredItem(999999, 1));
}

// Four pixels a row: rows without padding bytes.
Picture smallPicture(char shade) {
    return PictureBitmap::create(4, 2, QByteArray(PictureBitmap::rowSize(4) * 2, shade));
}

TEST_F(ContactManagerTest, SavedPicturesAreNamedInTheStoredNotesAndReadBack) {
    ContactPictureFiles pictures(m_device.fs());
    m_manager->setPictures(&pictures);
    ASSERT_TRUE(init());
    ContactRecord first = person("John", "Smith");
    first.picture = smallPicture('\x10');
    ContactRecord second = first;
    second.picture = smallPicture('\x20');
    ASSERT_TRUE(m_manager->addContact(first));
    ASSERT_TRUE(m_manager->addContact(second));
    EXPECT_EQ(first.extended.image, "John_Smith.bmp");
    EXPECT_EQ(second.extended.image, QStringLiteral("John_Smith%1.bmp").arg(second.oid));
    // The notes other programs read name the file too, not only the index.
    const std::optional<DbRecord> written = stored(second.oid);
    ASSERT_TRUE(written);
    const PropValue* notes = prop(*written, kTagNotes);
    ASSERT_NE(notes, nullptr);
    EXPECT_EQ(parseNotes(notes->toBlob(), m_locale).extended.image, second.extended.image);
    ContactRecord back;
    ASSERT_TRUE(m_manager->readContact(second.oid, back));
    ASSERT_NE(back.picture, nullptr);
    EXPECT_TRUE(samePicture(back.picture, second.picture));
    // A copy saved as a new contact gets a file of its own; the original's stays.
    ContactRecord copy = back;
    ASSERT_TRUE(m_manager->addContact(copy));
    EXPECT_NE(copy.extended.image, second.extended.image);
    EXPECT_TRUE(m_device.fs().fileExists(picturePath(second.extended.image)));
    // Updating keeps the file name and replaces the bytes.
    back.picture = smallPicture('\x30');
    ASSERT_TRUE(m_manager->updateContact(back));
    EXPECT_EQ(back.extended.image, second.extended.image);
    ContactRecord again;
    ASSERT_TRUE(m_manager->readContact(second.oid, again));
    EXPECT_TRUE(samePicture(again.picture, back.picture));
}

TEST_F(ContactManagerTest, DeletingRemovesTheContactsOwnPictureNotANamesakes) {
    ASSERT_TRUE(init());
    ContactRecord first = person("A", "B");
    first.extended.image = "A_B.bmp";
    ContactRecord second = person("A", "B");
    second.extended.image = "A_B_1.bmp";
    ContactRecord plain = person("C", "D");
    ASSERT_TRUE(m_manager->addContact(first));
    ASSERT_TRUE(m_manager->addContact(second));
    ASSERT_TRUE(m_manager->addContact(plain));
    for (const char* name : {"A_B.bmp", "A_B_1.bmp", "C_D.bmp"}) {
        m_device.writeFile(picturePath(name), "BM");
    }
    ASSERT_TRUE(m_manager->deleteContact(second.oid));
    EXPECT_TRUE(m_device.fs().fileExists(picturePath("A_B.bmp")));
    EXPECT_FALSE(m_device.fs().fileExists(picturePath("A_B_1.bmp")));
    // Without a picture name in the index, the name made of its names.
    ASSERT_TRUE(m_manager->deleteContact(plain.oid));
    EXPECT_FALSE(m_device.fs().fileExists(picturePath("C_D.bmp")));
    EXPECT_EQ(m_index->contacts.size(), 1u);
    EXPECT_FALSE(stored(plain.oid));
    EXPECT_FALSE(m_manager->deleteContact(plain.oid));
}

TEST_F(ContactManagerTest, TenNotificationsSetTheBacklogOnce) {
    ASSERT_TRUE(init());
    m_observer.calls.clear();
    for (Oid oid = 1; oid <= 12; ++oid) {
        notify(DbNotifyType::Changed, 100000 + oid);
    }
    EXPECT_EQ(m_observer.calls, (QStringList{"idle 0", "backlog 1"}));
    m_clock.advance(ChangeQueue::kDebounceMs);
    EXPECT_EQ(m_observer.calls, (QStringList{"idle 0", "backlog 1", "idle 1", "backlog 0"}));
}

TEST_F(ContactManagerTest, ABurstIsHandledOnceHalfASecondAfterItsLastNotification) {
    ASSERT_TRUE(init());
    const Oid oid = writeElsewhere("Late");
    notify(DbNotifyType::Created, oid);
    m_clock.advance(400);
    notify(DbNotifyType::Changed, oid);
    m_clock.advance(400);
    EXPECT_EQ(m_observer.count("created " + QString::number(oid)), 0);
    EXPECT_TRUE(m_manager->isQueuePending());
    m_clock.advance(100);
    EXPECT_EQ(m_observer.count("created " + QString::number(oid)), 1);
    EXPECT_EQ(m_observer.count("changed " + QString::number(oid)), 1);
    // Created and changed in one burst: inserted once; the second event finds
    // it indexed as it is.
    EXPECT_EQ(m_index->count("insert"), 1);
    EXPECT_EQ(m_index->count("update"), 0);
    EXPECT_EQ(m_index->contacts[oid].record.field(F::LastName), "Late");
    // The index write-back follows 2000 ms after the last index change.
    m_index->calls.clear();
    m_clock.advance(1999);
    EXPECT_EQ(m_index->count("startFlush"), 0);
    m_clock.advance(1);
    EXPECT_EQ(m_index->count("startFlush"), 1);
}

TEST_F(ContactManagerTest, FifteenNotificationsCauseOneFullReindex) {
    ASSERT_TRUE(init());
    QList<Oid> oids;
    for (int i = 0; i < 15; ++i) {
        oids.append(writeElsewhere(QString::number(i)));
    }
    m_index->calls.clear();
    m_observer.calls.clear();
    for (int i = 0; i < 14; ++i) {
        notify(DbNotifyType::Created, oids[i]);
    }
    m_clock.advance(ChangeQueue::kDebounceMs);
    EXPECT_EQ(m_index->count("insert"), 14);
    EXPECT_EQ(m_index->count("rebuild"), 0);

    m_index->calls.clear();
    m_observer.calls.clear();
    for (Oid oid : oids) {
        notify(DbNotifyType::Changed, oid);
    }
    m_clock.advance(ChangeQueue::kDebounceMs);
    EXPECT_EQ(m_index->count("rebuild"), 1);
    EXPECT_EQ(m_index->count("update"), 0);
    EXPECT_EQ(m_observer.calls,
              (QStringList{"idle 0", "backlog 1", "reloaded", "idle 1", "backlog 0"}));
    EXPECT_EQ(m_index->contacts.size(), 15u);
}

TEST_F(ContactManagerTest, LostEventsCauseAFullReindex) {
    ASSERT_TRUE(init());
    writeElsewhere("Missed");
    m_index->calls.clear();
    m_manager->handleNotification({DbNotifyType::ChangesLost, m_manager->databaseOid(), 0});
    m_clock.advance(ChangeQueue::kDebounceMs);
    EXPECT_EQ(m_index->count("rebuild"), 1);
    EXPECT_EQ(m_index->contacts.size(), 1u);
}

TEST_F(ContactManagerTest, EventsOfOtherDatabasesAreIgnored) {
    ASSERT_TRUE(init());
    const Oid oid = writeElsewhere("Elsewhere");
    notify(DbNotifyType::Created, oid, 424242);
    m_clock.advance(ChangeQueue::kDebounceMs);
    EXPECT_TRUE(m_index->contacts.empty());
    EXPECT_EQ(m_observer.count("created " + QString::number(oid)), 0);
}

TEST_F(ContactManagerTest, DeletionEventsLeaveTheIndexAndReachTheObserver) {
    ASSERT_TRUE(init());
    ContactRecord record = person("Gone", "Soon");
    ASSERT_TRUE(m_manager->addContact(record));
    other().deleteRecord(record.oid);
    notify(DbNotifyType::RecordDeleted, record.oid);
    m_clock.advance(ChangeQueue::kDebounceMs);
    EXPECT_TRUE(m_index->contacts.empty());
    EXPECT_EQ(m_observer.count("deleted " + QString::number(record.oid)), 1);
}

TEST_F(ContactManagerTest, ARefusedNotificationIsDropped) {
    ASSERT_TRUE(init());
    m_observer.calls.clear();
    m_gate.allow = false;
    notify(DbNotifyType::Changed, 5);
    EXPECT_TRUE(m_observer.calls.isEmpty());
    EXPECT_FALSE(m_manager->isQueuePending());
    EXPECT_EQ(m_gate.asked.last(), 3);
}

TEST_F(ContactManagerTest, AnIndexFailureWhileHandlingANotificationIsFatal) {
    setLogModule(QString());
    setLogDevice(&m_device.fs());
    ASSERT_TRUE(init());
    const Oid oid = writeElsewhere("Unindexable");
    m_index->failInsert = true;
    notify(DbNotifyType::Created, oid);
    try {
        m_manager->handleQueue();
        ADD_FAILURE() << "no fatal error";
    } catch (const FatalError& error) {
        EXPECT_EQ(error.code(), 0xEFFFFFFDu);
    }
    setLogDevice(nullptr);
    QFile log(m_device.host("\\error.log"));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_TRUE(
        log.readAll().endsWith("Unable perform db operation!!!\tContactManager:  (820)\r\n"));
}

TEST_F(ContactManagerTest, ReindexRebuildsAsTheUserAsked) {
    ASSERT_TRUE(init());
    m_observer.calls.clear();
    m_index->calls.clear();
    ASSERT_TRUE(m_manager->reindex());
    EXPECT_EQ(m_index->calls, (QStringList{"stopFlush", "rebuild"}));
    EXPECT_TRUE(m_index->lastRebuildUserRequested);
    EXPECT_EQ(m_observer.calls, (QStringList{"idle 0", "reloaded", "idle 1"}));
    EXPECT_EQ(m_gate.begins, m_gate.ends);
    EXPECT_TRUE(m_manager->isFlushPending());
}

TEST_F(ContactManagerTest, ShutdownStartsAPendingWriteBackBeforeClosing) {
    ASSERT_TRUE(init());
    ContactRecord record = person("Flush", "Me");
    ASSERT_TRUE(m_manager->addContact(record));
    m_index->calls.clear();
    m_manager->shutdown();
    EXPECT_EQ(m_index->calls, (QStringList{"startFlush", "close"}));
    EXPECT_FALSE(m_manager->isOpen());
}

TEST_F(ContactManagerTest, SmallReadsAndCompanies) {
    ASSERT_TRUE(init());
    ContactRecord record = person("Ivan", "Petrov");
    record.setField(F::MiddleName, "I.");
    record.setField(F::Company, "Beta");
    record.setField(F::Title, "Dr.");
    record.setField(F::FileAs, "Petrov, Ivan");
    ASSERT_TRUE(m_manager->addContact(record));
    for (const char* company : {"Alpha", "Beta", "", "Alpha"}) {
        ContactRecord more = person("X", "Y");
        more.setField(F::Company, company);
        ASSERT_TRUE(m_manager->addContact(more));
    }
    EXPECT_EQ(m_manager->nameParts(record.oid), (QStringList{"Petrov", "Ivan", "I.", "Beta"}));
    EXPECT_EQ(m_manager->listNames(record.oid), (QStringList{"Petrov", "Ivan", "Beta", "Dr."}));
    EXPECT_EQ(m_manager->fileAs(record.oid), "Petrov, Ivan");
    ContactRecord names;
    ASSERT_TRUE(m_manager->readPictureNames(record.oid, names));
    EXPECT_EQ(names.field(F::Title), "Dr.");
    EXPECT_EQ(names.field(F::Company), "");
    EXPECT_EQ(m_manager->companyNames(), (QStringList{"Alpha", "Beta"}));
    EXPECT_FALSE(m_manager->fileAs(999999));
}

QList<Oid> listed(ContactManager& manager, int sortType = 0,
                  const CategoryFilter& filter = CategoryFilter::any()) {
    const ContactManager::OrderedContacts ordered =
        manager.orderedContacts(nullptr, filter, sortType);
    EXPECT_EQ(ordered.state, ContactManager::ListState::Ready);
    return ordered.source.contacts;
}

TEST_F(ContactManagerTest, TheListOrderFollowsEveryChangeAtOnce) {
    ASSERT_TRUE(init());
    ContactRecord adams = person("Ann", "Adams");
    ContactRecord baker = person("Bob", "Baker");
    ASSERT_TRUE(m_manager->addContact(adams) && m_manager->addContact(baker));
    EXPECT_EQ(listed(*m_manager), (QList<Oid>{adams.oid, baker.oid}));

    // The manager's own changes show before their notifications are handled.
    adams.setField(F::LastName, "Young");
    ASSERT_TRUE(m_manager->updateContact(adams));
    EXPECT_EQ(listed(*m_manager), (QList<Oid>{baker.oid, adams.oid}));
    ContactRecord carter = person("Cy", "Carter");
    carter.categoryMask = categorymask::fromPositions({2});
    ASSERT_TRUE(m_manager->addContact(carter));
    ASSERT_TRUE(m_manager->deleteContact(baker.oid));
    EXPECT_EQ(listed(*m_manager), (QList<Oid>{carter.oid, adams.oid}));
    EXPECT_EQ(listed(*m_manager, 0, CategoryFilter::sharing(categorymask::fromPositions({2}))),
              QList<Oid>{carter.oid});

    // Another program's contact shows once its notification is handled.
    const Oid dunn = writeElsewhere("Dunn");
    EXPECT_EQ(listed(*m_manager), (QList<Oid>{carter.oid, adams.oid}));
    notify(DbNotifyType::Created, dunn);
    notify(DbNotifyType::Changed, adams.oid);  // an own change arriving late changes nothing
    m_clock.advance(ChangeQueue::kDebounceMs);
    EXPECT_EQ(listed(*m_manager), (QList<Oid>{carter.oid, dunn, adams.oid}));
    other().deleteRecord(dunn);
    notify(DbNotifyType::RecordDeleted, dunn);
    m_clock.advance(ChangeQueue::kDebounceMs);
    EXPECT_EQ(listed(*m_manager), (QList<Oid>{carter.oid, adams.oid}));
}

TEST_F(ContactManagerTest, ALargeDatabaseIsLoadedForTheListInStepsAndChangesMeanwhileCount) {
    ASSERT_TRUE(init());
    QList<ContactRecord> contacts;
    for (const QString& last : QStringList{"Eve", "Dee", "Cole", "Bell", "Ash"}) {
        contacts.append(person("", last));
        ASSERT_TRUE(m_manager->addContact(contacts.back()));
    }
    m_manager->setListLoadSizes(2, 2);
    int readyCalls = 0;
    m_manager->setListReadyCallback([&] { ++readyCalls; });
    EXPECT_EQ(m_manager->orderedContacts(nullptr, CategoryFilter::any(), 0).state,
              ContactManager::ListState::Loading);
    ASSERT_TRUE(m_manager->isListLoading());
    test::ManualTimer* step = nullptr;
    for (test::ManualTimer* timer : m_clock.timers()) {
        if (timer->isActive() && timer->interval() == 0) {
            step = timer;
        }
    }
    ASSERT_NE(step, nullptr) << "the load goes on on a zero timer";
    step->runOut();  // the first two records
    EXPECT_EQ(readyCalls, 0);

    contacts[0].setField(F::LastName, "Aaron");  // Eve, already read, becomes Aaron
    ASSERT_TRUE(m_manager->updateContact(contacts[0]));
    ASSERT_TRUE(m_manager->deleteContact(contacts[4].oid));  // Ash, not read yet
    m_clock.advance(0);
    EXPECT_FALSE(m_manager->isListLoading());
    EXPECT_EQ(readyCalls, 1);
    EXPECT_EQ(listed(*m_manager),
              (QList<Oid>{contacts[0].oid, contacts[3].oid, contacts[2].oid, contacts[1].oid}));
}

TEST_F(ContactManagerTest, AFullReindexReadsTheListAgain) {
    ASSERT_TRUE(init());
    ContactRecord adams = person("Ann", "Adams");
    ASSERT_TRUE(m_manager->addContact(adams));
    ASSERT_EQ(listed(*m_manager), QList<Oid>{adams.oid});
    const Oid missed = writeElsewhere("Baker");
    m_manager->handleNotification({DbNotifyType::ChangesLost, m_manager->databaseOid(), 0});
    m_clock.advance(ChangeQueue::kDebounceMs);
    EXPECT_EQ(listed(*m_manager), (QList<Oid>{adams.oid, missed}));
    m_manager->shutdown();
    EXPECT_EQ(m_manager->orderedContacts(nullptr, CategoryFilter::any(), 0).state,
              ContactManager::ListState::Failed);
}

}  // namespace
}  // namespace kontavo
