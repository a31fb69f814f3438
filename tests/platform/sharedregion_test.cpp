#include "platform/sharedregion.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

#include <QFile>
#include <QTemporaryFile>
#include <QUuid>
#include <atomic>
#include <cstring>
#include <string>
#include <thread>

namespace kontavo {
namespace {

// A scope no other test uses.
QString freshScope() {
    return QUuid::createUuid().toString();
}

bool segmentExists(const QString& scope, const QString& name) {
    const int fd = shm_open(QFile::encodeName(SharedRegion::segmentName(scope, name)).constData(),
                            O_RDONLY, 0);
    if (fd >= 0) {
        close(fd);
    }
    return fd >= 0;
}

TEST(SharedRegionTest, SecondOpenSharesTheFirstOnesMemory) {
    const QString scope = freshScope();
    auto first = SharedRegion::open(scope, "TEMPPIM_INDEX1.DAT", 1 << 20);
    ASSERT_TRUE(first);
    EXPECT_FALSE(first->existed());
    std::memcpy(first->data() + 1000, "shared", 6);
    auto second = SharedRegion::open(scope, "TEMPPIM_INDEX1.DAT", 1 << 20);
    ASSERT_TRUE(second);
    EXPECT_TRUE(second->existed());
    EXPECT_EQ(std::memcmp(second->data() + 1000, "shared", 6), 0);
    // Another scope (device) or name is another region.
    auto other = SharedRegion::open(freshScope(), "TEMPPIM_INDEX1.DAT", 1 << 20);
    ASSERT_TRUE(other);
    EXPECT_FALSE(other->existed());
    EXPECT_EQ(other->data()[1000], 0);
}

TEST(SharedRegionTest, LastHolderRemovesTheSegment) {
    const QString scope = freshScope();
    auto first = SharedRegion::open(scope, "R", 4096);
    auto second = SharedRegion::open(scope, "R", 4096);
    ASSERT_TRUE(first && second);
    first.reset();
    EXPECT_TRUE(segmentExists(scope, "R"));
    second.reset();
    EXPECT_FALSE(segmentExists(scope, "R"));
}

TEST(SharedRegionTest, SegmentWithoutHolderIsRecreatedEmpty) {
    const QString scope = freshScope();
    // A segment left by a process that died: nobody holds its lock file.
    const QByteArray name = QFile::encodeName(SharedRegion::segmentName(scope, "R"));
    const int fd = shm_open(name.constData(), O_RDWR | O_CREAT, 0600);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(ftruncate(fd, 4096), 0);
    ASSERT_EQ(pwrite(fd, "stale", 5, 0), 5);
    close(fd);
    auto region = SharedRegion::open(scope, "R", 4096);
    ASSERT_TRUE(region);
    EXPECT_FALSE(region->existed());
    EXPECT_EQ(region->data()[0], 0);
}

TEST(SharedRegionTest, RefusedInitialisationLeavesNoRegion) {
    const QString scope = freshScope();
    EXPECT_FALSE(SharedRegion::open(scope, "R", 4096, [](SharedRegion&) { return false; }));
    EXPECT_FALSE(segmentExists(scope, "R"));
    auto region = SharedRegion::open(scope, "R", 4096, [](SharedRegion& fresh) {
        fresh.data()[0] = 42;
        return fresh.commit(4096);
    });
    ASSERT_TRUE(region);
    EXPECT_EQ(region->data()[0], 42);
    EXPECT_FALSE(region->commit(8192));  // beyond the region
    // An existing region is smaller than asked for.
    EXPECT_FALSE(SharedRegion::open(scope, "R", 8192));
}

TEST(SharedRegionTest, IsHeldTellsWhetherALiveHolderExists) {
    const QString scope = freshScope();
    EXPECT_FALSE(SharedRegion::isHeld(scope, "R"));
    auto region = SharedRegion::open(scope, "R", 4096);
    ASSERT_TRUE(region);
    EXPECT_TRUE(SharedRegion::isHeld(scope, "R"));
    EXPECT_FALSE(SharedRegion::isHeld(scope, "S"));
    region.reset();
    EXPECT_FALSE(SharedRegion::isHeld(scope, "R"));
}

TEST(SharedRegionTest, AskingWhetherARegionIsHeldNeverMakesAnOpenFail) {
    const QString scope = freshScope();
    std::atomic<bool> done{false};
    std::thread asker([&] {
        while (!done) {
            SharedRegion::isHeld(scope, "R");
        }
    });
    int failed = 0;
    for (int i = 0; i < 2000; ++i) {
        failed += SharedRegion::open(scope, "R", 4096) ? 0 : 1;
    }
    done = true;
    asker.join();
    EXPECT_EQ(failed, 0);
}

// Files shorter than a page and longer than the copy's buffer, copied to
// places on, just after and just before a page boundary.
TEST(SharedRegionTest, CopyFromPutsAFilesBytesAtTheirPlace) {
    constexpr size_t kRegionBytes = 1 << 21;
    for (const qsizetype size :
         {qsizetype(100), qsizetype(3 * 4096 + 17), qsizetype(700 * 1024 + 5)}) {
        for (const size_t at : {size_t(0), size_t(4), size_t(4095)}) {
            SCOPED_TRACE(std::to_string(size) + " bytes at " + std::to_string(at));
            QTemporaryFile file;
            ASSERT_TRUE(file.open());
            QByteArray bytes(size, Qt::Uninitialized);
            for (qsizetype i = 0; i < bytes.size(); ++i) {
                bytes[i] = char(i * 7 + 3 + i / 4093);
            }
            ASSERT_EQ(file.write(bytes), bytes.size());
            ASSERT_TRUE(file.flush());
            auto region =
                SharedRegion::open(freshScope(), "R", kRegionBytes, [&](SharedRegion& fresh) {
                    return fresh.commit(at) && fresh.copyFrom(file.handle(), at, size_t(size));
                });
            ASSERT_TRUE(region);
            EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(region->data() + at), size), bytes);
            if (at > 0) {
                EXPECT_EQ(region->data()[at - 1], 0);
            }
            EXPECT_EQ(region->data()[at + size_t(size)], 0);
            EXPECT_TRUE(region->commit(kRegionBytes));
            // More than the file holds, or more than the region holds.
            EXPECT_FALSE(region->copyFrom(file.handle(), 0, size_t(size) + 1));
            EXPECT_FALSE(region->copyFrom(file.handle(), kRegionBytes - 10, 11));
        }
    }
}

}  // namespace
}  // namespace kontavo
