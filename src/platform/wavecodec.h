#pragma once

#include <QByteArray>
#include <optional>

namespace kontavo {

// PCM sound as a RIFF WAVE file carries it (docs/formats/wave.md): the
// format and the interleaved samples, little-endian, unsigned for 8 bits and
// signed for 16 bits. A plain value.
struct WaveAudio {
    int channels = 1;        // 1 or 2
    int sampleRate = 8000;   // frames per second
    int bitsPerSample = 16;  // 8 or 16
    QByteArray samples;

    int frameBytes() const { return channels * bitsPerSample / 8; }
    qint64 frameCount() const { return frameBytes() > 0 ? samples.size() / frameBytes() : 0; }
    // Length in milliseconds, rounded down.
    qint64 durationMs() const;

    bool operator==(const WaveAudio&) const = default;
};

// Reads a RIFF WAVE image: the "fmt " chunk (PCM, 1 or 2 channels, 8 or 16
// bits, 1000 to 192000 frames per second) and the "data" chunk; other chunks
// are skipped. A data chunk longer than the file is cut at its end, a
// trailing partial frame dropped. nullopt for anything else. Safe on any
// bytes.
std::optional<WaveAudio> parseWave(const QByteArray& bytes);

// The RIFF WAVE image of `audio`: an 18-byte "fmt " chunk (PCM with a zero
// extension size) and the "data" chunk, padded to an even length.
// Precondition: a format parseWave() accepts.
QByteArray writeWave(const WaveAudio& audio);

// The header writeWave() puts before `dataBytes` bytes of samples in the
// format of `format` (its samples are not used).
QByteArray waveHeader(const WaveAudio& format, quint32 dataBytes);
// Its size in bytes.
inline constexpr int kWaveHeaderBytes = 46;

}  // namespace kontavo
