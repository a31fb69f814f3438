#include "platform/wavecodec.h"

#include <QtEndian>

namespace kontavo {

namespace {

constexpr quint16 kPcm = 1;
constexpr int kFmtBytes = 18;
constexpr int kMinRate = 1000;
constexpr int kMaxRate = 192000;

quint16 read16(const QByteArray& bytes, qsizetype at) {
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}

quint32 read32(const QByteArray& bytes, qsizetype at) {
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

void append16(QByteArray& out, quint16 value) {
    char buffer[2];
    qToLittleEndian(value, buffer);
    out.append(buffer, 2);
}

void append32(QByteArray& out, quint32 value) {
    char buffer[4];
    qToLittleEndian(value, buffer);
    out.append(buffer, 4);
}

// The format fields of a "fmt " chunk of `size` bytes at `at`.
std::optional<WaveAudio> readFormat(const QByteArray& bytes, qsizetype at, quint32 size) {
    if (size < 16) {
        return std::nullopt;
    }
    WaveAudio audio;
    const quint16 tag = read16(bytes, at);
    audio.channels = read16(bytes, at + 2);
    const quint32 rate = read32(bytes, at + 4);
    audio.bitsPerSample = read16(bytes, at + 14);
    if (tag != kPcm || (audio.channels != 1 && audio.channels != 2) ||
        (audio.bitsPerSample != 8 && audio.bitsPerSample != 16) || rate < kMinRate ||
        rate > kMaxRate) {
        return std::nullopt;
    }
    audio.sampleRate = int(rate);
    return audio;
}

}  // namespace

qint64 WaveAudio::durationMs() const {
    return sampleRate > 0 ? frameCount() * 1000 / sampleRate : 0;
}

std::optional<WaveAudio> parseWave(const QByteArray& bytes) {
    if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE") {
        return std::nullopt;
    }
    std::optional<WaveAudio> format;
    qsizetype at = 12;
    while (at + 8 <= bytes.size()) {
        const QByteArray id = bytes.mid(at, 4);
        const quint32 size = read32(bytes, at + 4);
        const qsizetype body = at + 8;
        const qsizetype available = bytes.size() - body;
        if (id == "fmt ") {
            if (qsizetype(size) > available) {
                return std::nullopt;
            }
            format = readFormat(bytes, body, size);
            if (!format) {
                return std::nullopt;
            }
        } else if (id == "data") {
            if (!format) {
                return std::nullopt;  // the format must come first
            }
            const qsizetype length = std::min<qsizetype>(qsizetype(size), available);
            format->samples = bytes.mid(body, length - length % format->frameBytes());
            return format;
        }
        if (qsizetype(size) > available) {
            return std::nullopt;
        }
        at = body + qsizetype(size) + (size & 1);
    }
    return std::nullopt;
}

QByteArray waveHeader(const WaveAudio& format, quint32 dataBytes) {
    QByteArray out;
    out.reserve(kWaveHeaderBytes);
    out.append("RIFF");
    append32(out, 4 + 8 + kFmtBytes + 8 + dataBytes + (dataBytes & 1));
    out.append("WAVE");
    out.append("fmt ");
    append32(out, kFmtBytes);
    append16(out, kPcm);
    append16(out, quint16(format.channels));
    append32(out, quint32(format.sampleRate));
    append32(out, quint32(format.sampleRate * format.frameBytes()));
    append16(out, quint16(format.frameBytes()));
    append16(out, quint16(format.bitsPerSample));
    append16(out, 0);  // no format extension
    out.append("data");
    append32(out, dataBytes);
    return out;
}

QByteArray writeWave(const WaveAudio& audio) {
    QByteArray out = waveHeader(audio, quint32(audio.samples.size()));
    out.append(audio.samples);
    if (audio.samples.size() % 2 != 0) {
        out.append('\0');
    }
    return out;
}

}  // namespace kontavo
