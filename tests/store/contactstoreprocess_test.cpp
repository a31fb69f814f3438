// The contact store shared with another program: kontavo-store changes the
// databases while this process listens, and is killed in the middle of a
// write.
#include <gtest/gtest.h>

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "contactmanagertestsupport.h"
#include "fakecontactindex.h"
#include "platform/sqliteobjectstore.h"
#include "store/contacts/categorymask.h"
#include "store/contacts/contactmanager.h"
#include "store/contacts/contactsdatabasereader.h"
#include "store/contacts/listquery.h"
#include "store/record/contactfields.h"
#include "support/tempdevice.h"

namespace kontavo {
namespace {

using F = ContactField;

constexpr int kWaitMs = 60000;

QString runStore(const QString& root, QStringList arguments) {
    arguments.prepend(root);
    arguments.prepend(QStringLiteral("--device-root"));
    QProcess process;
    process.start(test::builtProgram(QStringLiteral("kontavo-store")), arguments);
    EXPECT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

class ContactStoreProcessTest : public ::testing::Test {
protected:
    ContactStoreProcessTest() : m_store(SqliteObjectStore::fileInRoot(m_device.root())) {}

    // A contact manager with the real timers of the event loop.
    ContactManager& manager() {
        if (!m_manager) {
            auto index = std::make_unique<test::FakeContactIndex>();
            m_index = index.get();
            m_manager = std::make_unique<ContactManager>(m_store, std::move(index), m_device.fs(),
                                                         Locale::user());
            EXPECT_TRUE(m_manager->init(&m_observer, nullptr, nullptr));
        }
        return *m_manager;
    }
    bool waitForCall(const QString& call) {
        return QTest::qWaitFor([&] { return m_observer.calls.contains(call); }, kWaitMs);
    }

    test::TempDevice m_device;
    SqliteObjectStore m_store;
    test::RecordingObserver m_observer;
    test::FakeContactIndex* m_index = nullptr;
    std::unique_ptr<ContactManager> m_manager;
};

TEST_F(ContactStoreProcessTest, ChangesByAnotherProgramReachTheIndexAndTheObserver) {
    manager();
    const QString oid = runStore(m_device.root(), {"add", "FirstName=Anna", "LastName=Petrova",
                                                   "phone:Dacha=+7 495 111", "notes=Call at six"});
    ASSERT_TRUE(waitForCall("created " + oid));
    ASSERT_TRUE(waitForCall("idle 1"));
    const IndexedContact& added = m_index->contacts[oid.toUInt()];
    EXPECT_EQ(added.record.field(F::LastName), "Petrova");
    EXPECT_EQ(added.record.extended.phones, (QList<LabeledValue>{{"Dacha", "+7 495 111"}}));
    EXPECT_EQ(added.notesText.trimmed(), "Call at six");
    ContactRecord read;
    ASSERT_TRUE(manager().readContact(oid.toUInt(), read));
    EXPECT_EQ(read.extended.phones, added.record.extended.phones);

    runStore(m_device.root(), {"set", oid, "MiddleName=Ivanovna"});
    ASSERT_TRUE(waitForCall("changed " + oid));
    EXPECT_EQ(m_index->contacts[oid.toUInt()].record.field(F::MiddleName), "Ivanovna");

    runStore(m_device.root(), {"delete", oid});
    ASSERT_TRUE(waitForCall("deleted " + oid));
    EXPECT_TRUE(m_index->contacts.empty());
    EXPECT_EQ(m_index->count("rebuild"), 1);  // only the one at start-up
}

TEST_F(ContactStoreProcessTest, ABurstFromAnotherProgramIsOneFullReindex) {
    manager();
    m_index->calls.clear();
    runStore(m_device.root(), {"seed", "20"});
    ASSERT_TRUE(waitForCall("reloaded"));
    ASSERT_TRUE(waitForCall("idle 1"));
    EXPECT_EQ(m_index->count("rebuild"), 1);
    EXPECT_EQ(m_index->count("insert"), 0);
    EXPECT_EQ(m_index->contacts.size(), 20u);
    EXPECT_EQ(m_observer.count("backlog 1"), 1);
}

TEST_F(ContactStoreProcessTest, WatchPrintsTheChangesOfThisProgram) {
    QProcess watch;
    watch.start(test::builtProgram(QStringLiteral("kontavo-store")),
                {"--device-root", m_device.root(), "watch"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return watch.readAllStandardError().contains("watching"); },
                                kWaitMs));
    ContactsDatabase db(m_store, Locale::user());
    ASSERT_TRUE(db.open());
    ContactRecord record;
    record.setField(F::LastName, "Watched");
    ASSERT_TRUE(db.createRecord(record));
    record.setField(F::FirstName, "Now");
    ASSERT_TRUE(db.updateRecord(record));
    ASSERT_TRUE(db.deleteRecord(record.oid));
    QByteArray out;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            out += watch.readAllStandardOutput();
            return out.count('\n') >= 3;
        },
        kWaitMs));
    const QString oid = QString::number(record.oid);
    EXPECT_EQ(out, QStringLiteral("created %1\nchanged %1\ndeleted %1\n").arg(oid).toUtf8());
    watch.terminate();
    ASSERT_TRUE(watch.waitForFinished(kWaitMs));
    EXPECT_EQ(watch.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(watch.exitCode(), 0);
}

