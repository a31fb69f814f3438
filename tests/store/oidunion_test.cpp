#include "store/index/oidunion.h"

#include <gtest/gtest.h>

#include <QtEndian>
#include <algorithm>
#include <random>
#include <set>

namespace kontavo {
namespace {

// Sorted unique Oids as an index store keeps them: little-endian words.
struct StoredList {
    std::vector<uint8_t> bytes;
    std::vector<uint32_t> oids;

    explicit StoredList(std::set<uint32_t> values) : oids(values.begin(), values.end()) {
        bytes.resize(oids.size() * 4);
        for (size_t i = 0; i < oids.size(); ++i) {
            qToLittleEndian<uint32_t>(oids[i], bytes.data() + 4 * i);
        }
    }
};

std::set<uint32_t> randomOids(std::mt19937& random, size_t count, uint32_t low, uint32_t span) {
    count = std::min<size_t>(count, span / 2);
    std::set<uint32_t> oids;
    while (oids.size() < count) {
        oids.insert(low + uint32_t(random() % span));
    }
    return oids;
}

// Unions and narrowings of lists of every shape (dense and sparse Oids, a
// few long lists among short ones, lists much longer than what they narrow)
// against plain set arithmetic.
TEST(OidUnionTest, UnionAndNarrowingMatchSetArithmetic) {
    std::mt19937 random(77);
    OidUnion both;  // reused, as the index reuses its objects
    for (int round = 0; round < 200; ++round) {
        const bool sparse = round % 4 == 0;
        const uint32_t low = sparse ? 1 : 0x10000 + uint32_t(random() % 1000);
        const uint32_t span = sparse ? 0xFFFFFFF0u : 5000 + uint32_t(random() % 200000);
        std::vector<StoredList> lists;
        const int listCount = int(random() % 6);
        for (int i = 0; i < listCount; ++i) {
            const size_t size = random() % 5 == 0 ? 2000 + random() % 8000 : random() % 40;
            lists.emplace_back(randomOids(random, size, low, span));
        }
        std::set<uint32_t> expected;
        for (const StoredList& list : lists) {
            both.add(list.bytes.data(), uint32_t(list.oids.size()));
            expected.insert(list.oids.begin(), list.oids.end());
        }
        std::vector<uint32_t> out{1, 2, 3};
        both.take(out);
        ASSERT_EQ(out, std::vector<uint32_t>(expected.begin(), expected.end())) << round;

        std::set<uint32_t> narrowed = randomOids(random, random() % 300, low, span);
        for (uint32_t oid : expected) {
            if (random() % 3 == 0) {
                narrowed.insert(oid);
            }
        }
        std::vector<uint32_t> kept(narrowed.begin(), narrowed.end());
        for (const StoredList& list : lists) {
            both.add(list.bytes.data(), uint32_t(list.oids.size()));
        }
        both.keepIn(kept);
        std::vector<uint32_t> wanted;
        std::set_intersection(narrowed.begin(), narrowed.end(), expected.begin(), expected.end(),
                              std::back_inserter(wanted));
        ASSERT_EQ(kept, wanted) << round;
    }
}

TEST(OidUnionTest, ALongListNarrowsAFewOidsUpToItsEnds) {
    std::set<uint32_t> many;
    for (uint32_t oid = 100; oid < 60100; oid += 2) {
        many.insert(oid);
    }
    const StoredList longList(many);
    const StoredList shortList(std::set<uint32_t>{7, 101});
    OidUnion lists;
    lists.add(longList.bytes.data(), uint32_t(longList.oids.size()));
    lists.add(shortList.bytes.data(), uint32_t(shortList.oids.size()));
    std::vector<uint32_t> few{7, 99, 100, 101, 30000, 30001, 60098, 60099};
    lists.keepIn(few);
    EXPECT_EQ(few, (std::vector<uint32_t>{7, 100, 101, 30000, 60098}));
}

TEST(OidUnionTest, EmptyListsAndEmptyResults) {
    OidUnion none;
    std::vector<uint32_t> out{5};
    none.add(nullptr, 0);
    none.take(out);
    EXPECT_TRUE(out.empty());
    std::vector<uint32_t> kept{1, 2};
    none.keepIn(kept);
    EXPECT_TRUE(kept.empty());
    const StoredList high(std::set<uint32_t>{0xFFFFFFFF, 0xFFFFFFFE});
    const StoredList lowOnes(std::set<uint32_t>{1, 2});
    none.add(high.bytes.data(), 2);
    none.add(lowOnes.bytes.data(), 2);
    none.take(out);
    EXPECT_EQ(out, (std::vector<uint32_t>{1, 2, 0xFFFFFFFE, 0xFFFFFFFF}));
}

}  // namespace
}  // namespace kontavo
