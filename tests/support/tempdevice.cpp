#include "support/tempdevice.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace kontavo::test {

TempDevice::TempDevice()
    : m_rootPath(m_dir.path() + QStringLiteral("/device")),
      m_fs(std::make_unique<DeviceFs>(m_rootPath)),
      m_registry(std::make_unique<SqliteRegistry>(SqliteRegistry::fileInRoot(m_rootPath))),
      m_settings(std::make_unique<SettingsStore>(*m_registry)) {}

QString TempDevice::host(const QString& devicePath) const {
    return m_fs->hostPath(devicePath).value_or(QString());
}

void TempDevice::writeFile(const QString& devicePath, const QByteArray& bytes) const {
    const QString path = host(devicePath);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(bytes);
    }
}

QString builtProgram(const QString& name) {
    return QStringLiteral(KONTAVO_BIN_DIR) + QLatin1Char('/') + name;
}

}  // namespace kontavo::test