// Every record of `db` read in full, as the index reads them.
QList<IndexedContact> readEverything(ObjectDatabase& db) {
    QList<IndexedContact> contacts;
    ContactsDatabaseReader reader(db, Locale::user());
    EXPECT_TRUE(reader.readAllForIndex(
        [&](IndexedContact&& contact, int, int) { contacts.append(std::move(contact)); }));
    return contacts;
}

TEST_F(ContactStoreProcessTest, AWriterKilledInTheMiddleOfABatchLeavesEveryCommittedContact) {
    QProcess writer;
    writer.start(test::builtProgram(QStringLiteral("kontavo-store")),
                 {"--device-root", m_device.root(), "seed", "40000", "--seed", "3"});
    QByteArray progress;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            progress += writer.readAllStandardError();
            return progress.contains("seeded 1000 of 40000");
        },
        kWaitMs));
    writer.kill();
    ASSERT_TRUE(writer.waitForFinished(kWaitMs));

    ContactsDatabase db(m_store, Locale::user());
    ASSERT_TRUE(db.open());
    const uint32_t count = db.info()->recordCount;
    // Batches commit whole: nothing of the one the kill interrupted.
    EXPECT_GE(count, 1000u);
    EXPECT_LT(count, 40000u);
    EXPECT_EQ(count % 1000, 0u);

    // The same contacts as an uninterrupted writer of that many.
    QTemporaryDir clean;
    runStore(clean.path(), {"seed", QString::number(count), "--seed", "3"});
    SqliteObjectStore cleanStore(SqliteObjectStore::fileInRoot(clean.path()));
    auto cleanDb = cleanStore.open(ContactsDatabase::databaseName(), DbOpenOptions());
    ASSERT_NE(cleanDb, nullptr);
    const QList<IndexedContact> survived = readEverything(db.handle());
    const QList<IndexedContact> expected = readEverything(*cleanDb);
    ASSERT_EQ(survived.size(), qsizetype(count));
    ASSERT_EQ(expected.size(), qsizetype(count));
    for (qsizetype i = 0; i < survived.size(); ++i) {
        ASSERT_TRUE(survived[i].record.equals(expected[i].record)) << "contact " << i;
    }

    // The categories' counts are those of the committed contacts only.
    QHash<int, int> users;
    for (const IndexedContact& contact : survived) {
        for (int position : categorymask::positions(contact.record.categoryMask)) {
            ++users[position];
        }
    }
    const std::optional<QList<CategoryRecord>> categories = db.categories().readAll();
    ASSERT_TRUE(categories);
    for (const CategoryRecord& category : *categories) {
        EXPECT_EQ(category.contactRefs.value_or(0), users.value(*category.position));
    }

    // The store takes writes again, and the program opens it.
    ContactRecord more;
    more.setField(F::LastName, "After");
    EXPECT_TRUE(db.createRecord(more));
    EXPECT_TRUE(manager().isOpen());
    EXPECT_EQ(m_index->contacts.size(), size_t(count) + 1);
}

}  // namespace
}  // namespace kontavo
