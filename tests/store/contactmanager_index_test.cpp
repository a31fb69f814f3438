// The contact manager over the real index files and a real object store: the
// index built, kept in step, written back and found current or stale at the
// next start as the database changed meanwhile.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <future>

#include "blocktestsupport.h"
#include "diag/errorlog.h"
#include "indextestsupport.h"
#include "platform/sqlitedb.h"
#include "platform/sqliteobjectstore.h"
#include "store/contacts/contactmanager.h"
#include "store/contacts/contactsdatabase.h"
#include "store/contacts/demoseed.h"
#include "store/index/pimindex.h"
#include "store/record/contactfields.h"

namespace kontavo {
namespace {

using F = ContactField;
using Open = ContactIndex::OpenResult;

class ManagedIndexTest : public ::testing::Test {
protected:
    ManagedIndexTest()
        : m_store(SqliteObjectStore::fileInRoot(m_device.root())),
          m_locale(QLocale(QLocale::English, QLocale::UnitedStates)),
          m_other(m_store, m_locale) {}
    ~ManagedIndexTest() override { stop(); }

    // Starts the program's contact store; the progress texts it showed.
    QStringList start() {
        m_progress = test::RecordingProgress();
        auto index =
            std::make_unique<PimIndex>(m_device.fs(), m_device.settings(), nullptr, m_locale);
        m_index = index.get();
        m_manager =
            std::make_unique<ContactManager>(m_store, std::move(index), m_device.fs(), m_locale);
        EXPECT_TRUE(m_manager->init(nullptr, nullptr, &m_progress));
        return m_progress.texts;
    }
    void stop() {
        if (m_manager) {
            m_manager->shutdown();
            m_manager.reset();
        }
    }
    // What a fresh index finds at open, with the program stopped.
    Open openResult() {
        PimIndex index(m_device.fs(), m_device.settings(), nullptr, m_locale);
        other();
        return index.open(*m_other.info());
    }
    // The same databases written as another program would.
    ContactsDatabase& other() {
        if (!m_other.isOpen()) {
            EXPECT_TRUE(m_other.open());
        }
        return m_other;
    }
    void seed(int count) { ASSERT_TRUE(seedDemoContacts(other(), count, 7, m_locale)); }
    QList<Oid> databaseOids() { return other().handle().recordOids().value_or(QList<Oid>()); }

