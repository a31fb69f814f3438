#pragma once

// Readable gtest output for Qt value types; force-included into every test.
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

inline void PrintTo(const QByteArray& bytes, std::ostream* os) {
    *os << "QByteArray(" << bytes.size() << ") hex " << bytes.toHex(' ').toStdString();
}

inline void PrintTo(const QStringList& list, std::ostream* os) {
    *os << "[\"" << list.join(QStringLiteral("\", \"")).toStdString() << "\"]";
}
