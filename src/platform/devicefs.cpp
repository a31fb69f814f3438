#include "platform/devicefs.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "platform/privatefiles.h"

namespace kontavo {

namespace {

QStringList splitComponents(const QString& devicePath) {
    QString path = devicePath;
    path.replace(QLatin1Char('/'), QLatin1Char('\\'));
    QStringList parts = path.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
    parts.removeAll(QStringLiteral("."));
    return parts;
}

// Finds an existing entry of `folder` whose name equals `component` ignoring
// case; an exact match wins over a case-insensitive one.
QString matchComponent(const QString& folder, const QString& component) {
    if (QFileInfo::exists(folder + QLatin1Char('/') + component)) {
        return component;
    }
    const QStringList names = QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& name : names) {
        if (name.compare(component, Qt::CaseInsensitive) == 0) {
            return name;
        }
    }
    return component;
}

// The program's folder under the user's data folder.
QString dataFolder() {
    QString dataHome = qEnvironmentVariable("XDG_DATA_HOME");
    if (dataHome.isEmpty()) {
        dataHome = QDir::homePath() + QStringLiteral("/.local/share");
    }
    return QDir(dataHome).absolutePath() + QStringLiteral("/kontavo");
}

}  // namespace

QString DeviceFs::resolveRoot(const std::optional<QString>& cliRoot) {
    if (cliRoot && !cliRoot->isEmpty()) {
        return QDir(*cliRoot).absolutePath();
    }
    const QString env = qEnvironmentVariable("KONTAVO_ROOT");
    if (!env.isEmpty()) {
        return QDir(env).absolutePath();
    }
    return dataFolder() + QStringLiteral("/device");
}

QString DeviceFs::demoRoot() {
    return dataFolder() + QStringLiteral("/demo");
}

std::optional<QString> DeviceFs::rootFromArguments(const QStringList& arguments) {
    const QString flag = QStringLiteral("--device-root");
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        if (arg == flag && i + 1 < arguments.size()) {
            return arguments[i + 1];
        }
        if (arg.startsWith(flag + QLatin1Char('='))) {
            return arg.mid(flag.size() + 1);
        }
    }
    return std::nullopt;
}

DeviceFs::DeviceFs(QString rootDir) : m_root(QDir(rootDir).absolutePath()) {
    makePrivateFolder(m_root);
}

bool DeviceFs::isSafe(const QString& devicePath) {
    if (devicePath.contains(QChar(0))) {
        return false;
    }
    const QStringList parts = splitComponents(devicePath);
    return !parts.contains(QStringLiteral(".."));
}

std::optional<QString> DeviceFs::hostPath(const QString& devicePath) const {
    if (!isSafe(devicePath)) {
        return std::nullopt;
    }
    QString host = m_root;
    bool existing = true;
    for (const QString& part : splitComponents(devicePath)) {
        // Once a component is missing, nothing below it can exist either.
        const QString name = existing ? matchComponent(host, part) : part;
        host += QLatin1Char('/') + name;
        existing = existing && QFileInfo::exists(host);
    }
    return host;
}

bool DeviceFs::fileExists(const QString& devicePath) const {
    const auto host = hostPath(devicePath);
    return host && QFileInfo(*host).isFile();
}

bool DeviceFs::folderExists(const QString& devicePath) const {
    const auto host = hostPath(devicePath);
    return host && QFileInfo(*host).isDir();
}

bool DeviceFs::createFolder(const QString& devicePath) const {
    const auto host = hostPath(devicePath);
    return host && makePrivateFolder(*host);
}

bool DeviceFs::removeFile(const QString& devicePath) const {
    const auto host = hostPath(devicePath);
    return host && QFileInfo(*host).isFile() && QFile::remove(*host);
}

std::optional<QList<DeviceFolderEntry>> DeviceFs::listFolder(const QString& devicePath) const {
    const auto host = hostPath(devicePath);
    if (!host || !QFileInfo(*host).isDir()) {
        return std::nullopt;
    }
    QList<DeviceFolderEntry> entries;
    const QFileInfoList infos = QDir(*host).entryInfoList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo& info : infos) {
        entries.append({info.fileName(), info.isDir(), info.isDir() ? 0 : info.size()});
    }
    return entries;
}

bool DeviceFs::isPhoneDevice() const {
    return fileExists(QStringLiteral("\\windows\\sms.dll"));
}

QString DeviceFs::join(const QString& folder, const QString& name) {
    QString result = folder;
    while (result.endsWith(QLatin1Char('\\'))) {
        result.chop(1);
    }
    QString tail = name;
    while (tail.startsWith(QLatin1Char('\\'))) {
        tail.remove(0, 1);
    }
    return result + QLatin1Char('\\') + tail;
}

QString DeviceFs::fileName(const QString& devicePath) {
    const qsizetype slash = devicePath.lastIndexOf(QLatin1Char('\\'));
    return slash < 0 ? devicePath : devicePath.mid(slash + 1);
}

}  // namespace kontavo
