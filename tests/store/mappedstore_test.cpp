#include "store/index/mappedstore.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QFile>
#include <QtEndian>

#include "platform/sqliteregistry.h"
#include "store/index/fileflag.h"
#include "store/index/storefile.h"
#include "support/tempdevice.h"

namespace kontavo {
namespace {

QByteArray withTrailer(const QByteArray& data) {
    QByteArray file = data;
    file.resize(data.size() + 4);
    qToLittleEndian<uint32_t>(uint32_t(file.size()), file.data() + data.size());
    return file;
}

QByteArray dataOf(const MappedStore& store) {
    return QByteArray(reinterpret_cast<const char*>(store.data()), qsizetype(store.size()));
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct Device {
    test::TempDevice device;
    StoreLocation location = StoreLocation::inTemporaryFolder(device.fs(), "pim_index1.dat");
    void writeFile(const QByteArray& bytes) const {
        device.writeFile(QStringLiteral("\\Temp\\pim_index1.dat"), bytes);
    }
};

TEST(MappedStoreTest, RegionNameIsThePathWithoutBackslashesInUpperCase) {
    EXPECT_EQ(StoreLocation::regionNameFor(QStringLiteral("\\Temp\\pim_index1.dat")),
              QStringLiteral("TEMPPIM_INDEX1.DAT"));
    test::TempDevice device;
    const auto location = StoreLocation::inTemporaryFolder(device.fs(), "pim_index2.dat");
    EXPECT_EQ(location.regionName, QStringLiteral("TEMPPIM_INDEX2.DAT"));
    EXPECT_EQ(location.hostPath, device.host(QStringLiteral("\\Temp\\pim_index2.dat")));
}

TEST(MappedStoreTest, LoadsOnlyFilesWithTheirLengthAsTrailer) {
    Device d;
    MappedStore store(d.location);
    EXPECT_EQ(store.load(0), MappedStore::LoadResult::Missing);
    d.writeFile("abc");
    EXPECT_EQ(store.load(0), MappedStore::LoadResult::Invalid);
    d.writeFile(QByteArray("hello") + QByteArray("\x09\x00\x00\x01", 4));
    EXPECT_EQ(store.load(0), MappedStore::LoadResult::Invalid);
    EXPECT_FALSE(store.isOpen());
    d.writeFile(withTrailer(""));
    EXPECT_EQ(store.load(0), MappedStore::LoadResult::Loaded);
    EXPECT_EQ(store.size(), 0u);
    d.writeFile(withTrailer("hello"));
    EXPECT_EQ(store.load(0), MappedStore::LoadResult::Loaded);
    EXPECT_EQ(dataOf(store), QByteArray("hello"));
}

TEST(MappedStoreTest, AStoreFileIsReadWithinItsDataAndNeverWaitedFor) {
    Device d;
    EXPECT_EQ(StoreFile(d.location.hostPath).state(), StoreFile::State::Missing);
    d.writeFile(withTrailer("abcdefgh"));
    const StoreFile file(d.location.hostPath);
    ASSERT_EQ(file.state(), StoreFile::State::Valid);
    EXPECT_EQ(file.dataLength(), 8u);
    EXPECT_EQ(file.word(4), qFromLittleEndian<uint32_t>("efgh"));
    char out[4];
    EXPECT_FALSE(file.read(6, out, 4));  // into the trailer
    EXPECT_EQ(file.word(8), 0u);
    d.writeFile(QByteArray("abcdefgh") + QByteArray("\x0b\x00\x00\x00", 4));
    EXPECT_EQ(StoreFile(d.location.hostPath).state(), StoreFile::State::Invalid);
    // A pipe where the file should be is no store (and opening it must not
    // wait for a writer).
    QFile::remove(d.location.hostPath);
    ASSERT_EQ(::mkfifo(QFile::encodeName(d.location.hostPath).constData(), 0600), 0);
    EXPECT_EQ(StoreFile(d.location.hostPath).state(), StoreFile::State::Invalid);
    MappedStore store(d.location);
    EXPECT_EQ(store.load(0), MappedStore::LoadResult::Invalid);
}

TEST(MappedStoreTest, CreateDeletesTheFileAndNeedsAFreshRegion) {
    Device d;
    d.writeFile(withTrailer("old"));
    MappedStore first(d.location);
    ASSERT_TRUE(first.create(64));
    EXPECT_FALSE(QFile::exists(d.location.hostPath));
    EXPECT_EQ(dataOf(first), QByteArray(64, '\0'));
    // While the region is held, another store can attach but not create.
    MappedStore second(d.location);
    EXPECT_FALSE(second.create(64));
    EXPECT_FALSE(second.isOpen());
    std::memcpy(first.data(), "shared", 6);
    EXPECT_EQ(second.load(100), MappedStore::LoadResult::Attached);
    EXPECT_EQ(second.size(), 100u);
    EXPECT_EQ(first.size(), 100u);  // one size word for both
    EXPECT_EQ(dataOf(second).left(6), QByteArray("shared"));
    second.close();
    first.close();
    EXPECT_TRUE(second.create(8));  // nobody holds it any more
}

TEST(MappedStoreTest, GrowthStaysWithinTheReservation) {
    Device d;
    MappedStore store(d.location);
    ASSERT_TRUE(store.create(16));
    EXPECT_TRUE(store.resize(1 << 20));
    store.data()[(1 << 20) - 1] = 7;
    EXPECT_FALSE(store.resize(MappedStore::kMaxDataBytes + 1));
    EXPECT_EQ(store.size(), uint32_t(1 << 20));
}

TEST(MappedStoreTest, WriteBackWritesDataAndTrailerAndClearsTheFlag) {
    Device d;
    SettingsStore& settings = d.device.settings();
    settings.setFileFlag(QStringLiteral("pim_index1.dat"), true);
    MappedStore store(
        d.location,
        clearFileFlagWhenWritten(SqliteRegistry::fileInRoot(d.device.root()), "pim_index1.dat"));
    const uint32_t size = 3 * 4096 + 10;  // a partial last chunk
    ASSERT_TRUE(store.create(size));
    for (uint32_t i = 0; i < size; ++i) {
        store.data()[i] = uint8_t(i * 7);
    }
    store.startFlush();
    store.close();  // waits for the write to complete
    const QByteArray file = readFile(d.location.hostPath);
    ASSERT_EQ(file.size(), qsizetype(size + 4));
    EXPECT_EQ(qFromLittleEndian<uint32_t>(file.constData() + size), size + 4);
    EXPECT_EQ(uint8_t(file[4097]), uint8_t(4097 * 7));
    EXPECT_FALSE(settings.getFileFlag(QStringLiteral("pim_index1.dat")));
    MappedStore again(d.location);
    EXPECT_EQ(again.load(0), MappedStore::LoadResult::Loaded);
    EXPECT_EQ(dataOf(again), file.left(int(size)));
}

TEST(MappedStoreTest, StoppedWriteBackNeverLooksComplete) {
    Device d;
    SettingsStore& settings = d.device.settings();
    settings.setFileFlag(QStringLiteral("pim_index1.dat"), true);
    MappedStore store(
        d.location,
        clearFileFlagWhenWritten(SqliteRegistry::fileInRoot(d.device.root()), "pim_index1.dat"));
    ASSERT_TRUE(store.create(64 << 20));
    store.startFlush();
    store.stopFlush();
    EXPECT_FALSE(store.isFlushing());
    const QByteArray file = readFile(d.location.hostPath);
    const bool valid = MappedStore::isValidFile(reinterpret_cast<const uint8_t*>(file.constData()),
                                                uint64_t(file.size()));
    // Either the write finished (valid file, flag cleared) or the file is
    // refused and the flag still set: never a cleared flag on a cut file.
    EXPECT_EQ(valid, !settings.getFileFlag(QStringLiteral("pim_index1.dat")));
}

}  // namespace
}  // namespace kontavo
