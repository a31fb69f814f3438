#include "comm/dialtones.h"

#include <optional>

#include "diag/resources.h"
#include "platform/sound.h"
#include "platform/wavecodec.h"

namespace kontavo {

namespace {

constexpr uint32_t kLoudChannel = 0x7FFF;
const QString kWaveType = QStringLiteral("WAVE");

// Raises the volume for the life of the object when both channels are
// below 0x7FFF, and puts the old volume back when it ends.
class LoudVolume {
public:
    explicit LoudVolume(Sound& sound) : m_sound(sound) {
        const std::optional<uint32_t> volume = sound.volume();
        if (volume && (*volume & 0xFFFF) < kLoudChannel && (*volume >> 16) < kLoudChannel &&
            sound.setVolume(kLoudChannel | (kLoudChannel << 16))) {
            m_saved = volume;
        }
    }
    ~LoudVolume() {
        if (m_saved) {
            m_sound.setVolume(*m_saved);
        }
    }
    LoudVolume(const LoudVolume&) = delete;
    LoudVolume& operator=(const LoudVolume&) = delete;

private:
    Sound& m_sound;
    std::optional<uint32_t> m_saved;
};

void playTone(int resource, Sound& sound) {
    const std::optional<QByteArray> wave = loadResource(kWaveType, resource);
    if (!wave || sound.playSync(*wave)) {
        return;
    }
    if (const std::optional<WaveAudio> audio = parseWave(*wave)) {
        sound.wait(int(audio->durationMs()));
    }
}

}  // namespace

int toneResource(QChar key) {
    if (key >= u'1' && key <= u'8') {
        return 173 + (key.unicode() - u'1');
    }
    switch (key.unicode()) {
        case u'9':
            return 171;
        case u'0':
            return 172;
        case u'*':
            return 181;
        case u'#':
            return 182;
        default:
            return 0;
    }
}

QList<ToneStep> dialToneSteps(const QString& text) {
    QList<ToneStep> steps;
    bool afterTone = false;
    for (const QChar c : text) {
        if (const int resource = toneResource(c); resource != 0) {
            if (afterTone) {
                steps.append({ToneStep::Kind::Wait, kToneGapMs});
            }
            steps.append({ToneStep::Kind::Tone, resource});
            afterTone = true;
        } else if (c == u',') {
            steps.append({ToneStep::Kind::Wait, kDialPauseMs});
            afterTone = false;
        }
    }
    return steps;
}

void playDialTones(const QString& text, Sound& sound) {
    const QList<ToneStep> steps = dialToneSteps(text);
    if (steps.isEmpty()) {
        return;
    }
    const LoudVolume loud(sound);
    for (const ToneStep& step : steps) {
        if (step.kind == ToneStep::Kind::Tone) {
            playTone(step.value, sound);
        } else {
            sound.wait(step.value);
        }
    }
}

}  // namespace kontavo
