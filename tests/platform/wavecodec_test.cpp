#include "platform/wavecodec.h"

#include <gtest/gtest.h>

#include <QtEndian>

namespace kontavo {
namespace {

QByteArray le32(quint32 value) {
    QByteArray bytes(4, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

QByteArray chunk(const QByteArray& id, const QByteArray& body) {
    QByteArray out = id + le32(quint32(body.size())) + body;
    if (body.size() % 2 != 0) {
        out += '\0';
    }
    return out;
}

// A 16-byte PCM format chunk body.
QByteArray format(int channels, int rate, int bits, int tag = 1) {
    QByteArray body(16, '\0');
    qToLittleEndian(quint16(tag), body.data());
    qToLittleEndian(quint16(channels), body.data() + 2);
    qToLittleEndian(quint32(rate), body.data() + 4);
    qToLittleEndian(quint32(rate * channels * bits / 8), body.data() + 8);
    qToLittleEndian(quint16(channels * bits / 8), body.data() + 12);
    qToLittleEndian(quint16(bits), body.data() + 14);
    return body;
}

QByteArray riff(const QByteArray& chunks) {
    return "RIFF" + le32(quint32(4 + chunks.size())) + "WAVE" + chunks;
}

TEST(WaveCodecTest, WrittenFilesReadBackWithTheirFormat) {
    const WaveAudio mono{1, 8000, 16, QByteArray("\x01\x02\x03\x04", 4)};
    const QByteArray bytes = writeWave(mono);
    EXPECT_EQ(bytes.size(), kWaveHeaderBytes + 4);
    EXPECT_EQ(bytes.mid(12, 8), QByteArray("fmt \x12\0\0\0", 8)) << "an 18-byte format chunk";
    EXPECT_EQ(parseWave(bytes), mono);
    const WaveAudio stereo{2, 44100, 8, QByteArray("\x80\x81\x82", 3)};
    const QByteArray padded = writeWave(stereo);
    EXPECT_EQ(padded.size() % 2, 0) << "an odd data chunk is padded";
    const std::optional<WaveAudio> back = parseWave(padded);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->samples, QByteArray("\x80\x81", 2)) << "a partial frame is dropped";
    EXPECT_EQ(WaveAudio({1, 8000, 16, QByteArray(3200, '\0')}).durationMs(), 200);
}

TEST(WaveCodecTest, UnknownChunksAreSkippedAndAShortDataChunkIsCut) {
    const QByteArray samples("\x10\x00\x20\x00\x30\x00", 6);
    const QByteArray bytes = riff(chunk("LIST", "odd") + chunk("fmt ", format(1, 8000, 16)) +
                                  "data" + le32(100) + samples);
    const std::optional<WaveAudio> audio = parseWave(bytes);
    ASSERT_TRUE(audio);
    EXPECT_EQ(audio->samples, samples);
}

TEST(WaveCodecTest, RefusesWhatItCannotPlay) {
    const QByteArray data = chunk("data", QByteArray(4, '\1'));
    const QList<QByteArray> bad = {
        QByteArray(),
        "RIFF\0\0\0\0WAVX",
        riff(data),                                          // no format
        riff(data + chunk("fmt ", format(1, 8000, 16))),     // format after the data
        riff(chunk("fmt ", format(1, 8000, 16, 3)) + data),  // not PCM
        riff(chunk("fmt ", format(3, 8000, 16)) + data),     // three channels
        riff(chunk("fmt ", format(1, 8000, 24)) + data),     // 24 bits
        riff(chunk("fmt ", format(1, 999, 16)) + data),      // rate out of range
        riff(chunk("fmt ", format(1, 8000, 16).left(14)) + data),
        riff(chunk("fmt ", format(1, 8000, 16))),         // no data
        riff("fmt " + le32(1000) + format(1, 8000, 16)),  // format cut short
    };
    for (const QByteArray& bytes : bad) {
        EXPECT_FALSE(parseWave(bytes).has_value()) << bytes.toHex().toStdString();
    }
}

}  // namespace
}  // namespace kontavo
