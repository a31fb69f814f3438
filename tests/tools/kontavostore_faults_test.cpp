// kontavo-store on devices that hold what they should not: texts with
// control characters, damaged records and counts, a FIFO where an index file
// belongs, an index folder that cannot be written, no run-time folder. Every
// command finishes, says truthfully what it did, and never hides the records
// it can use.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "platform/locale.h"
#include "platform/sqlitedb.h"
#include "platform/sqliteobjectstore.h"
#include "store/contacts/contactsdatabase.h"
#include "store/record/contactfields.h"
#include "support/programrun.h"
#include "support/tempdevice.h"

namespace kontavo {
namespace {

using test::fileMode;
using test::linesOf;
using test::ProgramRun;

// A command that hangs is a failure, not a stuck test.
constexpr int kPatienceMs = 20000;

class StoreFaultTest : public ::testing::Test {
protected:
    ProgramRun run(const QStringList& arguments) {
        return test::runStoreTool(m_device.root(), arguments, kPatienceMs);
    }
    Oid addNamed(const QString& last, const QString& company = QString()) {
        SqliteObjectStore store(SqliteObjectStore::fileInRoot(m_device.root()));
        ContactsDatabase db(store, Locale::user());
        EXPECT_TRUE(db.open());
        ContactRecord record;
        record.setField(ContactField::LastName, last);
        record.setField(ContactField::Company, company);
        EXPECT_TRUE(db.createRecord(record));
        return record.oid;
    }
    void sql(const char* statement, int64_t oid = 0) {
        SqliteDb raw;
        ASSERT_TRUE(raw.open(SqliteObjectStore::fileInRoot(m_device.root())));
        SqliteStatement change(raw, statement);
        if (oid != 0) {
            change.bind(1, oid);
        }
        ASSERT_TRUE(change.run());
    }
    QString errorLog() {
        QFile log(m_device.host(QStringLiteral("\\error.log")));
        return log.open(QIODevice::ReadOnly) ? QString::fromLatin1(log.readAll()) : QString();
    }

