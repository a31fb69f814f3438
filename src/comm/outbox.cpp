#include "comm/outbox.h"

#include <QFile>

#include "platform/devicefs.h"

namespace kontavo {

Outbox::Written Outbox::write(const DeviceFs& device, const QString& base, const QString& extension,
                              const QDateTime& now, const QByteArray& bytes) {
    if (!device.createFolder(folder())) {
        return {Result::NoFolder, {}};
    }
    const QString stem = base + u'-' + now.toString(QStringLiteral("yyyyMMdd-HHmmss"));
    for (int n = 1; n < 1000; ++n) {
        const QString name = (n == 1 ? stem : stem + u'-' + QString::number(n)) + u'.' + extension;
        const std::optional<QString> host = device.hostPath(DeviceFs::join(folder(), name));
        if (!host) {
            return {Result::NoFolder, {}};
        }
        QFile file(*host);
        if (file.exists()) {
            continue;
        }
        // NewOnly: a file made meanwhile by someone else is never overwritten.
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            return {Result::NotWritten, {}};
        }
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
        if (file.write(bytes) != bytes.size() || !file.flush()) {
            file.remove();
            return {Result::NotWritten, {}};
        }
        return {Result::Written, *host};
    }
    return {Result::NotWritten, {}};
}

}  // namespace kontavo
