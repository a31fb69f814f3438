// Build step: writes the twelve touch-tone sounds, WAVE resources 171-182,
// into the folder named by its one argument, as <id>.wav. Each is 200 ms of
// the key's dual tone (ITU-T Q.23) at 8000 frames per second, mono, 16 bits:
// a 3246-byte RIFF WAVE file.
#include <QDir>
#include <QFile>
#include <QtEndian>
#include <cmath>
#include <cstdio>
#include <numbers>

#include "platform/wavecodec.h"

namespace {

constexpr int kRate = 8000;
constexpr int kFrames = kRate * 200 / 1000;
// The high group a little louder than the low one, as telephone lines
// attenuate it more.
constexpr double kLowAmplitude = 10000;
constexpr double kHighAmplitude = 12500;

struct Tone {
    int resource;
    double low;   // row frequency, Hz
    double high;  // column frequency, Hz
};

// Resource 171 is the tone of 9 and 172 that of 0; then 1-8, "*" and "#".
constexpr Tone kTones[] = {
    {171, 852, 1477},  // 9
    {172, 941, 1336},  // 0
    {173, 697, 1209},  // 1
    {174, 697, 1336},  // 2
    {175, 697, 1477},  // 3
    {176, 770, 1209},  // 4
    {177, 770, 1336},  // 5
    {178, 770, 1477},  // 6
    {179, 852, 1209},  // 7
    {180, 852, 1336},  // 8
    {181, 941, 1209},  // *
    {182, 941, 1477},  // #
};

// Cosines, so that the first sample is not silent and a tone's length can
// be read back from the samples.
QByteArray toneSamples(const Tone& tone) {
    QByteArray samples(kFrames * 2, Qt::Uninitialized);
    for (int i = 0; i < kFrames; ++i) {
        const double t = double(i) / kRate;
        const double value = kLowAmplitude * std::cos(2 * std::numbers::pi * tone.low * t) +
                             kHighAmplitude * std::cos(2 * std::numbers::pi * tone.high * t);
        qToLittleEndian(qint16(std::lround(value)), samples.data() + 2 * i);
    }
    return samples;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: kontavo-dtmf-tones FOLDER\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "kontavo-dtmf-tones: cannot create %s\n", argv[1]);
        return 1;
    }
    for (const Tone& tone : kTones) {
        const kontavo::WaveAudio audio{1, kRate, 16, toneSamples(tone)};
        QFile file(folder + QStringLiteral("/%1.wav").arg(tone.resource));
        const QByteArray bytes = kontavo::writeWave(audio);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
            std::fprintf(stderr, "kontavo-dtmf-tones: cannot write %s\n",
                         qPrintable(file.fileName()));
            return 1;
        }
    }
    return 0;
}