    test::TempDevice m_device;
};

TEST_F(StoreFaultTest, EveryRecordIsPrintedWhateverItsTextHolds) {
    const Oid nul = addNamed(QStringLiteral("Nul") + QChar(0) + QStringLiteral("Byte"), "Acme");
    const Oid tab = addNamed(QStringLiteral("Tab\tName"), QStringLiteral("Line\nBreak"));
    const Oid after = addNamed(QStringLiteral("Zylinski"), QStringLiteral("Acme"));
    const ProgramRun list = run({"list"});
    ASSERT_EQ(list.status, 0) << list.err.toStdString();
    const QStringList lines = linesOf(list.out);
    ASSERT_EQ(lines.size(), 3) << list.text().toStdString();
    EXPECT_EQ(lines[0], QStringLiteral("%1\tNul\\x00Byte\tAcme\t").arg(nul));
    EXPECT_EQ(lines[1], QStringLiteral("%1\tTab\\tName\tLine\\nBreak\t").arg(tab));
    EXPECT_TRUE(lines[2].startsWith(QStringLiteral("%1\tZylinski").arg(after)));

    const ProgramRun search = run({"search", "acme"});
    ASSERT_EQ(search.status, 0) << search.err.toStdString();
    EXPECT_EQ(linesOf(search.out).size(), 2) << search.text().toStdString();
    EXPECT_TRUE(search.text().contains(QStringLiteral("%1\tZylinski").arg(after)));

    const ProgramRun show = run({"show", QString::number(nul)});
    ASSERT_EQ(show.status, 0);
    EXPECT_TRUE(show.text().contains("Nul\\x00Byte")) << show.text().toStdString();
    EXPECT_TRUE(show.text().contains("Checksum: 0x")) << "the record is printed to its end";
}

TEST_F(StoreFaultTest, DamagedRecordsAndCountsDoNotHideTheOthers) {
    ASSERT_EQ(run({"seed", "12"}).status, 0);
    const QStringList before = linesOf(run({"list"}).out);
    ASSERT_EQ(before.size(), 12);
    const int64_t damaged = before[3].section(QLatin1Char('\t'), 0, 0).toLongLong();
    const int64_t stray = before[7].section(QLatin1Char('\t'), 0, 0).toLongLong();
    sql("UPDATE records SET props=x'01FF' WHERE oid=?1", damaged);
    sql("UPDATE records SET oid=oid+4294967296 WHERE oid=?1", stray);
    sql("UPDATE databases SET record_count=-5");

    const ProgramRun list = run({"list"});
    ASSERT_TRUE(list.finished) << "list never ended";
    EXPECT_EQ(list.status, 0);
    const QStringList lines = linesOf(list.out);
    EXPECT_EQ(lines.size(), 10);
    for (const QString& line : lines) {
        const int64_t oid = line.section(QLatin1Char('\t'), 0, 0).toLongLong();
        EXPECT_NE(oid, damaged);
        EXPECT_NE(oid, stray);
    }
    const ProgramRun reindex = run({"reindex"});
    ASSERT_TRUE(reindex.finished);
    EXPECT_EQ(reindex.status, 0) << reindex.err.toStdString();
    const ProgramRun search = run({"search", before[0].section(QLatin1Char('\t'), 1, 1)});
    EXPECT_EQ(search.status, 0);
    EXPECT_FALSE(search.out.isEmpty());
    const QString log = errorLog();
    EXPECT_TRUE(log.contains(
        QStringLiteral("Record %1 of \"Contacts Database\" cannot be decoded").arg(damaged)))
        << log.toStdString();
    EXPECT_TRUE(log.contains(QString::number(stray + 4294967296LL))) << log.toStdString();
}

TEST_F(StoreFaultTest, AFifoWhereAnIndexFileBelongsIsNeverWaitedOn) {
    ASSERT_EQ(run({"seed", "20"}).status, 0);
    const QString fifo = m_device.host(QStringLiteral("\\Temp\\pim_index1.dat"));
    QDir().mkpath(QFileInfo(fifo).absolutePath());
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const ProgramRun verify = run({"verify-index"});
    ASSERT_TRUE(verify.finished) << "verify-index waited on the FIFO";
    EXPECT_EQ(verify.status, 1);
    EXPECT_TRUE(verify.text().contains("missing or unusable")) << verify.text().toStdString();
    const ProgramRun reindex = run({"reindex"});
    ASSERT_TRUE(reindex.finished) << "reindex waited on the FIFO";
    EXPECT_EQ(reindex.text(), QStringLiteral("rebuilt\n")) << reindex.err.toStdString();
    EXPECT_TRUE(QFileInfo(fifo).isFile());
    ASSERT_EQ(QFile::remove(fifo), true);
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const ProgramRun search = run({"search", "a"});
    ASSERT_TRUE(search.finished) << "search waited on the FIFO";
    EXPECT_EQ(search.status, 0) << search.err.toStdString();
}

TEST_F(StoreFaultTest, AReindexThatCannotWriteTheIndexSaysSo) {
    ASSERT_EQ(run({"seed", "10"}).status, 0);
    // A file where the index folder belongs: nothing can be written there.
    QFile blocker(m_device.root() + QStringLiteral("/Temp"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const ProgramRun reindex = run({"reindex"});
    EXPECT_EQ(reindex.status, 1);
    EXPECT_TRUE(reindex.out.isEmpty()) << "no \"rebuilt\" for a rebuild that was not stored";
    EXPECT_TRUE(reindex.err.contains("cannot be written")) << reindex.err.toStdString();
}

TEST_F(StoreFaultTest, ANewDeviceIsPrivateToItsUser) {
    QTemporaryDir parent;
    const QString root = parent.path() + QStringLiteral("/new/device");
    const mode_t saved = ::umask(0022);
    const ProgramRun added = test::runStoreTool(root, {"add", "LastName=Private"});
    const ProgramRun reindex = test::runStoreTool(root, {"reindex"});
    ::umask(saved);
    ASSERT_EQ(added.status, 0) << added.err.toStdString();
    ASSERT_EQ(reindex.status, 0) << reindex.err.toStdString();
    EXPECT_EQ(fileMode(root), 0700u);
    EXPECT_EQ(fileMode(root + QStringLiteral("/objectstore.db")), 0600u);
    EXPECT_EQ(fileMode(root + QStringLiteral("/registry.db")), 0600u);
    EXPECT_EQ(fileMode(root + QStringLiteral("/Temp")), 0700u);
    EXPECT_EQ(fileMode(root + QStringLiteral("/Temp/pim_index1.dat")), 0600u);
    EXPECT_EQ(fileMode(root + QStringLiteral("/Temp/pim_index2.dat")), 0600u);
}

// Without a run-time folder there are no shared regions: the index cannot
// be opened, and every card still goes into the database, reported as such.
TEST_F(StoreFaultTest, AnImportWhoseIndexCannotBeOpenedStillWritesEveryCard) {
    QTemporaryDir files;
    const QString cards = files.filePath(QStringLiteral("cards.vcf"));
    QFile vcf(cards);
    ASSERT_TRUE(vcf.open(QIODevice::WriteOnly));
    for (int i = 1; i <= 5; ++i) {
        vcf.write(QStringLiteral("BEGIN:VCARD\r\nVERSION:3.0\r\nN:Card%1;Ann;;;\r\nFN:Ann "
                                 "Card%1\r\nEND:VCARD\r\n")
                      .arg(i)
                      .toUtf8());
    }
    vcf.close();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), cards);  // a file: no folder there
    const ProgramRun imported =
        test::runStoreTool(m_device.root(), {"import", cards}, kPatienceMs, environment);
    EXPECT_EQ(imported.status, 0) << imported.err.toStdString();
    EXPECT_EQ(linesOf(imported.out).size(), 5);
    EXPECT_TRUE(imported.err.contains("database alone")) << imported.err.toStdString();
    EXPECT_FALSE(imported.err.contains("not imported"));
    EXPECT_EQ(linesOf(run({"list"}).out).size(), 5);
    EXPECT_EQ(run({"reindex"}).text(), QStringLiteral("rebuilt\n"));
}

}  // namespace
}  // namespace kontavo
