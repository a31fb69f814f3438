#include "list/listimages.h"

#include <gtest/gtest.h>

namespace kontavo {
namespace {

const Screen kNormal(96, 96);
const Screen kHigh(192, 192);

TEST(ListImagesTest, EachBitmapComesInBothSetsAtDoubleSize) {
    struct Pair {
        int normal;
        int high;
        QSize size;
    };
    const Pair pairs[] = {
        {166, 273, {16, 12}}, {241, 268, {180, 90}}, {242, 269, {180, 90}}, {368, 369, {16, 18}}};
    for (const Pair& pair : pairs) {
        EXPECT_EQ(loadBitmapOfSet(pair.normal, pair.high, kNormal).size(), pair.size)
            << pair.normal;
        EXPECT_EQ(loadBitmapOfSet(pair.normal, pair.high, kHigh).size(), pair.size * 2)
            << pair.high;
    }
}

TEST(ListImagesTest, SearchGlyphAndBusyFramesFillTheClearButton) {
    for (const auto& [normal, high] :
         {std::pair{200, 301}, {251, 303}, {252, 304}, {253, 305}, {254, 306}}) {
        EXPECT_EQ(loadIconOfSet(normal, high, kNormal).size(), QSize(12, 12)) << normal;
        EXPECT_EQ(loadIconOfSet(normal, high, kHigh).size(), QSize(24, 24)) << high;
    }
    EXPECT_TRUE(loadIconOfSet(301, 200, kNormal).isNull()) << "each set has its own ids";
}

TEST(ListImagesTest, TheCategoryButtonArrowComesInBothSetsAndPointsDown) {
    const QImage normal = loadIconOfSet(119, 300, kNormal).toImage();
    ASSERT_EQ(normal.size(), QSize(8, 8));
    EXPECT_EQ(loadIconOfSet(119, 300, kHigh).size(), QSize(16, 16));
    // Wide at the top, a point at the bottom, nothing outside.
    const auto inked = [&](int y) {
        int count = 0;
        for (int x = 0; x < normal.width(); ++x) {
            count += qAlpha(normal.pixel(x, y)) > 128;
        }
        return count;
    };
    EXPECT_GT(inked(3), inked(4));
    EXPECT_GT(inked(4), 0);
    EXPECT_EQ(inked(0), 0);
}

TEST(ListImagesTest, MagentaIsSeeThroughWhenAsked) {
    const QImage keyed = loadBitmapOfSet(166, 273, kNormal, true).toImage();
    EXPECT_EQ(qAlpha(keyed.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(keyed.pixel(10, 1)), 255) << "the glyph itself";
    const QImage plain = loadBitmapOfSet(166, 273, kNormal).toImage();
    EXPECT_EQ(plain.pixel(0, 0), qRgb(0xFF, 0x00, 0xFF));
}

}  // namespace
}  // namespace kontavo
