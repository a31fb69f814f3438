// The sound service without a device: into a WAVE file, and ALSA with no
// device configured.
#include "platform/sound.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include "platform/alsasound.h"
#include "platform/wavefilesound.h"
#include "support/tonedecoder.h"

namespace kontavo {
namespace {

// `frames` frames of one constant 16-bit value.
WaveAudio constant(int frames, qint16 value, int rate = 8000) {
    QByteArray samples(frames * 2, Qt::Uninitialized);
    for (int i = 0; i < frames; ++i) {
        qToLittleEndian(value, samples.data() + 2 * i);
    }
    return {1, rate, 16, samples};
}

class WaveFileSoundTest : public ::testing::Test {
protected:
    QString path() const { return dir.filePath(QStringLiteral("out.wav")); }
    // The file's samples as runs of equal values: "1000x160 0x240".
    QString describeFile() const {
        QStringList parts;
        const QList<qint16> values = test::readWaveFile(path()).values;
        for (qsizetype i = 0; i < values.size();) {
            qsizetype j = i;
            while (j < values.size() && values[j] == values[i]) {
                ++j;
            }
            parts.append(QStringLiteral("%1x%2").arg(values[i]).arg(j - i));
            i = j;
        }
        return parts.join(u' ');
    }

    QTemporaryDir dir;
};

TEST_F(WaveFileSoundTest, SoundsAndWaitsFollowOneAnotherInTheFile) {
    {
        WaveFileSound sound(path());
        ASSERT_TRUE(sound.isOpen());
        EXPECT_TRUE(sound.playSync(writeWave(constant(160, 1000))));
        sound.wait(30);
        EXPECT_TRUE(sound.playSync(writeWave(constant(80, 2000))));
        EXPECT_EQ(test::readWaveFile(path()).values.size(), 160 + 240 + 80)
            << "the file is whole after every write";
        EXPECT_FALSE(sound.playSync("not a wave"));
    }
    EXPECT_EQ(describeFile(), "1000x160 0x240 2000x80");
    EXPECT_EQ(test::readWaveFile(path()).rate, 8000);
}

TEST_F(WaveFileSoundTest, AnAsynchronousSoundFillsTheWaitsUntilStopped) {
    const QString ring = dir.filePath(QStringLiteral("ring.wav"));
    QFile file(ring);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(writeWave(constant(400, 500)));
    file.close();
    {
        WaveFileSound sound(path());
        ASSERT_TRUE(sound.playFileAsync(ring));
        sound.wait(10);  // 80 frames of the ring
        sound.wait(20);  // 160 more
        sound.stop();    // the other 160 are never heard
        sound.wait(10);
        ASSERT_TRUE(sound.playFileAsync(ring));
        EXPECT_TRUE(sound.playSync(writeWave(constant(8, 7))))
            << "a new sound stops the one playing";
        ASSERT_TRUE(sound.playFileAsync(ring));
        EXPECT_FALSE(sound.playFileAsync(dir.filePath(QStringLiteral("missing.wav"))));
        ASSERT_TRUE(sound.playFileAsync(ring));
        sound.wait(5);
    }  // what is left plays to its end
    EXPECT_EQ(describeFile(), "500x240 0x80 7x8 500x400");
}

TEST_F(WaveFileSoundTest, OtherFormatsAreConvertedAndTheVolumeIsHeld) {
    // Stereo 8-bit at 16000 frames per second: channels averaged, every
    // second frame kept.
    const WaveAudio stereo{2, 16000, 8, QByteArray("\xC0\x40\xC0\x40\xFF\xFF\xFF\xFF", 8)};
    const QByteArray converted = WaveFileSound::toOutputSamples(stereo);
    ASSERT_EQ(converted.size(), 4);
    EXPECT_EQ(qFromLittleEndian<qint16>(converted.constData()), 0);
    EXPECT_EQ(qFromLittleEndian<qint16>(converted.constData() + 2), 127 * 256);

    WaveFileSound sound(path());
    EXPECT_EQ(sound.volume(), 0xFFFFFFFFu);
    EXPECT_TRUE(sound.setVolume(0x12345678));
    EXPECT_EQ(sound.volume(), 0x12345678u);
}

TEST_F(WaveFileSoundTest, TheEnvironmentChoosesTheFile) {
    qputenv("KONTAVO_AUDIO_OUT", path().toLocal8Bit());
    const std::unique_ptr<Sound> sound = Sound::create();
    qunsetenv("KONTAVO_AUDIO_OUT");
    ASSERT_NE(dynamic_cast<WaveFileSound*>(sound.get()), nullptr);
    EXPECT_TRUE(sound->playSync(writeWave(constant(8, 3))));
    EXPECT_EQ(test::readWaveFile(path()).values.size(), 8);
    const std::unique_ptr<Sound> device = Sound::create();
    EXPECT_NE(dynamic_cast<AlsaSound*>(device.get()), nullptr);
}

// ALSA reads its configuration once per process: an empty one has no
// "default" device. This test is the only one in the program that uses ALSA.
TEST(AlsaSoundTest, WithoutADeviceEveryCallFailsQuietly) {
    QTemporaryDir dir;
    const QString config = dir.filePath(QStringLiteral("empty.conf"));
    QFile(config).open(QIODevice::WriteOnly);
    qputenv("ALSA_CONFIG_PATH", config.toLocal8Bit());
    AlsaSound sound;
    EXPECT_FALSE(sound.playSync(writeWave(constant(80, 100))));
    EXPECT_FALSE(sound.playSync("garbage"));
    const QString ring = dir.filePath(QStringLiteral("ring.wav"));
    QFile file(ring);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(writeWave(constant(80, 100)));
    file.close();
    EXPECT_FALSE(sound.playFileAsync(ring));
    sound.stop();
    EXPECT_FALSE(sound.volume().has_value());
    EXPECT_FALSE(sound.setVolume(0x7FFF7FFF));
    qunsetenv("ALSA_CONFIG_PATH");
}

}  // namespace
}  // namespace kontavo