    test::TempDevice m_device;
    SqliteObjectStore m_store;
    Locale m_locale;
    ContactsDatabase m_other;
    test::RecordingProgress m_progress;
    std::unique_ptr<ContactManager> m_manager;
    PimIndex* m_index = nullptr;
};

ContactRecord person(const QString& first, const QString& last, const QString& note) {
    ContactRecord record;
    record.setField(F::FirstName, first);
    record.setField(F::LastName, last);
    record.setField(F::MobilePhone, QStringLiteral("+1 (555) 123-4567"));
    record.userNote = test::utf16Note(note);
    record.extended.emails = {{QStringLiteral("Private"), QStringLiteral("quill@example.org")}};
    record.extended.workAddressFormat = 12;
    return record;
}

TEST_F(ManagedIndexTest, StartBuildsTheIndexAndAnUnchangedRestartFindsItCurrent) {
    seed(40);
    EXPECT_EQ(start(), QStringList{"Reindex database"});
    EXPECT_EQ(m_index->allOids(), databaseOids());
    QString problem;
    EXPECT_TRUE(m_index->checkStores(&problem)) << problem.toStdString();
    stop();
    EXPECT_EQ(openResult(), Open::Current);
    EXPECT_EQ(start(), QStringList());
    EXPECT_EQ(m_index->allOids().size(), 40);
}

TEST_F(ManagedIndexTest, EditsKeepTheIndexInStepAndReadsTakeItsProperties) {
    seed(5);
    start();
    ContactRecord record = person("Quentin", "Blake", "draws birds");
    ASSERT_TRUE(m_manager->addContact(record));
    const Oid oid = record.oid;
    EXPECT_TRUE(m_manager->isFlushPending());
    EXPECT_EQ(m_index->findWords("quent bla"), QList<Oid>{oid});
    EXPECT_EQ(m_index->findWords("~7654321"), QList<Oid>{oid});
    EXPECT_EQ(m_index->findWords("quill@example"), QList<Oid>{oid});
    ContactRecord read;
    ASSERT_TRUE(m_manager->readContact(oid, read));
    EXPECT_EQ(read.extended.emails, record.extended.emails);
    EXPECT_EQ(read.extended.workAddressFormat, 12u);
    EXPECT_TRUE(read.userNote.contains("draws birds"));

    read.userNote = test::utf16Note("paints whales");
    ASSERT_TRUE(m_manager->updateContact(read));
    EXPECT_EQ(m_index->findWords("birds"), QList<Oid>());
    EXPECT_EQ(m_index->findWords("whales"), QList<Oid>{oid});
    m_manager->flushIndex();
    EXPECT_FALSE(m_manager->isFlushPending());

    ASSERT_TRUE(m_manager->deleteContact(oid));
    EXPECT_EQ(m_index->findWords("whales"), QList<Oid>());
    EXPECT_FALSE(m_manager->readContact(oid, read));
    EXPECT_EQ(m_index->allOids(), databaseOids());
    // The index is current to its own changes once their notifications came.
    EXPECT_TRUE(m_manager->catchUp(5000));
    stop();
    EXPECT_EQ(openResult(), Open::Current) << "shutdown wrote the index back";
}

TEST_F(ManagedIndexTest, AContactChangedWhileStoppedIsSynchronisedWithoutRebuild) {
    seed(30);
    start();
    stop();
    const Oid oid = databaseOids().at(11);
    ContactRecord record;
    ASSERT_TRUE(other().readRecord(oid, record));
    record.setField(F::Company, QStringLiteral("Zeppelin Works"));
    ASSERT_TRUE(other().updateRecord(record, false));
    EXPECT_EQ(openResult(), Open::Stale);
    EXPECT_EQ(start(), QStringList{"Update indexes"});
    EXPECT_EQ(m_index->findWords("zeppelin"), QList<Oid>{oid});
    stop();
    EXPECT_EQ(openResult(), Open::Current);
}

TEST_F(ManagedIndexTest, ElevenContactsDeletedWhileStoppedCauseARebuild) {
    seed(30);
    start();
    stop();
    const QList<Oid> oids = databaseOids();
    for (int i = 0; i < 11; ++i) {
        ASSERT_TRUE(other().deleteRecord(oids[i]));
    }
    EXPECT_EQ(start(), QStringList{"Reindex database"});
    EXPECT_EQ(m_index->allOids(), databaseOids());
}

TEST_F(ManagedIndexTest, ABusyIndexLeftBehindIsRebuilt) {
    seed(10);
    start();
    stop();
    QFile props(m_device.host(QStringLiteral("\\Temp\\pim_index2.dat")));
    ASSERT_TRUE(props.open(QIODevice::ReadWrite));
    props.seek(16);
    props.write(QByteArray("\x01\x00\x00\x00", 4));
    props.close();
    EXPECT_EQ(openResult(), Open::Rebuild);
    EXPECT_EQ(start(), QStringList{"Reindex database"});
    EXPECT_EQ(m_index->allOids(), databaseOids());
}

TEST_F(ManagedIndexTest, AChangeMadeElsewhereJustBeforeQuittingIsFoundAtTheNextStart) {
    seed(10);
    start();
    // Another program adds a contact; its notification has not been handled
    // when the program makes a change of its own and quits.
    ContactRecord late;
    late.setField(F::LastName, QStringLiteral("Latecomer"));
    ASSERT_TRUE(other().createRecord(late));
    ContactRecord own = person("Owen", "Self", "quits soon");
    ASSERT_TRUE(m_manager->addContact(own));
    stop();
    EXPECT_EQ(openResult(), Open::Stale) << "the index claims only what it applied";
    EXPECT_EQ(start(), QStringList{"Update indexes"});
    EXPECT_EQ(m_index->findWords("latecomer"), QList<Oid>{late.oid});
    EXPECT_EQ(m_index->findWords("owen"), QList<Oid>{own.oid});
}

// One damaged record, a damaged record count, a row whose Oid does not fit
// in 32 bits: the program starts with every other contact, and says what it
// passed over in the error log.
TEST_F(ManagedIndexTest, DamagedRowsAndCountsLeaveTheOtherContactsUsable) {
    seed(12);
    const QList<Oid> oids = databaseOids();
    {
        SqliteDb raw;
        ASSERT_TRUE(raw.open(SqliteObjectStore::fileInRoot(m_device.root())));
        SqliteStatement damage(raw, "UPDATE records SET props=x'01FF' WHERE oid=?1");
        damage.bind(1, int64_t(oids[3]));
        ASSERT_TRUE(damage.run());
        SqliteStatement stray(raw, "UPDATE records SET oid=oid+4294967296 WHERE oid=?1");
        stray.bind(1, int64_t(oids[7]));
        ASSERT_TRUE(stray.run());
        ASSERT_TRUE(raw.exec("UPDATE databases SET record_count=-5"));
    }
    setLogModule(QString());
    setLogDevice(&m_device.fs());
    SqliteObjectStore reopened(SqliteObjectStore::fileInRoot(m_device.root()));
    PimIndex* index = nullptr;
    {
        auto owned =
            std::make_unique<PimIndex>(m_device.fs(), m_device.settings(), nullptr, m_locale);
        index = owned.get();
        ContactManager manager(reopened, std::move(owned), m_device.fs(), m_locale);
        ASSERT_TRUE(manager.init(nullptr, nullptr, nullptr));
        EXPECT_EQ(index->allOids().size(), 10);
        EXPECT_FALSE(index->allOids().contains(oids[3]));
        QList<ListEntry> entries;
        EXPECT_TRUE(manager.listContacts(CategoryFilter::any(), entries));
        EXPECT_EQ(entries.size(), 10);
        ContactManager::OrderedContacts ordered =
            manager.orderedContacts(nullptr, CategoryFilter::any(), 0);
        // The count makes the load go in steps, which is all it decides.
        for (int turns = 0; turns < 1000 && manager.isListLoading(); ++turns) {
            QCoreApplication::processEvents();
        }
        ordered = manager.orderedContacts(nullptr, CategoryFilter::any(), 0);
        ASSERT_EQ(ordered.state, ContactManager::ListState::Ready);
        EXPECT_EQ(ordered.source.contacts.size(), 10);
    }
    setLogDevice(nullptr);
    QFile log(m_device.host(QStringLiteral("\\error.log")));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QByteArray lines = log.readAll();
    EXPECT_TRUE(
        lines.contains(QStringLiteral("Record %1 of \"Contacts Database\" cannot be decoded")
                           .arg(oids[3])
                           .toLatin1()))
        << lines.constData();
    EXPECT_TRUE(lines.contains(QByteArray::number(qint64(oids[7]) + 4294967296LL) + " of database"))
        << lines.constData();
}

TEST_F(ManagedIndexTest, AFifoWhereAnIndexFileShouldBeIsRefusedNotWaitedFor) {
    seed(5);
    const QString fifo = m_device.host(QStringLiteral("\\Temp\\pim_index2.dat"));
    QDir().mkpath(QFileInfo(fifo).absolutePath());
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const DbInfo info = *other().info();
    auto opened = std::async(std::launch::async, [this, info] {
        PimIndex index(m_device.fs(), m_device.settings(), nullptr, m_locale);
        return index.open(info);
    });
    if (opened.wait_for(std::chrono::seconds(10)) == std::future_status::timeout) {
        // Let the stuck open go before failing.
        ::close(::open(QFile::encodeName(fifo).constData(), O_WRONLY | O_NONBLOCK));
        ADD_FAILURE() << "opening the index waits on the FIFO";
    }
    EXPECT_EQ(opened.get(), Open::Rebuild);
    EXPECT_EQ(start(), QStringList{"Reindex database"});
    stop();
    EXPECT_TRUE(QFileInfo(fifo).isFile()) << "written back as a file in its place";
    EXPECT_EQ(openResult(), Open::Current);
}

}  // namespace
}  // namespace kontavo
