#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <memory>
#include <optional>

namespace kontavo {

// The handheld's sound service: play a WAVE image synchronously, play a
// WAVE file asynchronously and stop it, read and set the output volume.
// Starting a sound stops the one playing. Without an audio device every play
// fails quietly (false, nothing heard) and the volume cannot be read.
//
// Sound::create() picks the implementation: with KONTAVO_AUDIO_OUT=FILE.wav
// every sample goes to that file in the order it would be heard (WaveFileSound),
// else to the default ALSA device (AlsaSound). UI thread only.
class Sound {
public:
    virtual ~Sound() = default;

    // Plays a RIFF WAVE image (PCM, see parseWave) and returns when it has
    // ended. False, at once, when it cannot be played.
    virtual bool playSync(const QByteArray& wave) = 0;
    // Starts playing the WAVE file at host path `path` and returns; false
    // when it cannot be read or played.
    virtual bool playFileAsync(const QString& path) = 0;
    // Stops the asynchronous sound, if any.
    virtual void stop() = 0;
    // The output volume of the first device: the left channel in the low 16
    // bits, the right one in the high 16 bits, each 0..0xFFFF. nullopt when
    // it cannot be read.
    virtual std::optional<uint32_t> volume() = 0;
    virtual bool setVolume(uint32_t volume) = 0;
    // Silence: returns after `ms` milliseconds (an asynchronous sound goes
    // on meanwhile).
    virtual void wait(int ms) = 0;

    // The implementation the environment asks for (see above).
    static std::unique_ptr<Sound> create();
};

}  // namespace kontavo
