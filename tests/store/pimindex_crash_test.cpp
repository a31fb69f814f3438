// A program killed while it changes its index or writes it back: the next
// start finds out and brings the index in line with the database, whether
// the regions died with the program or another program kept them.
#include <gtest/gtest.h>

#include <QFile>
#include <QThread>
#include <filesystem>
#include <optional>
#include <random>

#include "helperprocess.h"
#include "indextestsupport.h"
#include "platform/sqliteregistry.h"
#include "store/index/indexfiles.h"

namespace kontavo {
namespace {

using test::FakeContactReader;
using test::IndexedDevice;
using Open = ContactIndex::OpenResult;

constexpr const char* kHelper = "IndexCrashHelper.DISABLED_Run";
constexpr int kLongWords = 100000;

// Notes with many words, so that most of a change is spent in the index.
QString longNotes(std::mt19937& random, int mark) {
    QStringList words;
    for (int i = 0; i < 400; ++i) {
        words.append(QString::number(random() % 1000000, 36));
    }
    words.append(QStringLiteral("mark%1").arg(mark));
    return words.join(QLatin1Char(' '));
}

// When a file was last written; nothing when it is missing.
std::optional<std::filesystem::file_time_type> lastWritten(const QString& path) {
    std::error_code error;
    const auto time =
        std::filesystem::last_write_time(QFile::encodeName(path).toStdString(), error);
    return error ? std::nullopt : std::optional(time);
}

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Helper part "loop": changes the database for ever, saving it before each
// index change and starting a write-back after every other change.
void changeForever(FakeContactReader& db, PimIndex& index, const QString& dbPath) {
    std::mt19937 random(qEnvironmentVariableIntValue("KONTAVO_HELPER_SEED"));
    for (int step = 1000;; ++step) {
        const uint32_t choice = random() % 3;
        if (choice == 0 || db.contacts().size() < 20) {
            const Oid oid = db.add(test::sampleContact(step), longNotes(random, step));
            ASSERT_TRUE(db.save(dbPath));
            ASSERT_TRUE(index.insert(db.indexed(oid), db.time()));
        } else {
            const Oid oid =
                std::next(db.contacts().begin(), random() % db.contacts().size())->first;
            if (choice == 1) {
                db.change(oid, [&](IndexedContact& c) { c.notesText = longNotes(random, step); });
                ASSERT_TRUE(db.save(dbPath));
                ASSERT_TRUE(index.update(db.indexed(oid), db.time()));
            } else {
                db.erase(oid);
                ASSERT_TRUE(db.save(dbPath));
                ASSERT_TRUE(index.remove(oid, db.time()));
            }
        }
        if (step % 2 == 0) {
            index.startFlush();
        }
    }
}

// Helper part "big": one insert of a contact with a very long note, said
// before and after, then it waits to be killed.
void oneLongChange(FakeContactReader& db, PimIndex& index, const QString& dbPath) {
    QStringList words;
    for (int i = 0; i < kLongWords; ++i) {
        words.append(QStringLiteral("longw%1").arg(i, 0, 36));
    }
    const Oid oid = db.add(test::sampleContact(777), words.join(QLatin1Char(' ')) + " mark777");
    ASSERT_TRUE(db.save(dbPath));
    test::HelperProcess::say("CHANGING");
    ASSERT_TRUE(index.insert(db.indexed(oid), db.time()));
    test::HelperProcess::say("CHANGED");
    for (;;) {
        QThread::sleep(1);
    }
}

// The helper indexes the saved database and writes it back, then runs its part.
TEST(IndexCrashHelper, DISABLED_Run) {
    const QString root = qEnvironmentVariable("KONTAVO_HELPER_ROOT");
    const QString dbPath = qEnvironmentVariable("KONTAVO_HELPER_DB");
    DeviceFs fs(root);
    SqliteRegistry registry(SqliteRegistry::fileInRoot(root));
    SettingsStore settings(registry);
    const Locale locale(QLocale(QLocale::English, QLocale::UnitedStates));
    FakeContactReader db;
    ASSERT_TRUE(db.load(dbPath));
    PimIndex index(fs, settings, nullptr, locale);
    ASSERT_EQ(index.open(db.info()), Open::Rebuild);
    ASSERT_TRUE(index.rebuild(db, nullptr, false));
    index.close();
    ASSERT_EQ(index.open(db.info()), Open::Current);
    test::HelperProcess::say("READY");
    if (qgetenv("KONTAVO_HELPER_PART") == "big") {
        oneLongChange(db, index, dbPath);
    }
    changeForever(db, index, dbPath);
}

struct CrashRun {
    explicit CrashRun(int seed, const char* part = "loop")
        : dbPath(device.device.root() + QStringLiteral("/contacts.bin")) {
        std::mt19937 random(seed);
        for (int i = 0; i < 40; ++i) {
            device.db.add(test::sampleContact(i), longNotes(random, i));
        }
        EXPECT_TRUE(device.db.save(dbPath));
        helper = std::make_unique<test::HelperProcess>(
            kHelper, QStringList{"KONTAVO_HELPER_ROOT=" + device.device.root(),
                                 "KONTAVO_HELPER_DB=" + dbPath,
                                 QStringLiteral("KONTAVO_HELPER_SEED=%1").arg(seed),
                                 QStringLiteral("KONTAVO_HELPER_PART=") + QLatin1String(part)});
    }
    // Kills the helper `ms` milliseconds into its changes, then starts as
    // the program does on the database the helper left.
    Open killAndStart(int ms) {
        QThread::msleep(ms);
        helper->kill();
        EXPECT_TRUE(device.db.load(dbPath));
        device.restart();
        return device.start();
    }

