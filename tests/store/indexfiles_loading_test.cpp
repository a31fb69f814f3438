// The index files' regions are filled in the background after an open: what
// reads, changes and a second opener see while "pim_index2.dat" is still
// being copied.
#include <gtest/gtest.h>

#include <QFile>
#include <chrono>
#include <future>
#include <thread>

#include "indextestsupport.h"

namespace kontavo {
namespace {

using test::IndexedDevice;
using test::StartedDevice;
using Open = ContactIndex::OpenResult;

// Every contact's stored checksum is the database's.
bool checksumsMatch(IndexedDevice& d) {
    for (const auto& [oid, contact] : d.db.contacts()) {
        if (d.index->storedChecksum(oid) != d.db.checksumOf(oid)) {
            return false;
        }
    }
    return true;
}

// Holds the property store's background loads of one IndexFiles back until
// released (at the latest when it goes, so that a failing test never hangs).
class HeldPropsLoad {
public:
    explicit HeldPropsLoad(IndexFiles& files) {
        files.setLoadHook([released = m_released](const char* file) {
            if (QByteArray(file) == IndexFiles::kPropsFile) {
                released.wait();
            }
        });
    }
    ~HeldPropsLoad() {
        release();
        if (m_releaser.joinable()) {
            m_releaser.join();
        }
    }
    HeldPropsLoad(const HeldPropsLoad&) = delete;
    HeldPropsLoad& operator=(const HeldPropsLoad&) = delete;

    void release() {
        if (!m_done) {
            m_done = true;
            m_release.set_value();
        }
    }
    // Releases the load from another thread after `delay`.
    void releaseAfter(std::chrono::milliseconds delay) {
        m_done = true;
        m_releaser = std::thread([this, delay] {
            std::this_thread::sleep_for(delay);
            m_release.set_value();
        });
    }

private:
    std::promise<void> m_release;
    std::shared_future<void> m_released = m_release.get_future().share();
    bool m_done = false;
    std::thread m_releaser;
};

TEST(IndexFilesLoadingTest, ReadsWhileThePropertyStoreLoadsGiveWhatItsFileHolds) {
    StartedDevice d;
    HeldPropsLoad held(d.index->files());
    ASSERT_EQ(d.index->open(d.db.info()), Open::Current);
    ASSERT_TRUE(d.index->files().isPropsLoading());
    EXPECT_TRUE(checksumsMatch(d));
    ExtendedProperties extended;
    EXPECT_TRUE(d.index->readExtended(d.oidAt(7), extended));
    EXPECT_EQ(d.index->currentTo(), d.db.info().lastModified);
    EXPECT_TRUE(d.index->settledMark().has_value());
    EXPECT_EQ(d.index->findWords(QStringLiteral("mark7")), QList<Oid>{d.oidAt(7)});
    // None of that waited for the copy.
    EXPECT_TRUE(d.index->files().isPropsLoading());
    held.release();
    EXPECT_EQ(d.differences(), QString());
    d.index->files().stopFlush();  // waits for the region
    EXPECT_FALSE(d.index->files().isPropsLoading());
    ExtendedProperties fromRegion;
    EXPECT_TRUE(d.index->readExtended(d.oidAt(7), fromRegion));
    EXPECT_EQ(fromRegion, extended);
}

TEST(IndexFilesLoadingTest, AChangeDuringTheCopyWaitsForItAndIsKept) {
    StartedDevice d;
    HeldPropsLoad held(d.index->files());
    ASSERT_EQ(d.index->open(d.db.info()), Open::Current);
    ASSERT_TRUE(d.index->files().isPropsLoading());
    held.releaseAfter(std::chrono::milliseconds(50));
    const Oid added = d.db.add(test::sampleContact(500), test::sampleNotes(500));
    ASSERT_TRUE(d.index->insert(d.db.indexed(added), d.db.time()));
    EXPECT_FALSE(d.index->files().isPropsLoading());
    const Oid removed = d.oidAt(3);
    d.db.erase(removed);
    ASSERT_TRUE(d.index->remove(removed, d.db.time()));
    EXPECT_EQ(d.differences(), QString());
    d.restart();
    EXPECT_EQ(d.index->open(d.db.info()), Open::Current);
    EXPECT_EQ(d.differences(), QString());
}

// The second opener finds no region held and fills it itself; the first one,
// held back, then attaches to that region and sees the other's changes.
TEST(IndexFilesLoadingTest, ASecondOpenerDuringTheCopySharesOneRegion) {
    StartedDevice d;
    HeldPropsLoad held(d.index->files());
    ASSERT_EQ(d.index->open(d.db.info()), Open::Current);
    ASSERT_TRUE(d.index->files().isPropsLoading());
    PimIndex other(d.device.fs(), d.device.settings(), nullptr, d.locale);
    ASSERT_EQ(other.open(d.db.info()), Open::Current);
    const Oid added = d.db.add(test::sampleContact(500), test::sampleNotes(500));
    ASSERT_TRUE(other.insert(d.db.indexed(added), d.db.time()));
    held.release();
    EXPECT_EQ(d.index->storedChecksum(added), d.db.checksumOf(added));
    EXPECT_EQ(d.index->findWords(QStringLiteral("mark500")), QList<Oid>{added});
    // Its free-block map is the region's: a change of its own keeps both
    // stores whole for both users.
    const Oid removed = d.oidAt(3);
    d.db.erase(removed);
    ASSERT_TRUE(d.index->remove(removed, d.db.time()));
    const Oid second = d.db.add(test::sampleContact(501), test::sampleNotes(501));
    ASSERT_TRUE(d.index->insert(d.db.indexed(second), d.db.time()));
    EXPECT_EQ(d.differences(), QString());
    EXPECT_EQ(other.storedChecksum(second), d.db.checksumOf(second));
    EXPECT_EQ(other.storedChecksum(added), d.db.checksumOf(added));
    EXPECT_EQ(other.storedChecksum(removed), std::nullopt);
}

// A file written anew after the open was checked does not reach the region:
// it gets the bytes that were checked, which the reads were served from.
TEST(IndexFilesLoadingTest, TheRegionGetsTheFileThatWasCheckedEvenWhenItIsReplaced) {
    StartedDevice d;
    const QString path = d.indexFile(IndexFiles::kPropsFile);
    HeldPropsLoad held(d.index->files());
    ASSERT_EQ(d.index->open(d.db.info()), Open::Current);
    ASSERT_TRUE(QFile::remove(path));
    QFile replaced(path);
    ASSERT_TRUE(replaced.open(QIODevice::WriteOnly));
    replaced.write(QByteArray(4096, '\x5A'));
    replaced.close();
    held.release();
    d.index->files().stopFlush();
    EXPECT_TRUE(checksumsMatch(d));
    const Oid added = d.db.add(test::sampleContact(500), test::sampleNotes(500));
    ASSERT_TRUE(d.index->insert(d.db.indexed(added), d.db.time()));
    EXPECT_EQ(d.differences(), QString());
}

}  // namespace
}  // namespace kontavo
