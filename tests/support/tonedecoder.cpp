#include "support/tonedecoder.h"

#include <QFile>
#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace kontavo::test {

namespace {

constexpr double kRows[] = {697, 770, 852, 941};
constexpr double kColumns[] = {1209, 1336, 1477, 1633};
constexpr const char* kKeys[] = {"123A", "456B", "789C", "*0#D"};
// Zero samples shorter than this inside a sound are part of it.
constexpr qsizetype kLongestZeroInSound = 8;

// The index of the strongest of four powers, or -1 when it is not at least
// ten times each other one.
int strongest(const double (&powers)[4]) {
    const int best = int(std::max_element(std::begin(powers), std::end(powers)) - powers);
    for (int i = 0; i < 4; ++i) {
        if (i != best && powers[best] < 10 * powers[i]) {
            return -1;
        }
    }
    return best;
}

}  // namespace

Samples readWave(const QByteArray& bytes) {
    Samples out;
    if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE") {
        return out;
    }
    int channels = 1;
    for (qsizetype at = 12; at + 8 <= bytes.size();) {
        const QByteArray id = bytes.mid(at, 4);
        const qsizetype size = qFromLittleEndian<quint32>(bytes.constData() + at + 4);
        if (id == "fmt " && at + 24 <= bytes.size()) {
            channels = qFromLittleEndian<quint16>(bytes.constData() + at + 10);
            out.rate = int(qFromLittleEndian<quint32>(bytes.constData() + at + 12));
        } else if (id == "data") {
            const qsizetype end = std::min(bytes.size(), at + 8 + size);
            for (qsizetype i = at + 8; i + 2 * channels <= end; i += 2 * channels) {
                out.values.append(qFromLittleEndian<qint16>(bytes.constData() + i));
            }
            return out;
        }
        at += 8 + size + (size & 1);
    }
    return out;
}

Samples readWaveFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? readWave(file.readAll()) : Samples{};
}

double goertzel(const Samples& samples, qsizetype begin, qsizetype end, double frequency) {
    const double coefficient = 2 * std::cos(2 * std::numbers::pi * frequency / samples.rate);
    double previous = 0;
    double beforePrevious = 0;
    for (qsizetype i = begin; i < end; ++i) {
        const double current = samples.values[i] + coefficient * previous - beforePrevious;
        beforePrevious = previous;
        previous = current;
    }
    return previous * previous + beforePrevious * beforePrevious -
           coefficient * previous * beforePrevious;
}

QChar detectKey(const Samples& samples, qsizetype begin, qsizetype end) {
    double rows[4];
    double columns[4];
    for (int i = 0; i < 4; ++i) {
        rows[i] = goertzel(samples, begin, end, kRows[i]);
        columns[i] = goertzel(samples, begin, end, kColumns[i]);
    }
    const int row = strongest(rows);
    const int column = strongest(columns);
    return row < 0 || column < 0 ? QChar(u'?') : QChar::fromLatin1(kKeys[row][column]);
}

QList<Run> runs(const Samples& samples) {
    QList<Run> out;
    const QList<qint16>& v = samples.values;
    for (qsizetype i = 0; i < v.size();) {
        qsizetype j = i;
        if (v[i] == 0) {
            while (j < v.size() && v[j] == 0) {
                ++j;
            }
            const bool inSound =
                !out.isEmpty() && out.last().sound && j < v.size() && j - i < kLongestZeroInSound;
            if (inSound) {
                out.last().length += j - i;
            } else {
                out.append({false, i, j - i});
            }
        } else {
            while (j < v.size() && v[j] != 0) {
                ++j;
            }
            if (!out.isEmpty() && out.last().sound) {
                out.last().length += j - i;
            } else {
                out.append({true, i, j - i});
            }
        }
        i = j;
    }
    return out;
}

QString describe(const Samples& samples) {
    QStringList parts;
    for (const Run& run : runs(samples)) {
        parts.append(run.sound ? QStringLiteral("tone %1 %2")
                                     .arg(detectKey(samples, run.begin, run.begin + run.length))
                                     .arg(run.length)
                               : QStringLiteral("gap %1").arg(run.length));
    }
    return parts.join(QStringLiteral(", "));
}

}  // namespace kontavo::test
