// What the index does at program start, for each state the files and the
// database can be in.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QFile>
#include <QtEndian>

#include "indextestsupport.h"
#include "store/contacts/operationgate.h"

namespace kontavo {
namespace {

using test::IndexedDevice;
using test::StartedDevice;
using Open = ContactIndex::OpenResult;
using Sync = ContactIndex::SyncResult;

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

TEST(IndexStartupTest, NoFilesRebuildAndAnUnchangedRestartIsCurrent) {
    StartedDevice d;
    EXPECT_TRUE(QFile::exists(d.indexFile("pim_index1.dat")));
    EXPECT_TRUE(QFile::exists(d.indexFile("pim_index2.dat")));
    EXPECT_EQ(d.index->open(d.db.info()), Open::Current);
    EXPECT_EQ(d.differences(), QString());
    EXPECT_EQ(d.db.readAllCalls, 1);
}

TEST(IndexStartupTest, NotesChangedWhileClosedAreBroughtInWithoutRebuild) {
    StartedDevice d;
    const Oid changed = d.oidAt(7);
    d.db.change(changed,
                [](IndexedContact& c) { c.notesText = QStringLiteral("call about zebra"); });
    EXPECT_EQ(d.index->open(d.db.info()), Open::Stale);
    EXPECT_TRUE(d.index->lastDiagnostic().startsWith(
        "PropsStore::IsNeedInspect: lastModTime diffs(mHeader time: "));
    test::RecordingProgress progress;
    EXPECT_EQ(d.index->synchronize(d.db, &progress), Sync::Done);
    EXPECT_EQ(d.db.readAllCalls, 1) << "no full rebuild";
    EXPECT_EQ(progress.texts, QStringList{"Update indexes"});
    EXPECT_EQ(progress.steps, 1);
    EXPECT_EQ(progress.closed, 1);
    EXPECT_EQ(d.index->findWords("zebra"), QList<Oid>{changed});
    EXPECT_FALSE(d.index->findWords("mark7").contains(changed));
    EXPECT_EQ(d.differences(), QString());
    d.restart();
    EXPECT_EQ(d.index->open(d.db.info()), Open::Current);
}

TEST(IndexStartupTest, ElevenDeletionsCallForARebuildTenDoNot) {
    for (int deletions : {10, 11}) {
        StartedDevice d;
        for (int i = 0; i < deletions; ++i) {
            d.db.erase(d.oidAt(0));
        }
        ASSERT_EQ(d.index->open(d.db.info()), Open::Stale);
        EXPECT_EQ(d.index->synchronize(d.db, nullptr),
                  deletions == 10 ? Sync::Done : Sync::NeedsRebuild);
        if (deletions == 10) {
            EXPECT_EQ(d.differences(), QString());
        }
    }
}

TEST(IndexStartupTest, MoreThanTenChangesCallForARebuild) {
    for (int changes : {10, 11}) {
        StartedDevice d;
        d.fill(5, 100);  // five new contacts
        for (int i = 0; i < changes - 5; ++i) {
            d.db.change(d.oidAt(i), [](IndexedContact& c) {
                c.record.setField(ContactField::JobTitle, QStringLiteral("Pilot"));
            });
        }
        ASSERT_EQ(d.index->open(d.db.info()), Open::Stale);
        EXPECT_EQ(d.index->synchronize(d.db, nullptr),
                  changes == 10 ? Sync::Done : Sync::NeedsRebuild);
        if (changes == 10) {
            EXPECT_EQ(d.differences(), QString());
            EXPECT_EQ(d.index->findWords("pilot").size(), 5);
        }
    }
}

TEST(IndexStartupTest, AnEmptyIndexIsRebuiltRatherThanSynchronised) {
    IndexedDevice d;
    EXPECT_EQ(d.start(), Open::Rebuild);  // an empty database
    d.restart();
    d.fill(3);
    ASSERT_EQ(d.index->open(d.db.info()), Open::Stale);
    EXPECT_EQ(d.index->synchronize(d.db, nullptr), Sync::NeedsRebuild);
}

TEST(IndexStartupTest, AChangeThatChangedNothingLeavesTheIndexCurrentAfterwards) {
    StartedDevice d;
    d.db.change(d.oidAt(3), [](IndexedContact&) {});
    ASSERT_EQ(d.index->open(d.db.info()), Open::Stale);
    EXPECT_EQ(d.index->synchronize(d.db, nullptr), Sync::Done);
    d.restart();
    EXPECT_EQ(d.index->open(d.db.info()), Open::Current);
}

TEST(IndexStartupTest, ASetBusyFlagForcesARebuild) {
    StartedDevice d;
    QByteArray props = readFile(d.indexFile("pim_index2.dat"));
    ASSERT_GT(props.size(), 28);
    props[16] = 1;
    writeFile(d.indexFile("pim_index2.dat"), props);
    EXPECT_EQ(d.start(), Open::Rebuild);
    EXPECT_EQ(d.differences(), QString());
}

class FixedGate final : public OperationGate {
public:
    explicit FixedGate(bool allow) : m_allow(allow) {}
    bool mayProceed(int, Oid) override { return m_allow; }
    void begin() override {}
    void end() override {}

private:
    bool m_allow;
};

TEST(IndexStartupTest, AFileFlagForcesARebuildWhenTheGateAllows) {
    StartedDevice d;
    for (const char* file : {"pim_index1.dat", "pim_index2.dat"}) {
        d.device.settings().setFileFlag(file, true);
        EXPECT_EQ(d.index->open(d.db.info()), Open::Rebuild) << file;
        FixedGate refusing(false);
        PimIndex gated(d.device.fs(), d.device.settings(), &refusing, d.locale);
        EXPECT_EQ(gated.open(d.db.info()), Open::Current) << file;
        gated.close();
        FixedGate allowing(true);
        PimIndex allowed(d.device.fs(), d.device.settings(), &allowing, d.locale);
        EXPECT_EQ(allowed.open(d.db.info()), Open::Rebuild) << file;
        d.device.settings().setFileFlag(file, false);
    }
}

TEST(IndexStartupTest, AFinishedWriteBackClearsTheFileFlagsAUserRebuildSets) {
    StartedDevice d;
    ASSERT_EQ(d.index->open(d.db.info()), Open::Current);
    ASSERT_TRUE(d.index->rebuild(d.db, nullptr, true));
    EXPECT_TRUE(d.device.settings().getFileFlag("pim_index1.dat"));
    EXPECT_TRUE(d.device.settings().getFileFlag("pim_index2.dat"));
    d.restart();  // writes back and waits
    EXPECT_FALSE(d.device.settings().getFileFlag("pim_index1.dat"));
    EXPECT_FALSE(d.device.settings().getFileFlag("pim_index2.dat"));
    EXPECT_EQ(d.index->open(d.db.info()), Open::Current);
}

TEST(IndexStartupTest, DamagedMissingOrMismatchedFilesAreRebuilt) {
    const auto damages = std::vector<std::pair<const char*, std::function<void(IndexedDevice&)>>>{
        {"missing index store",
         [](IndexedDevice& d) { QFile::remove(d.indexFile("pim_index1.dat")); }},
        {"missing property store",
         [](IndexedDevice& d) { QFile::remove(d.indexFile("pim_index2.dat")); }},
        {"cut short",
         [](IndexedDevice& d) {
             const QByteArray bytes = readFile(d.indexFile("pim_index1.dat"));
             writeFile(d.indexFile("pim_index1.dat"), bytes.left(bytes.size() - 1000));
         }},
        {"wrong version",
         [](IndexedDevice& d) {
             QByteArray bytes = readFile(d.indexFile("pim_index2.dat"));
             bytes[4] = 4;
             writeFile(d.indexFile("pim_index2.dat"), bytes);
         }},
        {"index store of another version",
         [](IndexedDevice& d) {
             QByteArray bytes = readFile(d.indexFile("pim_index1.dat"));
             bytes[4] = 4;
             writeFile(d.indexFile("pim_index1.dat"), bytes);
         }},
        {"record map beyond the index store's end",
         [](IndexedDevice& d) {
             QByteArray bytes = readFile(d.indexFile("pim_index1.dat"));
             qToLittleEndian<uint32_t>(uint32_t(bytes.size() - 8), bytes.data() + 32);
             writeFile(d.indexFile("pim_index1.dat"), bytes);
         }},
        {"a pipe in place of the index store",
         [](IndexedDevice& d) {
             QFile::remove(d.indexFile("pim_index1.dat"));
             ASSERT_EQ(::mkfifo(QFile::encodeName(d.indexFile("pim_index1.dat")).constData(), 0600),
                       0);
         }},
        {"index store of another state",
         [](IndexedDevice& d) {
             const QByteArray old = readFile(d.indexFile("pim_index1.dat"));
             d.index->open(d.db.info());
             d.index->remove(std::prev(d.db.contacts().end())->first, d.db.time());
             d.restart();
             writeFile(d.indexFile("pim_index1.dat"), old);
         }},
    };
    for (const auto& [what, damage] : damages) {
        StartedDevice d;
        damage(d);
        EXPECT_EQ(d.start(), Open::Rebuild) << what;
        EXPECT_EQ(d.differences(), QString()) << what;
    }
}

// The index store's region is loaded in the background after an open; an
// index opened meanwhile by another user of the same regions, and changed
// there, is seen by the first one whichever of the two loaded the region.
TEST(IndexStartupTest, ChangesMadeWhileTheIndexStoreIsStillLoadingAreSeen) {
    StartedDevice d;
    ASSERT_EQ(d.index->open(d.db.info()), Open::Current);
    PimIndex other(d.device.fs(), d.device.settings(), nullptr, d.locale);
    ASSERT_EQ(other.open(d.db.info()), Open::Current);
    const Oid added = d.db.add(test::sampleContact(500), test::sampleNotes(500));
    ASSERT_TRUE(other.insert(d.db.indexed(added), d.db.time()));
    ASSERT_TRUE(other.remove(d.oidAt(3), d.db.time()));
    EXPECT_EQ(d.index->findWords(QStringLiteral("mark500")), QList<Oid>{added});
    EXPECT_EQ(d.index->storedChecksum(added), d.db.checksumOf(added));
    EXPECT_EQ(d.index->storedChecksum(d.oidAt(3)), std::nullopt);
    EXPECT_EQ(d.index->allOids().size(), 30);
}

}  // namespace
}  // namespace kontavo
