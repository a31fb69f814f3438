#include "platform/runtimedir.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <cerrno>

namespace kontavo {

QString runtimeDirPath() {
    const QString base = qEnvironmentVariable("XDG_RUNTIME_DIR");
    return base.isEmpty() ? QStringLiteral("/tmp/kontavo-%1").arg(getuid())
                          : base + QStringLiteral("/kontavo");
}

QString runtimeDir() {
    const QString folder = runtimeDirPath();
    const QByteArray path = QFile::encodeName(folder);
    if (mkdir(path.constData(), 0700) != 0 && errno != EEXIST) {
        return QString();
    }
    struct stat info {};
    // Someone else's folder, or one others can write to, is never trusted.
    if (lstat(path.constData(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != getuid() ||
        (info.st_mode & 0077) != 0) {
        return QString();
    }
    return folder;
}

QString safeFileComponent(const QString& name) {
    QString safe;
    safe.reserve(name.size());
    bool replaced = false;
    for (QChar c : name) {
        const bool ok = (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
                        (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
                        (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('.') ||
                        c == QLatin1Char('_') || c == QLatin1Char('-');
        safe.append(ok ? c : QLatin1Char('_'));
        replaced = replaced || !ok;
    }
    if (safe.startsWith(QLatin1Char('.'))) {
        safe[0] = QLatin1Char('_');
        replaced = true;
    }
    if (!replaced && !safe.isEmpty()) {
        return safe;
    }
    uint32_t hash = 2166136261u;
    for (QChar c : name) {
        hash = (hash ^ c.unicode()) * 16777619u;
    }
    return safe + QStringLiteral("-%1").arg(hash, 8, 16, QLatin1Char('0'));
}

}  // namespace kontavo
