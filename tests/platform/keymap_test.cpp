#include "platform/keymap.h"

#include <gtest/gtest.h>

#include "platform/platformversion.h"

namespace kontavo {
namespace {

TEST(KeyMapTest, HandheldKeysHaveTheirVirtualCodes) {
    EXPECT_EQ(virtualKey(Qt::Key_F3, Qt::NoModifier), vk::kTalk);
    EXPECT_EQ(virtualKey(Qt::Key_F3, Qt::NoModifier), 114);
    EXPECT_EQ(virtualKey(Qt::Key_F4, Qt::NoModifier), vk::kEndCall);
    EXPECT_EQ(vk::kEndCall, 115);
    EXPECT_EQ(virtualKey(Qt::Key_Return, Qt::ControlModifier), 134);
    EXPECT_EQ(virtualKey(Qt::Key_Enter, Qt::ControlModifier | Qt::KeypadModifier), 134);
    EXPECT_EQ(virtualKey(Qt::Key_Return, Qt::NoModifier), vk::kReturn);
}

TEST(KeyMapTest, KeypadDigitsAreNinetySixOnAndOtherDigitsAreNot) {
    for (int digit = 0; digit <= 9; ++digit) {
        const int code = virtualKey(Qt::Key_0 + digit, Qt::KeypadModifier);
        EXPECT_EQ(code, 96 + digit);
        EXPECT_EQ(keypadDigit(code), digit);
        EXPECT_EQ(virtualKey(Qt::Key_0 + digit, Qt::NoModifier), '0' + digit);
    }
    EXPECT_EQ(keypadDigit('5'), -1);
}

TEST(KeyMapTest, NavigationEndIsNotTheRedEndKey) {
    EXPECT_EQ(virtualKey(Qt::Key_End, Qt::NoModifier), 35);
    EXPECT_EQ(virtualKey(Qt::Key_Home, Qt::NoModifier), 36);
    EXPECT_EQ(virtualKey(Qt::Key_PageUp, Qt::NoModifier), 33);
    EXPECT_EQ(virtualKey(Qt::Key_PageDown, Qt::NoModifier), 34);
    EXPECT_NE(vk::kEnd, vk::kEndCall);
    EXPECT_EQ(virtualKey(Qt::Key_Shift, Qt::ShiftModifier), vk::kShift);
}

TEST(KeyMapTest, LettersArrowsAndUnknownKeys) {
    EXPECT_EQ(virtualKey(Qt::Key_Q, Qt::ControlModifier), 'Q');
    EXPECT_EQ(virtualKey(Qt::Key_Left, Qt::NoModifier), vk::kLeft);
    EXPECT_EQ(virtualKey(Qt::Key_Backspace, Qt::NoModifier), vk::kBack);
    EXPECT_EQ(virtualKey(Qt::Key_F11, Qt::NoModifier), 0);
    EXPECT_EQ(virtualKey(Qt::Key_Eacute, Qt::NoModifier), 0);
}

TEST(PlatformVersionTest, DefaultsToPocketPc2003AndFollowsTheEnvironment) {
    const QByteArray saved = qgetenv("KONTAVO_OS_VERSION");
    qunsetenv("KONTAVO_OS_VERSION");
    EXPECT_EQ(PlatformVersion::current().major, 4);
    EXPECT_EQ(PlatformVersion::current().minor, 20);
    qputenv("KONTAVO_OS_VERSION", "5.1");
    EXPECT_EQ(PlatformVersion::current().major, 5);
    EXPECT_EQ(PlatformVersion::current().minor, 1);
    qputenv("KONTAVO_OS_VERSION", "five");
    EXPECT_EQ(PlatformVersion::current().major, 4);
    qputenv("KONTAVO_OS_VERSION", saved);
    EXPECT_FALSE(PlatformVersion::parse(QStringLiteral("4.2.1")));
    EXPECT_FALSE(PlatformVersion::parse(QStringLiteral("-5")));
    EXPECT_EQ(PlatformVersion::parse(QStringLiteral(" 6 "))->major, 6);
}

}  // namespace
}  // namespace kontavo
