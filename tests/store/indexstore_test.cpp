#include "store/index/indexstore.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QtEndian>

#include "diag/errorlog.h"
#include "diag/fatal.h"
#include "store/index/buffermemory.h"
#include "store/index/indexlayout.h"
#include "store/index/prefixlists.h"
#include "store/index/treereader.h"
#include "support/tempdevice.h"

namespace kontavo {
namespace {

using namespace indexlayout;
using Tree = IndexStore::Tree;
using Oids = std::vector<Oid>;

// An empty index in a buffer that may grow to `capacity` bytes.
struct Index {
    explicit Index(uint32_t capacity = 8 << 20)
        : memory(QByteArray(int(IndexStore::sizeFor(0)), '\0'), capacity), store(memory) {
        EXPECT_TRUE(store.initialise());
    }
    uint32_t word(uint32_t offset) const {
        return qFromLittleEndian<uint32_t>(memory.data() + offset);
    }
    uint16_t half(uint32_t offset) const {
        return qFromLittleEndian<uint16_t>(memory.data() + offset);
    }
    void expectConsistent() const {
        QString problem;
        EXPECT_TRUE(store.check(&problem)) << problem.toStdString();
    }
    BufferMemory memory;
    IndexStore store;
};

TEST(IndexStoreTest, SizesOfNewStores) {
    EXPECT_EQ(IndexStore::sizeFor(0), 10284u);
    EXPECT_EQ(IndexStore::sizeFor(10239), 10284u);
    EXPECT_EQ(IndexStore::sizeFor(10240), 10284u);
    EXPECT_EQ(IndexStore::sizeFor(10241), 10288u);
    EXPECT_EQ(IndexStore::sizeFor(20000), 20044u);
}

TEST(IndexStoreTest, EmptyStoreLayout) {
    Index index;
    EXPECT_EQ(index.memory.size(), 10284u);
    EXPECT_EQ(index.word(0), 1u);
    EXPECT_EQ(index.word(4), 5u);
    EXPECT_EQ(index.word(kSpaceTableAt), kSpaceSignature);
    // Each tree, map and list is a 4-byte item holding 0.
    for (uint32_t at :
         {kRootAt[0], kRootAt[1], kMapAt[0], kMapAt[1], kListAt[0], kListAt[1], kRecordMapAt}) {
        const uint32_t item = index.word(at);
        EXPECT_GE(item, kHeapStart) << at;
        EXPECT_EQ(index.word(item), 0u) << at;
    }
    EXPECT_EQ(index.word(kRootAt[0]), kHeapStart);
    EXPECT_EQ(index.word(kSpaceTableAt + kSpaceTopAt), kHeapStart + 7 * 4);
    index.expectConsistent();
    EXPECT_TRUE(index.store.findPrefix(Tree::Words, u"a").empty());
}

TEST(IndexStoreTest, FirstWordIsOneNodeWithATail) {
    Index index;
    ASSERT_TRUE(index.store.insertWord(Tree::Words, u"abc", 7));
    const uint32_t node = index.word(kRootAt[0]);
    EXPECT_EQ(index.word(node + 0), 0u);  // parent
    EXPECT_EQ(index.word(node + 4), 0u);
    EXPECT_EQ(index.word(node + 8), 0u);
    EXPECT_EQ(index.word(node + 12), 0u);
    EXPECT_EQ(index.half(node + 20), u'a');
    EXPECT_EQ(index.memory.data()[node + 22], 255);
    const uint32_t tail = index.word(node + 24);
    EXPECT_EQ(index.half(tail), u'b');
    EXPECT_EQ(index.half(tail + 2), u'c');
    EXPECT_EQ(index.half(tail + 4), 0u);
    const uint32_t list = index.word(node + 16);
    EXPECT_EQ(index.word(list), 1u);
    EXPECT_EQ(index.word(list + 4), 7u);
    // The Oid map pairs the contact with its node list, a one-chunk ring.
    const uint32_t map = index.word(kMapAt[0]);
    EXPECT_EQ(index.word(map), 1u);
    EXPECT_EQ(index.word(map + 4), 7u);
    const uint32_t chunk = index.word(map + 8);
    EXPECT_EQ(index.word(chunk + 0), chunk);
    EXPECT_EQ(index.word(chunk + 4), chunk);
    EXPECT_EQ(index.word(chunk + 8), 1u);
    EXPECT_EQ(index.word(chunk + 12), node);
    index.expectConsistent();
}

TEST(IndexStoreTest, SharedPrefixSplitsTheTail) {
    Index index;
    index.store.insertWord(Tree::Words, u"ab", 7);
    index.store.insertWord(Tree::Words, u"ac", 9);
    const uint32_t a = index.word(kRootAt[0]);
    EXPECT_EQ(index.memory.data()[a + 22], 0);  // the tail moved down
    EXPECT_EQ(index.word(a + 16), 0u);          // no word ends at "a"
    const uint32_t b = index.word(a + 8);
    EXPECT_EQ(index.half(b + 20), u'b');
    EXPECT_EQ(index.word(b + 0), a);
    const uint32_t c = index.word(b + 4);  // 'c' > 'b': the higher sibling
    EXPECT_EQ(index.half(c + 20), u'c');
    EXPECT_EQ(index.word(c + 0), b);
    EXPECT_EQ(index.store.wordsOf(Tree::Words, 7), QStringList{"ab"});
    EXPECT_EQ(index.store.wordsOf(Tree::Words, 9), QStringList{"ac"});
    index.expectConsistent();
    // A word ending inside another one's path.
    index.store.insertWord(Tree::Words, u"a", 11);
    EXPECT_EQ(index.store.findPrefix(Tree::Words, u"a"), (Oids{7, 9, 11}));
    EXPECT_EQ(index.store.findPrefix(Tree::Words, u"ab"), (Oids{7}));
    index.expectConsistent();
}

TEST(IndexStoreTest, PrefixLookupsAcrossTailsAndSiblings) {
    Index index;
    index.store.insertWord(Tree::Words, u"alexander", 3);
    index.store.insertWord(Tree::Words, u"alex", 1);
    index.store.insertWord(Tree::Words, u"bob", 2);
    index.store.insertWord(Tree::Words, u"alina", 2);
    index.store.insertWord(Tree::Words, u"~76543215551", 4);
    EXPECT_EQ(index.store.findPrefix(Tree::Words, u"a"), (Oids{1, 2, 3}));
    EXPECT_EQ(index.store.findPrefix(Tree::Words, u"al"), (Oids{1, 2, 3}));
    EXPECT_EQ(index.store.findPrefix(Tree::Words, u"alex"), (Oids{1, 3}));
    EXPECT_EQ(index.store.findPrefix(Tree::Words, u"alexa"), (Oids{3}));
    EXPECT_EQ(index.store.findPrefix(Tree::Words, u"alexanderx"), Oids{});
    EXPECT_EQ(index.store.findPrefix(Tree::Words, u"b"), (Oids{2}));
    EXPECT_EQ(index.store.findPrefix(Tree::Words, u"c"), Oids{});
    EXPECT_EQ(index.store.findPrefix(Tree::Words, u"~765"), (Oids{4}));
    EXPECT_EQ(index.store.findPrefix(Tree::Words, u""), (Oids{1, 2, 3, 4}));
    EXPECT_EQ(index.store.findPrefix(Tree::Groups, u"a"), Oids{});
    EXPECT_EQ(index.store.findAll(Tree::Words, {"al", "b"}), (Oids{2}));
    EXPECT_EQ(index.store.findAll(Tree::Words, {"al", "c"}), Oids{});
    EXPECT_FALSE(index.store.insertWord(Tree::Words, QStringView(u"x\0y", 3), 5));
    EXPECT_FALSE(index.store.insertWord(Tree::Words, u"", 5));
    index.expectConsistent();
}

TEST(IndexStoreTest, ListsRecordsAndNarrowing) {
    Index index;
    for (Oid oid : {30u, 10u, 20u}) {
        ASSERT_TRUE(index.store.addContact(oid, 28 + oid));
        index.store.insertWord(Tree::Words, u"smith", oid);
    }
    index.store.setListed(IndexStore::kListOne, 20, true);
    EXPECT_EQ(index.store.oids(0), (Oids{10, 20, 30}));
    EXPECT_EQ(index.store.recordOf(20), 48u);
    EXPECT_FALSE(index.store.recordOf(40));
    EXPECT_EQ(index.store.findPrefix(Tree::Words, u"sm", 1), (Oids{20}));
    EXPECT_EQ(index.store.findAll(Tree::Words, {}, 0), (Oids{10, 20, 30}));
    EXPECT_EQ(index.store.findAll(Tree::Words, {"smi"}, 1), (Oids{20}));
    ASSERT_TRUE(index.store.removeContact(20));
    EXPECT_EQ(index.store.oids(0), (Oids{10, 30}));
    EXPECT_EQ(index.store.oids(1), Oids{});
    EXPECT_FALSE(index.store.recordOf(20));
    EXPECT_EQ(index.store.findPrefix(Tree::Words, u"smith"), (Oids{10, 30}));
    index.expectConsistent();
}

TEST(IndexStoreTest, RemovingEveryContactLeavesAnEmptyTreeAndNoLeak) {
    Index index;
    const QStringList words{"anna", "anton", "bob", "boris", "an", "zed", "a", "b"};
    for (Oid oid = 1; oid <= 6; ++oid) {
        index.store.addContact(oid, 0);
        for (int i = 0; i < words.size(); ++i) {
            if ((i + oid) % 3 != 0) {
                index.store.insertWord(Tree::Words, words[i], oid);
                index.store.insertWord(Tree::Groups, words[i].left(2), oid);
            }
        }
    }
    index.expectConsistent();
    for (Oid oid : {3u, 1u, 6u, 2u, 5u, 4u}) {
        ASSERT_TRUE(index.store.removeContact(oid));
        index.expectConsistent();
    }
    for (int tree : {0, 1}) {
        const uint32_t root = index.word(kRootAt[tree]);
        EXPECT_EQ(index.word(root), 0u);
        EXPECT_EQ(index.word(index.word(kMapAt[tree])), 0u);
    }
    EXPECT_TRUE(index.store.findPrefix(Tree::Words, u"a").empty());
}

TEST(IndexStoreTest, ClearWordsKeepsContacts) {
    Index index;
    index.store.addContact(5, 100);
    index.store.insertWord(Tree::Words, u"word", 5);
    index.store.insertWord(Tree::Groups, u"wmtd", 5);
    ASSERT_TRUE(index.store.clearWords());
    EXPECT_TRUE(index.store.findPrefix(Tree::Words, u"w").empty());
    EXPECT_TRUE(index.store.findPrefix(Tree::Groups, u"w").empty());
    EXPECT_EQ(index.store.oids(0), (Oids{5}));
    EXPECT_EQ(index.store.recordOf(5), 100u);
    index.expectConsistent();
}

TEST(IndexStoreTest, GrowsInSteps) {
    Index index;
    for (Oid oid = 1; oid <= 300; ++oid) {
        index.store.insertWord(Tree::Words, QStringLiteral("word%1").arg(oid), oid);
    }
    EXPECT_EQ(index.memory.size(), 10284u + 102400u);
    EXPECT_EQ(index.store.findPrefix(Tree::Words, u"word29").size(), 11u);
    index.expectConsistent();
}

TEST(IndexStoreTest, StoreThatCannotGrowIsFatal) {
    test::TempDevice device;
    setLogModule(QString());
    setLogDevice(&device.fs());
    Index index(20000);
    try {
        for (Oid oid = 1; oid <= 1000; ++oid) {
            index.store.insertWord(Tree::Words, QStringLiteral("word%1").arg(oid), oid);
        }
        FAIL() << "no fatal error";
    } catch (const FatalError& error) {
        EXPECT_EQ(error.code(), 0xEFFFFFFFu);
    }
    setLogDevice(nullptr);
    QFile log(device.host(QStringLiteral("\\error.log")));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_TRUE(
        log.readAll().endsWith("Unable open memory as mapped file!!!\tIndexStore:  (163)\r\n"));
}

TEST(IndexStoreTest, StoreWithoutSpaceTableIsReadAndRebuiltOnChange) {
    Index index;
    index.store.addContact(4, 64);
    index.store.insertWord(Tree::Words, u"alpha", 4);
    index.store.insertWord(Tree::Words, u"beta", 4);
    index.store.insertWord(Tree::Words, u"alps", 8);
    // As another program might write it: no space table.
    QByteArray bytes = index.memory.bytes();
    qToLittleEndian<uint32_t>(0, bytes.data() + kSpaceTableAt);
    BufferMemory foreign(bytes, 1 << 20);
    IndexStore store(foreign);
    ASSERT_TRUE(store.open());
    EXPECT_EQ(store.findPrefix(Tree::Words, u"alp"), (Oids{4, 8}));
    ASSERT_TRUE(store.insertWord(Tree::Words, u"gamma", 8));
    QString problem;
    EXPECT_TRUE(store.check(&problem)) << problem.toStdString();
    EXPECT_EQ(store.findPrefix(Tree::Words, u"alp"), (Oids{4, 8}));
    EXPECT_EQ(store.findPrefix(Tree::Words, u"g"), (Oids{8}));
    EXPECT_EQ(store.recordOf(4), 64u);
    EXPECT_EQ(store.oids(0), (Oids{4}));
}

TEST(IndexStoreTest, OpenChecksMagicAndVersion) {
    Index index;
    QByteArray bytes = index.memory.bytes();
    BufferMemory good(bytes);
    EXPECT_TRUE(IndexStore(good).open());
    bytes[4] = 6;
    BufferMemory wrongVersion(bytes);
    EXPECT_FALSE(IndexStore(wrongVersion).open());
    BufferMemory tooShort(bytes.left(30));
    EXPECT_FALSE(IndexStore(tooShort).open());
}

// Stores written by an earlier build keep prefix lists two characters deep.
// Nothing here reads them; they are accepted while exact, reported when
// stale, and dropped by the first change (which would make them stale).
TEST(IndexStoreTest, DeeperPrefixListsOfEarlierBuildsGoAtTheFirstChange) {
    Index index;
    for (const auto& [word, oid] : std::vector<std::pair<const char16_t*, Oid>>{
             {u"alpha", 4}, {u"alps", 8}, {u"alto", 12}, {u"beta", 4}, {u"bet", 16}}) {
        index.store.addContact(oid, 64 + oid);
        ASSERT_TRUE(index.store.insertWord(Tree::Words, word, oid));
    }
    CheckedBytes bytes(index.memory);
    IndexHeap heap(bytes);
    const TreeReader reader(heap, 0);
    PrefixLists lists(heap, 0);
    const uint32_t al = reader.locate(u"al").node;
    const uint32_t be = reader.locate(u"be").node;
    ASSERT_NE(al, 0u);
    lists.set(al, reader.find(u"al"));
    lists.set(be, reader.find(u"be"));
    ASSERT_EQ(lists.entries().size(), 4u);  // "a", "b" and the two planted
    index.expectConsistent();
    EXPECT_EQ(index.store.findPrefix(Tree::Words, u"al"), (Oids{4, 8, 12}));

    lists.set(be, {16});  // stale, as if a word had gone without it
    QString problem;
    EXPECT_FALSE(index.store.check(&problem));
    EXPECT_TRUE(problem.contains(QStringLiteral("stale"))) << problem.toStdString();
    // Never read: the lookup walks the node.
    EXPECT_EQ(index.store.findPrefix(Tree::Words, u"be"), (Oids{4, 16}));

    ASSERT_TRUE(index.store.open());
    ASSERT_TRUE(index.store.insertWord(Tree::Words, u"alder", 20));
    EXPECT_EQ(lists.listOf(al), 0u);
    EXPECT_EQ(lists.listOf(be), 0u);
    EXPECT_EQ(lists.entries().size(), 2u);
    index.expectConsistent();
    EXPECT_EQ(index.store.findPrefix(Tree::Words, u"al"), (Oids{4, 8, 12, 20}));
    EXPECT_EQ(index.store.findPrefix(Tree::Words, u"a"), (Oids{4, 8, 12, 20}));
}

}  // namespace
}  // namespace kontavo
