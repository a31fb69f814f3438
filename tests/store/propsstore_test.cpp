#include "store/propsstore.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QtEndian>

#include "diag/errorlog.h"
#include "diag/fatal.h"
#include "store/buffermemory.h"
#include "support/tempdevice.h"

namespace kontavo {
namespace {

uint32_t wordAt(const QByteArray& bytes, uint32_t offset) {
    return qFromLittleEndian<uint32_t>(bytes.constData() + offset);
}

QByteArray record(int length, char fill) {
    return QByteArray(length, fill);
}

// A store of `size` bytes with room to grow, opened empty.
struct Fixture {
    explicit Fixture(uint32_t size = 1024, uint32_t capacity = 1 << 20)
        : memory(QByteArray(int(size), '\0'), capacity), store(memory) {
        EXPECT_TRUE(store.initialise());
    }
    QByteArray bytes() const { return memory.bytes(); }
    BufferMemory memory;
    PropsStore store;
};

TEST(PropsStoreTest, BlockCountsAndSizes) {
    EXPECT_EQ(PropsStore::blocksFor(0), 1u);
    EXPECT_EQ(PropsStore::blocksFor(112), 1u);
    EXPECT_EQ(PropsStore::blocksFor(113), 2u);
    EXPECT_EQ(PropsStore::blocksFor(236), 2u);
    EXPECT_EQ(PropsStore::blocksFor(237), 3u);
    EXPECT_EQ(PropsStore::sizeFor(0), 1024u);
    EXPECT_EQ(PropsStore::sizeFor(1000), 1052u);         // 1000 + 10 + 40 = 1050 -> 1052
    EXPECT_EQ(PropsStore::sizeFor(100001), 101044u);     // 100001 + 1000 + 40 = 101041 -> 101044
    EXPECT_EQ(PropsStore::grownSize(1024, 128), 1164u);  // 1152 * 1.01 = 1163.52 -> 1164
    EXPECT_EQ(PropsStore::grownSize(1000, 200), 1212u);  // exactly 1212
}

TEST(PropsStoreTest, EmptyStoreHeader) {
    Fixture f;
    const QByteArray bytes = f.bytes();
    EXPECT_EQ(wordAt(bytes, 0), 1u);
    EXPECT_EQ(wordAt(bytes, 4), 5u);
    for (uint32_t at = 8; at < 28; at += 4) {
        EXPECT_EQ(wordAt(bytes, at), 0u) << at;
    }
    f.store.setLastModified(0x0123456789ABCDEFull);
    f.store.setBusy(true);
    EXPECT_EQ(wordAt(f.bytes(), 8), 0x89ABCDEFu);
    EXPECT_EQ(wordAt(f.bytes(), 12), 0x01234567u);
    EXPECT_EQ(wordAt(f.bytes(), 16), 1u);
    EXPECT_TRUE(f.store.isBusy());
    EXPECT_EQ(f.store.lastModified(), 0x0123456789ABCDEFull);
}

TEST(PropsStoreTest, RecordOf112BytesTakesOneBlockAnd113Two) {
    Fixture f;
    QByteArray exact(112, '\0');
    for (int i = 0; i < 112; ++i) {
        exact[i] = char(i + 1);
    }
    const auto first = f.store.insert(exact);
    ASSERT_EQ(first, 28u);
    const auto second = f.store.insert(exact + "x");
    ASSERT_EQ(second, 28u + 128);
    const QByteArray bytes = f.bytes();
    // First record: one block, no further block.
    EXPECT_EQ(wordAt(bytes, 28 + 0), 0u);
    EXPECT_EQ(wordAt(bytes, 28 + 4), 112u);
    EXPECT_EQ(bytes.mid(28 + 16, 112), exact);
    // Second record: a first block and one further block right after it.
    EXPECT_EQ(wordAt(bytes, 156 + 0), 284u);
    EXPECT_EQ(wordAt(bytes, 156 + 4), 113u);
    EXPECT_EQ(bytes.mid(156 + 16, 112), exact);
    EXPECT_EQ(wordAt(bytes, 284 + 0), 0u);
    EXPECT_EQ(bytes.at(284 + 4), 'x');
    EXPECT_EQ(bytes.mid(284 + 5, 123), QByteArray(123, '\0'));
    EXPECT_EQ(f.store.read(*second), exact + "x");
    EXPECT_EQ(f.store.freeBlocks(), 7u - 3u);  // (1024 - 28) / 128 = 7 blocks
}

TEST(PropsStoreTest, CircularListLinksNewRecordsBeforeTheHead) {
    Fixture f;
    const uint32_t a = *f.store.insert("a");
    QByteArray bytes = f.bytes();
    EXPECT_EQ(wordAt(bytes, 20), a);  // head
    EXPECT_EQ(wordAt(bytes, 24), 1u);
    EXPECT_EQ(wordAt(bytes, a + 8), a);  // links to itself both ways
    EXPECT_EQ(wordAt(bytes, a + 12), a);
    const uint32_t b = *f.store.insert("b");
    const uint32_t c = *f.store.insert("c");
    bytes = f.bytes();
    EXPECT_EQ(wordAt(bytes, 20), a);
    EXPECT_EQ(wordAt(bytes, 24), 3u);
    // a -> b -> c -> a, and back.
    EXPECT_EQ(wordAt(bytes, a + 12), b);
    EXPECT_EQ(wordAt(bytes, b + 12), c);
    EXPECT_EQ(wordAt(bytes, c + 12), a);
    EXPECT_EQ(wordAt(bytes, a + 8), c);
    EXPECT_EQ(wordAt(bytes, b + 8), a);
    EXPECT_EQ(wordAt(bytes, c + 8), b);
    EXPECT_EQ(f.store.records(), (std::vector<uint32_t>{a, b, c}));

    // Removing the head moves it to the next record.
    ASSERT_TRUE(f.store.remove(a));
    bytes = f.bytes();
    EXPECT_EQ(wordAt(bytes, 20), b);
    EXPECT_EQ(wordAt(bytes, 24), 2u);
    EXPECT_EQ(wordAt(bytes, b + 8), c);
    EXPECT_EQ(wordAt(bytes, c + 12), b);
    // A middle removal links the neighbours; the last removal clears the head.
    ASSERT_TRUE(f.store.remove(c));
    bytes = f.bytes();
    EXPECT_EQ(wordAt(bytes, b + 8), b);
    EXPECT_EQ(wordAt(bytes, b + 12), b);
    ASSERT_TRUE(f.store.remove(b));
    bytes = f.bytes();
    EXPECT_EQ(wordAt(bytes, 20), 0u);
    EXPECT_EQ(wordAt(bytes, 24), 0u);
    EXPECT_FALSE(f.store.remove(b));
}

TEST(PropsStoreTest, GrowsByOnePercentOverWhatIsNeeded) {
    Fixture f;
    for (int i = 0; i < 7; ++i) {
        ASSERT_TRUE(f.store.insert(record(100, char('a' + i))));
    }
    EXPECT_EQ(f.memory.size(), 1024u);
    const auto offset = f.store.insert(record(200, 'z'));  // two blocks, none free
    ASSERT_TRUE(offset);
    EXPECT_EQ(f.memory.size(), PropsStore::grownSize(1024, 256));
    EXPECT_EQ(f.store.read(*offset), record(200, 'z'));
    EXPECT_EQ(f.store.read(28), record(100, 'a'));
}

TEST(PropsStoreTest, StoreThatCannotGrowIsFatal) {
    test::TempDevice device;
    setLogModule(QString());
    setLogDevice(&device.fs());
    Fixture f(1024, 1024);
    for (int i = 0; i < 7; ++i) {
        ASSERT_TRUE(f.store.insert("x"));
    }
    try {
        f.store.insert("y");
        FAIL() << "no fatal error";
    } catch (const FatalError& error) {
        EXPECT_EQ(error.code(), 0xEFFFFFFFu);
    }
    setLogDevice(nullptr);
    QFile log(device.host(QStringLiteral("\\error.log")));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_TRUE(
        log.readAll().endsWith("Unable open memory as mapped file!!!\tPropsStore:  (166)\r\n"));
}

TEST(PropsStoreTest, RewriteKeepsTheFirstBlockAndResizesTheChain) {
    Fixture f;
    const uint32_t a = *f.store.insert(record(50, 'a'));
    const uint32_t b = *f.store.insert(record(50, 'b'));
    ASSERT_TRUE(f.store.rewrite(a, record(300, 'A')));  // 3 blocks now
    EXPECT_EQ(f.store.read(a), record(300, 'A'));
    EXPECT_EQ(f.store.read(b), record(50, 'b'));
    EXPECT_EQ(f.store.records(), (std::vector<uint32_t>{a, b}));
    EXPECT_EQ(f.store.freeBlocks(), 7u - 4u);
    ASSERT_TRUE(f.store.rewrite(a, record(10, 'q')));
    EXPECT_EQ(f.store.read(a), record(10, 'q'));
    EXPECT_EQ(f.store.freeBlocks(), 7u - 2u);
    EXPECT_FALSE(f.store.rewrite(28 + 2 * 128, "a freed block starts no record"));
}

TEST(PropsStoreTest, FreedBlocksAreReusedLowestFirstAndFoundAgainOnOpen) {
    Fixture f;
    const uint32_t a = *f.store.insert(record(300, 'a'));  // blocks 0..2
    const uint32_t b = *f.store.insert(record(10, 'b'));   // block 3
    ASSERT_TRUE(f.store.remove(a));
    EXPECT_EQ(f.bytes().mid(28, 3 * 128), QByteArray(3 * 128, '\0'));  // freed blocks are wiped
    PropsStore reopened(f.memory);
    ASSERT_TRUE(reopened.open());
    EXPECT_EQ(reopened.freeBlocks(), 6u);
    const uint32_t c = *reopened.insert(record(200, 'c'));
    EXPECT_EQ(c, 28u);
    EXPECT_EQ(reopened.read(c), record(200, 'c'));
    EXPECT_EQ(reopened.read(b), record(10, 'b'));
    EXPECT_EQ(reopened.records(), (std::vector<uint32_t>{b, c}));
}

TEST(PropsStoreTest, OpenRefusesDamagedStores) {
    Fixture f;
    const uint32_t a = *f.store.insert(record(200, 'a'));
    *f.store.insert("b");
    const QByteArray good = f.bytes();
    auto opens = [](QByteArray bytes) {
        BufferMemory memory(bytes);
        return PropsStore(memory).open();
    };
    EXPECT_TRUE(opens(good));
    EXPECT_FALSE(opens(good.left(27)));
    auto patched = [&](uint32_t at, uint32_t value) {
        QByteArray bytes = good;
        qToLittleEndian<uint32_t>(value, bytes.data() + at);
        return bytes;
    };
    EXPECT_FALSE(opens(patched(0, 2)));           // magic
    EXPECT_FALSE(opens(patched(4, 4)));           // version
    EXPECT_FALSE(opens(patched(24, 3)));          // count beyond the ring
    EXPECT_FALSE(opens(patched(20, 30)));         // head not on a block
    EXPECT_FALSE(opens(patched(a, a)));           // chain loops on itself
    EXPECT_FALSE(opens(patched(a + 4, 100000)));  // length beyond the chain
    EXPECT_FALSE(opens(patched(a + 12, a)));      // next record skips the second
    EXPECT_TRUE(opens(patched(16, 1)));           // a busy flag is the caller's matter
}

TEST(PropsStoreTest, ReadRejectsOffsetsThatNameNoRecord) {
    Fixture f;
    const uint32_t a = *f.store.insert(record(200, 'a'));
    EXPECT_FALSE(f.store.read(0));
    EXPECT_FALSE(f.store.read(a + 128));  // the second block of the chain
    EXPECT_FALSE(f.store.read(a + 4));
    EXPECT_FALSE(f.store.read(5000));
}

}  // namespace
}  // namespace kontavo
