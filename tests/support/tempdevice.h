#pragma once

#include <QString>
#include <QTemporaryDir>
#include <memory>

#include "platform/devicefs.h"
#include "platform/sqliteregistry.h"
#include "store/settings/settingsstore.h"

namespace kontavo::test {

// A fresh device root in a temporary folder with its registry and settings
// store; everything is removed when the object goes away.
class TempDevice {
public:
    TempDevice();

    const QString& root() const { return m_rootPath; }
    DeviceFs& fs() { return *m_fs; }
    SqliteRegistry& registry() { return *m_registry; }
    SettingsStore& settings() { return *m_settings; }

    // Host path of a device path (which must be safe).
    QString host(const QString& devicePath) const;
    // Writes a file at a device path, creating its folders.
    void writeFile(const QString& devicePath, const QByteArray& bytes) const;

private:
    QTemporaryDir m_dir;
    QString m_rootPath;
    std::unique_ptr<DeviceFs> m_fs;
    std::unique_ptr<SqliteRegistry> m_registry;
    std::unique_ptr<SettingsStore> m_settings;
};

// Path of a program built by this project (kontavo-reg, kontavo-store, ...).
QString builtProgram(const QString& name);

}  // namespace kontavo::test
