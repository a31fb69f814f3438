#include "store/itemkey.h"

#include <gtest/gtest.h>

namespace kontavo {
namespace {

TEST(ItemKeyTest, OddPositionsTakeTheLowByteHighAndAFlagForWideCharacters) {
    // 'a' + int16(0xC800)
    EXPECT_EQ(itemStringSum(u"a\u00C8"), 97 - 14336);
    // 'a' + 0x4101: the low byte 0x41 moves up, bit 0 marks a character above 0xFF
    EXPECT_EQ(itemStringSum(u"a\u0441"), 97 + 0x4101);
    // even positions are taken whole and signed
    EXPECT_EQ(itemStringSum(u"\u8000"), -32768);
}

TEST(ItemKeyTest, TheSumWrapsAt32Bits) {
    QString text;
    for (int i = 0; i < 70000; ++i) {
        text += QChar(0x7FFF);
        text += QChar(0x7F00);  // odd: low byte 0 shifted, plus the wide flag = 1
    }
    EXPECT_EQ(itemStringSum(text), int32_t(70000LL * 32768 - (1LL << 32)));
}

TEST(ItemKeyTest, KeysCarryTheMarkerAndSignExtendTheValueSum) {
    EXPECT_EQ(itemKey(u"", u""), 0xF0000000u);
    EXPECT_EQ(itemKey(u"Cell", u"12"), 0xF1AF3231u);
    EXPECT_EQ(itemKey(u"Дача", u"8-916-000-00-00"), 0xF85D4994u);
    // The value sum 0x1BE9E has bit 15 set: the upper half becomes all ones.
    EXPECT_EQ(itemKey(u"Work", u"+7 (495) 123-45-67"), 0xFFFFBE9Eu);
    EXPECT_EQ(itemKey(u"x", u"\u8000"), 0xFFFF8000u);
    EXPECT_EQ(itemKey(u"other label", u"\u8000"), 0xFFFF8000u) << "the label is masked out";
}

}  // namespace
}  // namespace kontavo
