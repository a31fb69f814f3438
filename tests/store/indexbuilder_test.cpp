// The bulk build of an index store against the same words filed one by one.
#include "store/index/indexbuilder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <set>

#include "store/index/buffermemory.h"
#include "store/index/indexstore.h"
#include "store/index/treebuilder.h"
#include "store/index/treereader.h"

namespace kontavo {
namespace {

using Tree = IndexStore::Tree;

// Words per contact and tree, for both ways of building.
struct Contents {
    std::map<Oid, uint32_t> records;
    std::map<Oid, std::vector<QString>> words[2];
};

QString randomWord(std::mt19937& random, int maxLength) {
    static const QString alphabet = QStringLiteral("abcz~7\u0434") + QChar(0xFFFF);
    QString word;
    const int length = 1 + int(random() % maxLength);
    for (int i = 0; i < length; ++i) {
        word.append(alphabet[int(random() % alphabet.size())]);
    }
    return word;
}

Contents randomContents(std::mt19937& random, int contacts, int maxLength) {
    Contents c;
    for (int i = 0; i < contacts; ++i) {
        const Oid oid = 10 + uint32_t(random() % 5000);
        c.records[oid] = 28 + 128 * uint32_t(i);
        for (auto& tree : c.words) {
            std::set<QString> unique;
            for (int n = int(random() % 12); n > 0; --n) {
                unique.insert(randomWord(random, maxLength));
            }
            tree[oid].assign(unique.begin(), unique.end());
        }
    }
    return c;
}

QByteArray buildOneByOne(const Contents& c) {
    BufferMemory memory(QByteArray(), 4 << 20);
    IndexStore store(memory);
    EXPECT_TRUE(store.initialise());
    for (const auto& [oid, record] : c.records) {
        store.addContact(oid, record);
        for (int tree = 0; tree < 2; ++tree) {
            for (const QString& word : c.words[tree].at(oid)) {
                store.insertWord(Tree(tree), word, oid);
            }
        }
    }
    return memory.bytes();
}

void buildInBulk(const Contents& c, BufferMemory& memory) {
    IndexContents contents;
    WordPostings words[2];
    std::vector<uint32_t> rankOf;
    // Contacts are numbered in a scrambled order, as a database returns them.
    std::vector<Oid> numbered;
    for (const auto& [oid, record] : c.records) {
        numbered.push_back(oid);
        contents.oids.push_back(oid);
        contents.records.push_back(record);
    }
    std::reverse(numbered.begin(), numbered.end());
    for (uint32_t n = 0; n < numbered.size(); ++n) {
        rankOf.push_back(uint32_t(numbered.size()) - 1 - n);
        for (int tree = 0; tree < 2; ++tree) {
            for (const QString& word : c.words[tree].at(numbered[n])) {
                words[tree].add(word, n);
            }
        }
    }
    for (int tree = 0; tree < 2; ++tree) {
        words[tree].finish(rankOf, uint32_t(numbered.size()));
        contents.words[tree] = &words[tree];
    }
    contents.listOne = {contents.oids.front()};
    ASSERT_TRUE(IndexBuilder::build(memory, contents, 7));
}

std::map<QString, std::vector<Oid>> allWords(const IndexStore& store, Tree tree) {
    std::map<QString, std::vector<Oid>> words;
    store.forEachWord(tree,
                      [&](const QString& w, const std::vector<Oid>& oids) { words[w] = oids; });
    return words;
}

void expectSameStores(const IndexStore& bulk, const IndexStore& single, std::mt19937& random) {
    QString problem;
    ASSERT_TRUE(bulk.check(&problem)) << problem.toStdString();
    EXPECT_EQ(bulk.records(), single.records());
    EXPECT_EQ(bulk.oids(0), single.oids(0));
    for (Tree tree : {Tree::Words, Tree::Groups}) {
        ASSERT_EQ(allWords(bulk, tree), allWords(single, tree));
        for (int i = 0; i < 200; ++i) {
            const QString prefix = randomWord(random, 3);
            ASSERT_EQ(bulk.findPrefix(tree, prefix), single.findPrefix(tree, prefix))
                << prefix.toStdString();
        }
        for (Oid oid : single.oids(0)) {
            QStringList a = bulk.wordsOf(tree, oid);
            QStringList b = single.wordsOf(tree, oid);
            a.sort();
            b.sort();
            ASSERT_EQ(a, b) << oid;
        }
    }
}

TEST(IndexBuilderTest, ABulkBuildHoldsWhatFilingWordByWordHolds) {
    std::mt19937 random(7);
    for (int round = 0; round < 20; ++round) {
        const Contents c = randomContents(random, 1 + int(random() % 120), round % 2 ? 3 : 9);
        BufferMemory single(buildOneByOne(c));
        IndexStore singleStore(single);
        ASSERT_TRUE(singleStore.open());
        BufferMemory bulk(QByteArray(), 4 << 20);
        buildInBulk(c, bulk);
        IndexStore bulkStore(bulk);
        ASSERT_TRUE(bulkStore.open());
        expectSameStores(bulkStore, singleStore, random);
        EXPECT_EQ(bulkStore.oids(1), std::vector<Oid>{c.records.begin()->first});
        EXPECT_LE(bulk.size(), single.size()) << "round " << round;
    }
}

TEST(IndexBuilderTest, ABulkBuiltStoreTakesFurtherChanges) {
    std::mt19937 random(11);
    const Contents c = randomContents(random, 300, 6);
    BufferMemory bulk(QByteArray(), 4 << 20);
    buildInBulk(c, bulk);
    IndexStore store(bulk);
    ASSERT_TRUE(store.open());
    std::vector<Oid> oids = store.oids(0);
    for (size_t i = 0; i < oids.size(); i += 3) {
        ASSERT_TRUE(store.removeContact(oids[i]));
    }
    for (Oid oid = 6000; oid < 6050; ++oid) {
        store.addContact(oid, 28);
        store.insertWord(Tree::Words, randomWord(random, 6), oid);
        store.insertWord(Tree::Groups, randomWord(random, 2), oid);
    }
    QString problem;
    EXPECT_TRUE(store.check(&problem)) << problem.toStdString();
    const std::vector<Oid> withWords = store.findPrefix(Tree::Words, u"");
    const std::vector<Oid> listed = store.oids(0);
    EXPECT_TRUE(std::includes(listed.begin(), listed.end(), withWords.begin(), withWords.end()));
    for (Oid oid = 6000; oid < 6050; ++oid) {
        EXPECT_TRUE(std::binary_search(withWords.begin(), withWords.end(), oid)) << oid;
    }
}

TEST(IndexBuilderTest, EmptyAndOneWordStores) {
    std::mt19937 random(3);
    Contents c;
    c.records[5] = 28;
    c.words[0][5] = {QStringLiteral("a")};
    c.words[1][5] = {};
    BufferMemory bulk(QByteArray(), 1 << 20);
    buildInBulk(c, bulk);
    IndexStore store(bulk);
    ASSERT_TRUE(store.open());
    BufferMemory single(buildOneByOne(c));
    IndexStore singleStore(single);
    ASSERT_TRUE(singleStore.open());
    expectSameStores(store, singleStore, random);
    EXPECT_TRUE(store.findPrefix(Tree::Groups, u"a").empty());
}

TEST(IndexBuilderTest, LongSharedPrefixesDoNotExhaustTheStack) {
    Contents c;
    const QString stem(20000, QLatin1Char('q'));
    for (Oid oid = 1; oid <= 3; ++oid) {
        c.records[oid] = 28;
        c.words[0][oid] = {stem + QString::number(oid), stem};
        c.words[1][oid] = {};
    }
    BufferMemory bulk(QByteArray(), 4 << 20);
    buildInBulk(c, bulk);
    IndexStore store(bulk);
    ASSERT_TRUE(store.open());
    QString problem;
    EXPECT_TRUE(store.check(&problem)) << problem.toStdString();
    EXPECT_EQ(store.findPrefix(Tree::Words, stem + "2"), std::vector<Oid>{2});
    EXPECT_EQ(store.findPrefix(Tree::Words, stem).size(), 3u);
}

// A word many contacts share is laid out a node per character: a word passing
// through a tail would move the tail's list and rewrite the node list of
// every contact on it.
TEST(IndexBuilderTest, OnlyWordsOfFewContactsEndInATail) {
    Contents c;
    const uint32_t many = uint32_t(TreeBuilder::kMostOnATail) + 1;
    for (Oid oid = 1; oid <= many; ++oid) {
        c.records[oid] = 28;
        c.words[0][oid] = {QStringLiteral("popularword")};
        c.words[1][oid] = {};
    }
    c.words[0][1].push_back(QStringLiteral("rareword"));
    BufferMemory bulk(QByteArray(), 4 << 20);
    buildInBulk(c, bulk);
    CheckedBytes bytes(bulk);
    const IndexHeap heap(bytes);
    const TreeReader reader(heap, 0);
    EXPECT_FALSE(reader.locate(u"popularword").inTail);
    EXPECT_TRUE(reader.locate(u"rareword").inTail);
    IndexStore store(bulk);
    ASSERT_TRUE(store.open());
    store.addContact(900, 28);
    ASSERT_TRUE(store.insertWord(Tree::Words, u"popular", 900));
    EXPECT_EQ(store.findPrefix(Tree::Words, u"popularw").size(), many);
    EXPECT_EQ(store.findPrefix(Tree::Words, u"popular").size(), many + 1);
    QString problem;
    EXPECT_TRUE(store.check(&problem)) << problem.toStdString();
}

}  // namespace
}  // namespace kontavo
