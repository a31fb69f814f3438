#pragma once

#include <QFile>

#include "platform/sound.h"
#include "platform/wavecodec.h"

namespace kontavo {

// Sound written to a WAVE file instead of a device (KONTAVO_AUDIO_OUT), so
// that tests can hear it: 8000 frames per second, mono, 16 bits. Time is
// the file's own: a synchronous sound and a wait append their length at
// once without sleeping; an asynchronous sound fills the time that passes
// after it starts (waits) until it ends, is stopped, or another sound
// starts; what is still pending when the object goes away is written whole.
// Other formats are converted (channels averaged, rate resampled).
// The volume is held, not applied: it starts at 0xFFFFFFFF.
//
// The file is created (truncated) by the constructor and its header kept
// valid after every write. Not copyable; UI thread only.
class WaveFileSound final : public Sound {
public:
    static constexpr int kRate = 8000;

    explicit WaveFileSound(const QString& path);
    ~WaveFileSound() override;
    WaveFileSound(const WaveFileSound&) = delete;
    WaveFileSound& operator=(const WaveFileSound&) = delete;

    bool isOpen() const { return m_file.isOpen(); }

    bool playSync(const QByteArray& wave) override;
    bool playFileAsync(const QString& path) override;
    void stop() override;
    std::optional<uint32_t> volume() override { return m_volume; }
    bool setVolume(uint32_t volume) override;
    void wait(int ms) override;

    // `audio` as 8000 frames per second, mono, 16-bit samples.
    static QByteArray toOutputSamples(const WaveAudio& audio);

private:
    void append(const QByteArray& samples);
    void appendSilence(qint64 frames);

    QFile m_file;
    qint64 m_dataBytes = 0;
    QByteArray m_pending;  // the asynchronous sound's samples still to come
    uint32_t m_volume = 0xFFFFFFFF;
};

}  // namespace kontavo
