#include "shell/devicerootcheck.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>

namespace kontavo {

namespace {

QString systemText(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

// The problem with folder `path` that exists: not a folder, or not usable.
std::optional<QString> folderProblem(const QByteArray& path) {
    struct stat info {};
    if (::stat(path.constData(), &info) != 0) {
        return systemText(errno);
    }
    if (!S_ISDIR(info.st_mode)) {
        return systemText(ENOTDIR);
    }
    if (::access(path.constData(), R_OK | W_OK | X_OK) != 0) {
        return systemText(errno);
    }
    return std::nullopt;
}

}  // namespace

std::optional<QString> deviceRootProblem(const QString& root) {
    const QString absolute = QDir(root).absolutePath();
    const QByteArray path = QFile::encodeName(absolute);
    struct stat info {};
    if (::stat(path.constData(), &info) == 0 || errno != ENOENT) {
        return folderProblem(path);
    }
    // Missing: creating it fails for the reason its nearest parent gives.
    QString parent = absolute;
    do {
        parent = QFileInfo(parent).path();
    } while (!QFileInfo::exists(parent) && parent != QStringLiteral("/"));
    if (const std::optional<QString> problem = folderProblem(QFile::encodeName(parent))) {
        return problem;
    }
    return QDir().mkpath(absolute) ? std::nullopt : std::optional(systemText(EACCES));
}

}  // namespace kontavo
