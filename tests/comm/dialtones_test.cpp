// Touch tones: the generated sounds, the order of tones and waits, what is
// heard (decoded from the recorded WAVE file) and the output volume.
#include "comm/dialtones.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QtEndian>

#include "diag/resources.h"
#include "platform/sound.h"
#include "platform/wavefilesound.h"
#include "support/tonedecoder.h"

namespace kontavo {
namespace {

using Kind = ToneStep::Kind;

TEST(DialToneResourcesTest, TwelveGeneratedSoundsHoldTheirKeysPair) {
    const QList<int> resources = {171, 172, 173, 174, 175, 176, 177, 178, 179, 180, 181, 182};
    const QString expected = QStringLiteral("9012345678*#");
    for (int i = 0; i < resources.size(); ++i) {
        const std::optional<QByteArray> wave = loadResource(QStringLiteral("WAVE"), resources[i]);
        ASSERT_TRUE(wave) << resources[i];
        ASSERT_EQ(wave->size(), 3246) << resources[i];
        EXPECT_EQ(wave->left(4), "RIFF");
        EXPECT_EQ(qFromLittleEndian<quint32>(wave->constData() + 16), 18u) << "fmt size";
        EXPECT_EQ(qFromLittleEndian<quint16>(wave->constData() + 20), 1) << "PCM";
        EXPECT_EQ(qFromLittleEndian<quint16>(wave->constData() + 22), 1) << "mono";
        EXPECT_EQ(qFromLittleEndian<quint32>(wave->constData() + 24), 8000u);
        EXPECT_EQ(qFromLittleEndian<quint16>(wave->constData() + 34), 16) << "bits";
        EXPECT_EQ(wave->mid(38, 4), "data");
        EXPECT_EQ(qFromLittleEndian<quint32>(wave->constData() + 42), 3200u);
        const test::Samples samples = test::readWave(*wave);
        ASSERT_EQ(samples.values.size(), 1600);
        EXPECT_EQ(test::detectKey(samples, 0, 1600), expected[i]) << resources[i];
        EXPECT_NE(samples.values.front(), 0) << "the tone is heard from its first sample";
        EXPECT_NE(samples.values.back(), 0) << "and to its last";
    }
    EXPECT_EQ(toneResource(u'9'), 171) << "171 is the tone of 9, not of 0";
    EXPECT_EQ(toneResource(u'0'), 172);
    EXPECT_EQ(toneResource(u'*'), 181);
    EXPECT_EQ(toneResource(u'#'), 182);
    for (const QChar other : QStringLiteral("+-() ,pwA")) {
        EXPECT_EQ(toneResource(other), 0) << QString(other).toStdString();
    }
}

TEST(DialToneStepsTest, GapsComeBetweenTonesButNotAfterAPause) {
    EXPECT_EQ(dialToneSteps("12,3"), QList<ToneStep>({{Kind::Tone, 173},
                                                      {Kind::Wait, 100},
                                                      {Kind::Tone, 174},
                                                      {Kind::Wait, 900},
                                                      {Kind::Tone, 175}}));
    EXPECT_EQ(dialToneSteps("+1 (2)-x3"), dialToneSteps("123"))
        << "formatting characters make no sound and no gap";
    EXPECT_EQ(dialToneSteps(",,9"),
              QList<ToneStep>({{Kind::Wait, 900}, {Kind::Wait, 900}, {Kind::Tone, 171}}));
    EXPECT_TRUE(dialToneSteps("").isEmpty());
    EXPECT_TRUE(dialToneSteps("tel: ()").isEmpty());
}

class PlayDialTonesTest : public ::testing::Test {
protected:
    QString heard(const QString& text) {
        const QString path = dir.filePath(QStringLiteral("%1.wav").arg(++count));
        {
            WaveFileSound sound(path);
            playDialTones(text, sound);
        }
        return test::describe(test::readWaveFile(path));
    }

    QTemporaryDir dir;
    int count = 0;
};

TEST_F(PlayDialTonesTest, TheRecordingHoldsEachKeyFor200msWithItsGapsAndPauses) {
    EXPECT_EQ(heard("12,3"), "tone 1 1600, gap 800, tone 2 1600, gap 7200, tone 3 1600");
    EXPECT_EQ(heard("+7 (9*#0)"),
              "tone 7 1600, gap 800, tone 9 1600, gap 800, tone * 1600, gap 800, "
              "tone # 1600, gap 800, tone 0 1600");
    EXPECT_EQ(heard("5,,"), "tone 5 1600, gap 14400");
    EXPECT_EQ(heard(""), "");
    EXPECT_EQ(heard("ext. - ()"), "");
}

// A sound service that writes down what it is asked, with a volume to read.
class RecordingSound final : public Sound {
public:
    bool playSync(const QByteArray& wave) override {
        const test::Samples samples = test::readWave(wave);
        events.append(QStringLiteral("play ") + test::detectKey(samples, 0, samples.values.size()));
        return playable;
    }
    bool playFileAsync(const QString&) override { return false; }
    void stop() override {}
    std::optional<uint32_t> volume() override {
        events.append(QStringLiteral("volume?"));
        return level;
    }
    bool setVolume(uint32_t volume) override {
        events.append(QStringLiteral("volume %1").arg(volume, 8, 16, QChar(u'0')));
        level = volume;
        return true;
    }
    void wait(int ms) override { events.append(QStringLiteral("wait %1").arg(ms)); }

    std::optional<uint32_t> level;
    bool playable = true;
    QStringList events;
};

TEST(DialToneVolumeTest, AQuietDeviceIsRaisedTo7FFFForTheTonesAndRestored) {
    RecordingSound sound;
    sound.level = 0x10002000;
    playDialTones("1,2", sound);
    EXPECT_EQ(sound.events, QStringList({"volume?", "volume 7fff7fff", "play 1", "wait 900",
                                         "play 2", "volume 10002000"}));
}

TEST(DialToneVolumeTest, ALoudChannelOrAnUnreadableVolumeIsLeftAlone) {
    for (const uint32_t loud : {0x7FFF0000u, 0x00007FFFu, 0xFFFFFFFFu, 0x80000001u}) {
        RecordingSound sound;
        sound.level = loud;
        playDialTones("4", sound);
        EXPECT_EQ(sound.events, QStringList({"volume?", "play 4"})) << loud;
    }
    RecordingSound unreadable;
    playDialTones("4", unreadable);
    EXPECT_EQ(unreadable.events, QStringList({"volume?", "play 4"}));
}

TEST(DialToneVolumeTest, WithoutADeviceTheTonesStillTakeTheirTime) {
    RecordingSound sound;
    sound.level = 0;
    sound.playable = false;
    playDialTones("12", sound);
    EXPECT_EQ(sound.events, QStringList({"volume?", "volume 7fff7fff", "play 1", "wait 200",
                                         "wait 100", "play 2", "wait 200", "volume 00000000"}));
}

}  // namespace
}  // namespace kontavo
