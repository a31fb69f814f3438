#include "platform/windowmessagecodec.h"

#include <gtest/gtest.h>

namespace kontavo {
namespace {

TEST(WindowMessageCodecTest, EveryRequestSurvivesRoundTrip) {
    for (WindowRequest request : {WindowRequest::Post, WindowRequest::Send,
                                  WindowRequest::Foreground, WindowRequest::Result}) {
        const WindowFrame frame{request, {1149, 'v', 0xFFFFFFFFu}};
        const QByteArray bytes = WindowMessageCodec::encode(frame);
        ASSERT_EQ(bytes.size(), WindowMessageCodec::kFrameSize);
        EXPECT_EQ(WindowMessageCodec::decode(bytes), frame);
    }
}

TEST(WindowMessageCodecTest, NumbersAreLittleEndian) {
    const QByteArray bytes =
        WindowMessageCodec::encode({WindowRequest::Send, {0xC001, 0x01020304, 0x1A2B}});
    EXPECT_EQ(bytes.toHex(), QByteArray("4b57530101c00000040302012b1a0000"));
}

TEST(WindowMessageCodecTest, RefusesShortAndForeignFrames) {
    const QByteArray good = WindowMessageCodec::encode({WindowRequest::Post, {1, 2, 3}});
    EXPECT_FALSE(WindowMessageCodec::decode(good.left(15)));
    QByteArray badMagic = good;
    badMagic[0] = 'X';
    EXPECT_FALSE(WindowMessageCodec::decode(badMagic));
    QByteArray badRequest = good;
    badRequest[2] = 'Z';
    EXPECT_FALSE(WindowMessageCodec::decode(badRequest));
    QByteArray badVersion = good;
    badVersion[3] = 2;
    EXPECT_FALSE(WindowMessageCodec::decode(badVersion));
    // Bytes after a frame belong to no one and are not looked at.
    EXPECT_TRUE(WindowMessageCodec::decode(good + QByteArray("junk")));
}

}  // namespace
}  // namespace kontavo
