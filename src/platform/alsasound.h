#pragma once

#include <atomic>
#include <thread>

#include "platform/sound.h"
#include "platform/wavecodec.h"

namespace kontavo {

// Sound on the default ALSA device (through PulseAudio or PipeWire where
// they run), and the volume of its first mixer control with a playback
// volume ("Master", else "PCM", else the first one). An asynchronous sound
// plays on a thread of its own, which stop() ends and joins. ALSA's own
// error messages are silenced: without a device every call just fails.
// Not copyable; UI thread only.
class AlsaSound final : public Sound {
public:
    AlsaSound();
    ~AlsaSound() override;
    AlsaSound(const AlsaSound&) = delete;
    AlsaSound& operator=(const AlsaSound&) = delete;

    bool playSync(const QByteArray& wave) override;
    bool playFileAsync(const QString& path) override;
    void stop() override;
    std::optional<uint32_t> volume() override;
    bool setVolume(uint32_t volume) override;
    void wait(int ms) override;

private:
    std::thread m_player;
    std::atomic<bool> m_stop{false};
};

}  // namespace kontavo
