#include "ui/textshortener.h"

#include <gtest/gtest.h>

namespace kontavo {
namespace {

// Every character is 10 pixels wide.
int fixedWidth(const QString& text) {
    return int(text.size()) * 10;
}

TEST(TextShortenerTest, TextThatFitsStaysWhole) {
    EXPECT_EQ(shortenText("Smith", 50, fixedWidth), "Smith");
    EXPECT_EQ(shortenText("", 0, fixedWidth), "");
}

TEST(TextShortenerTest, CommaAndBlankBeforeTheMisfitGoToo) {
    // 100 pixels less 30 for "..." hold "Smith, "; the misfit is "J" and
    // the comma and blank before it are stepped over.
    EXPECT_EQ(shortenText("Smith, John", 100, fixedWidth), "Smith...");
    EXPECT_EQ(shortenText("Smith, John", 110, fixedWidth), "Smith, John");
    EXPECT_EQ(shortenText("Smith, Johnny", 110, fixedWidth), "Smith, J...");
}

TEST(TextShortenerTest, NothingLeftAfterSteppingBackKeepsUpToTheMisfit) {
    EXPECT_EQ(shortenText("-- -- abc", 60, fixedWidth), "-- ...");
}

TEST(TextShortenerTest, WhenNotEvenOneCharacterFitsOnlyTheEllipsisRemains) {
    EXPECT_EQ(shortenText("Smith", 35, fixedWidth), "...");
    EXPECT_EQ(shortenText("Smith", 0, fixedWidth), "...");
}

}  // namespace
}  // namespace kontavo
