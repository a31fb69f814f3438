#pragma once

// Readable gtest output for Qt value types; force-included into every test.
#include <QByteArray>
#include <QList>
#include <QRect>
#include <QString>
#include <QStringList>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QByteArray& bytes, std::ostream* os) {
    *os << "QByteArray(" << bytes.size() << ") hex " << bytes.toHex(' ').toStdString();
}

inline void PrintTo(const QStringList& list, std::ostream* os) {
    *os << "[\"" << list.join(QStringLiteral("\", \"")).toStdString() << "\"]";
}

inline std::ostream& operator<<(std::ostream& os, const QRect& r) {
    return os << "QRect(" << r.x() << "," << r.y() << " " << r.width() << "x" << r.height() << ")";
}
inline void PrintTo(const QRect& r, std::ostream* os) {
    *os << r;
}
