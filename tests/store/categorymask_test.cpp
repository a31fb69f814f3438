#include "store/contacts/categorymask.h"

#include <gtest/gtest.h>

#include "store/contacts/categoryfilter.h"
#include "store/contacts/categorylisting.h"

namespace kontavo {
namespace {

QByteArray bytes(std::initializer_list<int> values) {
    QByteArray out;
    for (int v : values) {
        out.append(char(v));
    }
    return out;
}

TEST(CategoryMaskTest, MasksAreWholeWordsAsLongAsTheHighestPosition) {
    const QByteArray mask = categorymask::fromPositions({33, 0});
    EXPECT_EQ(mask, bytes({0x01, 0, 0, 0, 0x02, 0, 0, 0}));
    EXPECT_EQ(categorymask::fromPositions({31}), bytes({0, 0, 0, 0x80}));
    EXPECT_EQ(categorymask::fromPositions({32}), bytes({0, 0, 0, 0, 1, 0, 0, 0}));
    // No selection, or only positions that are no positions: one zero byte.
    EXPECT_EQ(categorymask::fromPositions({}), bytes({0}));
    EXPECT_EQ(categorymask::fromPositions({-1, 0x8000}), bytes({0}));
    EXPECT_EQ(categorymask::positions(mask), (QList<int>{0, 33}));
}

// A mask read from a record, of any length, gives the same positions back
// when rebuilt the way this program writes masks.
TEST(CategoryMaskTest, StoredMasksRoundTripThroughTheirPositions) {
    const QList<QByteArray> stored = {bytes({0x00, 0x00}), bytes({0x81}),
                                      bytes({0, 0, 0, 0, 0, 0x40}), QByteArray(4096, char(0xFF))};
    for (const QByteArray& mask : stored) {
        const QByteArray rebuilt = categorymask::fromPositions(categorymask::positions(mask));
        EXPECT_EQ(categorymask::positions(rebuilt), categorymask::positions(mask));
        EXPECT_TRUE(rebuilt.size() == 1 || rebuilt.size() % 4 == 0);
    }
    EXPECT_EQ(categorymask::positions(QByteArray(4096, char(0xFF))).last(), 0x7FFF);
}

TEST(CategoryMaskTest, BitsPastTheEndOfAShortMaskAreClear) {
    const QByteArray mask = bytes({0x80});
    EXPECT_TRUE(categorymask::hasBit(mask, 7));
    EXPECT_FALSE(categorymask::hasBit(mask, 8));
    EXPECT_FALSE(categorymask::hasBit(mask, -1));
    EXPECT_FALSE(categorymask::intersects(bytes({0x01}), bytes({0x00, 0x01})));
    EXPECT_TRUE(categorymask::intersects(bytes({0x00, 0x01}), bytes({0x10, 0x01, 0xFF})));
}

TEST(CategoryMaskTest, NoCategoryFilterKeepsMasksWithoutBits) {
    const CategoryFilter none = CategoryFilter::none();
    EXPECT_TRUE(none.keeps(QByteArray()));
    EXPECT_TRUE(none.keeps(bytes({0})));
    EXPECT_TRUE(none.keeps(bytes({0, 0, 0, 0})));
    EXPECT_FALSE(none.keeps(bytes({0, 0, 0, 4})));
    // A selection of nothing is the same filter.
    EXPECT_TRUE(CategoryFilter::sharing(bytes({0})).keeps(QByteArray()));
    EXPECT_FALSE(CategoryFilter::sharing(bytes({0})).keeps(bytes({1})));
    const CategoryFilter second = CategoryFilter::sharing(bytes({0x02}));
    EXPECT_TRUE(second.keeps(bytes({0x03, 0, 0, 0})));
    EXPECT_FALSE(second.keeps(bytes({0x01})));
    EXPECT_FALSE(second.keeps(QByteArray()));
}

TEST(CategoryMaskTest, IndicesOfMaskFollowTheGivenListOrder) {
    // A list sorted by name, not by position.
    const QList<Category> list = {{10, "Alpha", 5, true},
                                  {11, "Beta", 0, true},
                                  {12, "Gamma", 33, false},
                                  {13, "Delta", 2, true}};
    EXPECT_EQ(categorylisting::indicesOfMask(list, categorymask::fromPositions({0, 33, 7})),
              (QList<int>{1, 2}));
    EXPECT_EQ(categorylisting::maskOf({list[1], list[2]}), categorymask::fromPositions({0, 33}));
    EXPECT_EQ(categorylisting::maskOf({{14, "None", -1, true}}), bytes({0}));
}

}  // namespace
}  // namespace kontavo
