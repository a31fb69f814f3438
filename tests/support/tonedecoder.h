#pragma once

#include <QChar>
#include <QList>
#include <QString>
#include <QtGlobal>

namespace kontavo::test {

// Reads back what was played into a WAVE file and tells which touch tones
// it holds, independently of the program's own tables: the DTMF pairs of
// ITU-T Q.23 are found with the Goertzel algorithm.
struct Samples {
    int rate = 0;
    QList<qint16> values;  // mono, 16 bits (the first channel)
};

// The samples of a 16-bit PCM WAVE file or image; empty when it is not one.
Samples readWave(const QByteArray& bytes);
Samples readWaveFile(const QString& path);

// The power of `frequency` in values[begin, end).
double goertzel(const Samples& samples, qsizetype begin, qsizetype end, double frequency);

// The key whose dual tone fills values[begin, end): "0"-"9", "*", "#", "A"-"D",
// or "?" when no single row and column frequency stand out.
QChar detectKey(const Samples& samples, qsizetype begin, qsizetype end);

// The file cut into runs of sound and of silence (samples that are exactly
// 0); a few zero samples inside a sound (a sine passing through 0) do not
// end it.
struct Run {
    bool sound = false;
    qsizetype begin = 0;
    qsizetype length = 0;
};
QList<Run> runs(const Samples& samples);

// The runs as text, lengths in samples, e.g. "tone 1 1600, gap 800,
// tone 2 1600": each sound run named by its key.
QString describe(const Samples& samples);

}  // namespace kontavo::test
