// kontavo-store's index commands: reindex as the program starts, verify-index
// against the database, and search by words and by letter groups.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>

#include "support/tempdevice.h"

namespace kontavo {
namespace {

struct StoreRun {
    int status = -1;
    QString out;
    QString err;
};

class StoreIndexTest : public ::testing::Test {
protected:
    StoreRun run(const QStringList& arguments) {
        QProcess process;
        process.start(test::builtProgram(QStringLiteral("kontavo-store")),
                      QStringList{"--device-root", m_device.root()} + arguments);
        process.waitForFinished(60000);
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }
    QString reindex() { return run({"reindex"}).out.trimmed(); }
    // The Oids of a list-like output, one per line.
    static QStringList oidsOf(const QString& out) {
        QStringList oids;
        for (const QString& line : out.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
            oids.append(line.section(QLatin1Char('\t'), 0, 0));
        }
        return oids;
    }
    QString addContact(const QStringList& fields) {
        const StoreRun added = run(QStringList{"add"} + fields);
        EXPECT_EQ(added.status, 0) << added.err.toStdString();
        return added.out.trimmed().section(QLatin1Char(' '), -1);
    }

    test::TempDevice m_device;
};

TEST_F(StoreIndexTest, ReindexSaysWhatTheProgramWouldDoAtStart) {
    ASSERT_EQ(run({"seed", "60"}).status, 0);
    EXPECT_EQ(reindex(), "rebuilt");
    EXPECT_EQ(reindex(), "current");
    const QString oid = oidsOf(run({"list"}).out).at(5);
    ASSERT_EQ(run({"set", oid, "Company=Zeppelinwerke"}).status, 0);
    EXPECT_EQ(reindex(), "synchronised");
    EXPECT_EQ(oidsOf(run({"search", "zeppelin"}).out), QStringList{oid});
    const QStringList oids = oidsOf(run({"list"}).out);
    for (int i = 0; i < 11; ++i) {
        ASSERT_EQ(run({"delete", oids[i]}).status, 0);
    }
    EXPECT_EQ(reindex(), "rebuilt") << "11 deletions";
    EXPECT_EQ(run({"verify-index", "--all"}).status, 0);
}

TEST_F(StoreIndexTest, VerifyIndexFindsEveryKindOfDifference) {
    ASSERT_EQ(run({"seed", "40"}).status, 0);
    EXPECT_EQ(run({"verify-index"}).status, 1) << "no index files yet";
    reindex();
    const StoreRun clean = run({"verify-index", "--all"});
    EXPECT_EQ(clean.status, 0) << clean.out.toStdString();
    EXPECT_TRUE(clean.out.startsWith("index verified: 40 contacts")) << clean.out.toStdString();

    const QStringList oids = oidsOf(run({"list"}).out);
    ASSERT_EQ(run({"set", oids[3], "LastName=Quux"}).status, 0);
    ASSERT_EQ(run({"delete", oids[7]}).status, 0);
    const QString added = addContact({"LastName=Newcomer"});
    const StoreRun stale = run({"verify-index"});
    EXPECT_EQ(stale.status, 1);
    EXPECT_TRUE(stale.out.contains("the index is stale")) << stale.out.toStdString();
    EXPECT_TRUE(stale.out.contains("has checksum")) << stale.out.toStdString();
    EXPECT_TRUE(stale.out.contains("is indexed but not in the database"));
    EXPECT_TRUE(stale.out.contains("is not indexed"));
    EXPECT_EQ(reindex(), "synchronised");
    EXPECT_EQ(run({"verify-index", "--all"}).status, 0);
    EXPECT_EQ(oidsOf(run({"search", "newcomer"}).out), QStringList{added});
}

TEST_F(StoreIndexTest, DamagedWordTreesAreReported) {
    ASSERT_EQ(run({"seed", "30"}).status, 0);
    reindex();
    QFile index(m_device.host(QStringLiteral("\\Temp\\pim_index1.dat")));
    ASSERT_TRUE(index.open(QIODevice::ReadWrite));
    QByteArray bytes = index.readAll();
    // The root of the first tree (header word 2) now names no node.
    bytes[8] = bytes[9] = bytes[10] = bytes[11] = 0;
    index.seek(0);
    index.write(bytes);
    index.close();
    const StoreRun damaged = run({"verify-index"});
    EXPECT_EQ(damaged.status, 1);
    EXPECT_TRUE(damaged.out.contains("is not found by the word")) << damaged.out.toStdString();
}

TEST_F(StoreIndexTest, SearchByWordsAndByLetterGroups) {
    const QString kim = addContact({"FirstName=Kim", "LastName=Dahl", "MobilePhone=+1 555 0199"});
    const QString jo = addContact({"FirstName=Jo", "LastName=Dale", "Company=Dahlia Ltd"});
    addContact({"FirstName=Eve", "LastName=Fox"});
    EXPECT_EQ(oidsOf(run({"search", "dah"}).out), (QStringList{kim, jo}));
    EXPECT_EQ(oidsOf(run({"search", "DAH", "kim"}).out), QStringList{kim});
    EXPECT_EQ(oidsOf(run({"search", "~9910"}).out), QStringList{kim}) << "the reversed digits";
    EXPECT_EQ(oidsOf(run({"search", "zzz"}).out), QStringList());
    // D-A-L: the groups DEF ABC JKL, as the keypad spells "dal".
    EXPECT_EQ(oidsOf(run({"search", "--groups", "DEF", "ABC", "JKL"}).out), QStringList{jo});
    EXPECT_EQ(oidsOf(run({"search", "--groups", "def", "abc"}).out), (QStringList{kim, jo}));
    const StoreRun unknown = run({"search", "--groups", "XYZ"});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_TRUE(unknown.err.contains("ABC DEF GHI")) << unknown.err.toStdString();
}

}  // namespace
}  // namespace kontavo
