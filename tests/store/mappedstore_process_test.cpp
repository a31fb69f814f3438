// Stores shared between processes. The helper is this test program run again
// with one disabled test enabled; it reads its part from the environment.
#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QThread>

#include "helperprocess.h"
#include "platform/sqliteregistry.h"
#include "store/index/fileflag.h"
#include "store/index/mappedstore.h"
#include "support/tempdevice.h"

namespace kontavo {
namespace {

constexpr uint32_t kBigStore = 80 << 20;

StoreLocation locationIn(const QString& root) {
    return StoreLocation::inTemporaryFolder(DeviceFs(root), QStringLiteral("pim_index1.dat"));
}

void waitForever() {
    for (;;) {
        QThread::sleep(1);
    }
}

// Helper parts: "attach" writes into a region held by the parent; "stale"
// leaves a region whose data differ from its file; "flush" dies while writing.
TEST(MappedStoreHelper, DISABLED_Run) {
    const QString root = qEnvironmentVariable("KONTAVO_HELPER_ROOT");
    const QByteArray part = qgetenv("KONTAVO_HELPER_PART");
    MappedStore store(locationIn(root),
                      clearFileFlagWhenWritten(SqliteRegistry::fileInRoot(root), "pim_index1.dat"));
    if (part == "attach") {
        ASSERT_EQ(store.load(32), MappedStore::LoadResult::Attached);
        std::memcpy(store.data() + 16, "from helper", 11);
        return;
    }
    if (part == "stale") {
        ASSERT_TRUE(store.create(32));
        std::memcpy(store.data(), "in the file", 11);
        store.startFlush();
        while (store.isFlushing()) {
            QThread::msleep(5);
        }
        std::memcpy(store.data(), "only in memory", 14);
        test::HelperProcess::say("READY");
        waitForever();
    }
    if (part == "flush") {
        ASSERT_TRUE(store.create(kBigStore));
        std::memset(store.data(), 0x5A, kBigStore);
        store.startFlush();
        test::HelperProcess::say("READY");
        waitForever();
    }
}

// The helper part `part` on the device at `root`.
class Helper : public test::HelperProcess {
public:
    Helper(const QString& root, const char* part)
        : HelperProcess("MappedStoreHelper.DISABLED_Run",
                        {"KONTAVO_HELPER_ROOT=" + root,
                         QStringLiteral("KONTAVO_HELPER_PART=") + QLatin1String(part)}) {}
};

TEST(MappedStoreProcessTest, TwoProcessesShareOneRegion) {
    test::TempDevice device;
    MappedStore store(locationIn(device.root()));
    ASSERT_TRUE(store.create(16));
    std::memcpy(store.data(), "from parent", 11);
    Helper helper(device.root(), "attach");
    EXPECT_EQ(helper.waitExit(), 0);
    EXPECT_EQ(store.size(), 32u);
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(store.data()), 27),
              QByteArray("from parent\0\0\0\0\0from helper", 27));
}

TEST(MappedStoreProcessTest, RegionLeftByADeadProcessIsRebuiltFromItsFile) {
    test::TempDevice device;
    Helper helper(device.root(), "stale");
    ASSERT_TRUE(helper.waitReady());
    helper.kill();
    MappedStore store(locationIn(device.root()));
    ASSERT_EQ(store.load(0), MappedStore::LoadResult::Loaded);
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(store.data()), 11),
              QByteArray("in the file"));
}

TEST(MappedStoreProcessTest, ProcessKilledWhileWritingLeavesAFileThatIsNotTrusted) {
    test::TempDevice device;
    device.settings().setFileFlag(QStringLiteral("pim_index1.dat"), true);
    const StoreLocation location = locationIn(device.root());
    Helper helper(device.root(), "flush");
    ASSERT_TRUE(helper.waitReady());
    // Kill it once the write is under way.
    for (int i = 0; i < 20000 && QFileInfo(location.hostPath).size() == 0; ++i) {
        QThread::usleep(100);
    }
    helper.kill();
    const qint64 written = QFileInfo(location.hostPath).size();
    EXPECT_GT(written, 0);
    MappedStore store(location);
    const bool loaded = store.load(0) == MappedStore::LoadResult::Loaded;
    const bool flagged = device.settings().getFileFlag(QStringLiteral("pim_index1.dat"));
    EXPECT_TRUE(!loaded || flagged) << "written " << written;
    EXPECT_LT(written, qint64(kBigStore) + 4);
}

}  // namespace
}  // namespace kontavo