    // Both index files were last written no earlier than the database file.
    bool writtenBackAfterSave() const {
        const auto saved = lastWritten(dbPath);
        return saved && lastWritten(device.indexFile(IndexFiles::kIndexFile)) >= saved &&
               lastWritten(device.indexFile(IndexFiles::kPropsFile)) >= saved;
    }

    IndexedDevice device;
    QString dbPath;
    std::unique_ptr<test::HelperProcess> helper;
};

TEST(IndexCrashTest, AProgramKilledWhileChangingOrWritingLosesNothing) {
    for (int ms : {15, 60, 140, 260}) {
        CrashRun run(ms);
        ASSERT_TRUE(run.helper->waitReady());
        const Open started = run.killAndStart(ms);
        // The helper may have finished a change and its write-back before
        // the kill: such files open current, and only files written back
        // after the database was last saved may.
        if (started == Open::Current) {
            EXPECT_TRUE(run.writtenBackAfterSave()) << "killed after " << ms << " ms";
        }
        EXPECT_EQ(run.device.differences(), QString()) << "killed after " << ms << " ms";
    }
}

// A program may be killed between the starts of the two files' write-backs.
// A file of an earlier write-back left complete beside its partner already
// written anew would pass for a current index that is not: both files are
// gone before either is written again.
TEST(IndexCrashTest, AWriteBackLeavesNoFileOfAnEarlierOne) {
    IndexedDevice d;
    d.fill(30);
    d.start();
    const QString indexPath = d.indexFile(IndexFiles::kIndexFile);
    const QString propsPath = d.indexFile(IndexFiles::kPropsFile);
    const Oid oid = d.db.contacts().begin()->first;
    for (int round = 0; round < 20; ++round) {
        d.restart();  // writes back completely
        ASSERT_EQ(d.start(), Open::Current);
        const QByteArray earlierIndex = fileBytes(indexPath);
        const QByteArray earlierProps = fileBytes(propsPath);
        d.db.change(oid,
                    [&](IndexedContact& c) { c.notesText = QStringLiteral("round%1").arg(round); });
        ASSERT_TRUE(d.index->update(d.db.indexed(oid), d.db.time()));
        d.index->startFlush();
        EXPECT_NE(fileBytes(indexPath), earlierIndex) << "round " << round;
        EXPECT_NE(fileBytes(propsPath), earlierProps) << "round " << round;
    }
    d.restart();
    EXPECT_EQ(d.start(), Open::Current);
    EXPECT_EQ(d.differences(), QString());
}

// Another program keeps the regions alive while the helper is killed: the
// next start works on the regions as the helper left them, and the other
// program sees the repaired index.
TEST(IndexCrashTest, RegionsKeptAliveByAnotherProgramAreRepairedForBoth) {
    for (int ms : {20, 80, 170}) {
        CrashRun run(ms);
        ASSERT_TRUE(run.helper->waitReady());
        PimIndex holder(run.device.device.fs(), run.device.device.settings(), nullptr,
                        run.device.locale);
        // The helper is changing the index already: a change in progress
        // (busy flag set) makes an open fail, the next one finds it done.
        for (int tries = 0; tries < 500 && !holder.isOpen(); ++tries) {
            holder.open(run.device.db.info());
            QThread::msleep(holder.isOpen() ? 0 : 2);
        }
        ASSERT_TRUE(holder.isOpen());
        run.killAndStart(ms);
        EXPECT_EQ(run.device.differences(), QString()) << "killed after " << ms << " ms";
        EXPECT_EQ(holder.allOids(), run.device.index->allOids());
        EXPECT_EQ(holder.findWords("mark3"), run.device.index->findWords("mark3"));
    }
}

// Killed in the middle of one long change: alone, the written-back files are
// older than the database and are synchronised; with the regions kept alive
// by another program, their busy flag calls for a rebuild.
TEST(IndexCrashTest, AChangeCutShortIsRebuiltOrSynchronised) {
    for (bool held : {false, true}) {
        CrashRun run(5, "big");
        ASSERT_TRUE(run.helper->waitReady());
        std::optional<PimIndex> holder;
        if (held) {
            holder.emplace(run.device.device.fs(), run.device.device.settings(), nullptr,
                           run.device.locale);
            ASSERT_EQ(holder->open(run.device.db.info()), Open::Current);
        }
        ASSERT_TRUE(run.helper->waitFor("CHANGING"));
        const Open started = run.killAndStart(30);
        ASSERT_FALSE(run.helper->hasSaid("CHANGED")) << "the change ended before the kill";
        EXPECT_EQ(started, held ? Open::Rebuild : Open::Stale);
        EXPECT_EQ(run.device.differences(), QString());
        EXPECT_EQ(run.device.index->findWords("mark777").size(), 1);
        EXPECT_EQ(run.device.index->findWords("longw1").size(), 1);
    }
}

}  // namespace
}  // namespace kontavo
