#include "card/utf16linereader.h"

#include <QIODevice>
#include <QtEndian>

namespace kontavo {

namespace {

// Collects characters into lines across chunks.
class LineCollector {
public:
    void add(char16_t unit) {
        if (unit == u'\r' || unit == u'\n') {
            endLine();
        } else {
            m_current.append(QChar(unit));
        }
    }
    void endLine() {
        if (!m_current.isEmpty()) {
            m_lines.append(m_current);
            m_current.clear();
        }
    }
    QStringList take() {
        endLine();
        return std::move(m_lines);
    }

private:
    QStringList m_lines;
    QString m_current;
};

}  // namespace

QStringList readUtf16Lines(QIODevice& device, qint64 chunkSize) {
    LineCollector lines;
    QByteArray carry;
    for (;;) {
        const QByteArray chunk = device.read(chunkSize);
        if (chunk.isEmpty()) {
            break;
        }
        const QByteArray bytes = carry + chunk;
        const qsizetype whole = bytes.size() & ~qsizetype(1);
        for (qsizetype i = 0; i < whole; i += 2) {
            lines.add(qFromLittleEndian<char16_t>(bytes.constData() + i));
        }
        carry = bytes.mid(whole);
    }
    return lines.take();
}

}  // namespace kontavo
