#include "platform/wavefilesound.h"

#include <QtEndian>
#include <algorithm>

namespace kontavo {

namespace {

constexpr int kOutputFrameBytes = 2;

// Sample `frame`, channel `channel` of `audio` as a signed 16-bit value.
int sampleAt(const WaveAudio& audio, qint64 frame, int channel) {
    const char* at = audio.samples.constData() + frame * audio.frameBytes() +
                     channel * (audio.bitsPerSample / 8);
    if (audio.bitsPerSample == 8) {
        return (int(uchar(*at)) - 128) * 256;
    }
    return qFromLittleEndian<qint16>(at);
}

}  // namespace

WaveFileSound::WaveFileSound(const QString& path) : m_file(path) {
    if (m_file.open(QIODevice::ReadWrite | QIODevice::Truncate)) {
        append({});
    }
}

WaveFileSound::~WaveFileSound() {
    append(m_pending);
}

QByteArray WaveFileSound::toOutputSamples(const WaveAudio& audio) {
    const qint64 frames = audio.frameCount();
    const qint64 outFrames = frames * kRate / audio.sampleRate;
    QByteArray out(outFrames * kOutputFrameBytes, Qt::Uninitialized);
    for (qint64 i = 0; i < outFrames; ++i) {
        const qint64 frame = std::min(frames - 1, i * audio.sampleRate / kRate);
        int sum = 0;
        for (int channel = 0; channel < audio.channels; ++channel) {
            sum += sampleAt(audio, frame, channel);
        }
        qToLittleEndian(qint16(sum / audio.channels), out.data() + i * kOutputFrameBytes);
    }
    return out;
}

bool WaveFileSound::playSync(const QByteArray& wave) {
    stop();
    const std::optional<WaveAudio> audio = parseWave(wave);
    if (!audio || !isOpen()) {
        return false;
    }
    append(toOutputSamples(*audio));
    return true;
}

bool WaveFileSound::playFileAsync(const QString& path) {
    stop();
    QFile file(path);
    const std::optional<WaveAudio> audio =
        file.open(QIODevice::ReadOnly) ? parseWave(file.readAll()) : std::nullopt;
    if (!audio || !isOpen()) {
        return false;
    }
    m_pending = toOutputSamples(*audio);
    return true;
}

void WaveFileSound::stop() {
    m_pending.clear();
}

bool WaveFileSound::setVolume(uint32_t volume) {
    m_volume = volume;
    return true;
}

void WaveFileSound::wait(int ms) {
    const qint64 frames = qint64(std::max(ms, 0)) * kRate / 1000;
    const qint64 fromPending = std::min<qint64>(frames, m_pending.size() / kOutputFrameBytes);
    append(m_pending.left(fromPending * kOutputFrameBytes));
    m_pending.remove(0, fromPending * kOutputFrameBytes);
    appendSilence(frames - fromPending);
}

void WaveFileSound::appendSilence(qint64 frames) {
    append(QByteArray(frames * kOutputFrameBytes, '\0'));
}

// Appends samples and rewrites the header, so that the file is whole after
// every write.
void WaveFileSound::append(const QByteArray& samples) {
    if (!isOpen()) {
        return;
    }
    m_file.seek(kWaveHeaderBytes + m_dataBytes);
    m_file.write(samples);
    m_dataBytes += samples.size();
    m_file.seek(0);
    m_file.write(waveHeader(WaveAudio{1, kRate, 16, {}}, quint32(m_dataBytes)));
    m_file.flush();
}

}  // namespace kontavo
