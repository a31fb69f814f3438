#include "platform/privatefiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>

namespace kontavo {

bool makePrivateFolder(const QString& folder) {
    if (folder.isEmpty()) {
        return false;
    }
    const QString absolute = QDir(folder).absolutePath();
    if (QFileInfo(absolute).isDir()) {
        return true;
    }
    const QString parent = QFileInfo(absolute).absolutePath();
    if (parent != absolute && !makePrivateFolder(parent)) {
        return false;
    }
    // mkdir's mode is cut by the umask: the mode is set again explicitly.
    const QByteArray path = QFile::encodeName(absolute);
    if (::mkdir(path.constData(), 0700) != 0) {
        return errno == EEXIST && QFileInfo(absolute).isDir();
    }
    return ::chmod(path.constData(), 0700) == 0;
}

bool createPrivateFile(const QString& path) {
    const QByteArray file = QFile::encodeName(path);
    const int fd =
        ::open(file.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOCTTY | O_CLOEXEC, 0600);
    if (fd < 0) {
        return errno == EEXIST && QFileInfo(path).isFile();
    }
    const bool ok = ::fchmod(fd, 0600) == 0;
    ::close(fd);
    return ok;
}

}  // namespace kontavo
