#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace kontavo {

class DeviceFs;

// The folder "\Outbox" under the device root, where the files handed to
// other programs are written: beamed contacts and new appointments.
class Outbox {
public:
    static QString folder() { return QStringLiteral("\\Outbox"); }

    enum class Result { Written, NoFolder, NotWritten };
    struct Written {
        Result result = Result::NotWritten;
        QString hostPath;  // when written
    };

    // Writes `bytes` to a new file "<base>-<yyyyMMdd-HHmmss of now>.<ext>"
    // (then "-2", "-3" ... before the extension while such a file exists),
    // readable and writable by the user alone. NoFolder when the folder
    // cannot be made.
    static Written write(const DeviceFs& device, const QString& base, const QString& extension,
                         const QDateTime& now, const QByteArray& bytes);
};

}  // namespace kontavo
