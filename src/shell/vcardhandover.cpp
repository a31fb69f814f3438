#include "shell/vcardhandover.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>

namespace kontavo {

namespace {

QString fileOf(const QString& folder, uint32_t number) {
    return QDir(folder).filePath(QStringLiteral("vcard-import-%1").arg(number));
}

}  // namespace

std::optional<uint32_t> VCardHandOver::put(const QString& folder, const QString& path) {
    for (int attempt = 0; attempt < 16; ++attempt) {
        const uint32_t number = QRandomGenerator::global()->bounded(1u, 0x7FFFFFFFu);
        QFile file(fileOf(folder, number));
        // NewOnly: two starts never share a number.
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            if (file.exists()) {
                continue;
            }
            return std::nullopt;
        }
        file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        const QByteArray bytes = path.toUtf8();
        if (file.write(bytes) != bytes.size()) {
            file.remove();
            return std::nullopt;
        }
        return number;
    }
    return std::nullopt;
}

std::optional<QString> VCardHandOver::take(const QString& folder, uint32_t number) {
    QFile file(fileOf(folder, number));
    if (number == 0 || !file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    const QString path = QString::fromUtf8(file.readAll());
    file.close();
    file.remove();
    return path;
}

}  // namespace kontavo
