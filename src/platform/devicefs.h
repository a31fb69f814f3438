#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace kontavo {

// One entry of a device folder listing.
struct DeviceFolderEntry {
    QString name;  // as stored on disk
    bool isFolder = false;
    qint64 size = 0;
};

// The handheld's file system, mapped onto a device root folder of the host.
//
// Device paths use backslashes ("\My Documents\x.tpl"); a path without a
// leading backslash is relative to the root, as on the device. Each component
// is matched case-insensitively against what exists on disk; components that
// do not exist yet keep the spelling given. A path with a ".." component or a
// NUL character is refused: no operation ever resolves outside the root.
//
// Thread-compatible: const operations may run on several threads at once.
class DeviceFs {
public:
    // The root folder: `cliRoot` when given (--device-root), else
    // $KONTAVO_ROOT, else $XDG_DATA_HOME/kontavo/device (with the usual
    // ~/.local/share fallback for XDG_DATA_HOME).
    static QString resolveRoot(const std::optional<QString>& cliRoot = std::nullopt);
    // The demonstration device root: $XDG_DATA_HOME/kontavo/demo (with the
    // same fallback), kept apart from the user's own.
    static QString demoRoot();
    // Scans argv for "--device-root DIR" or "--device-root=DIR".
    static std::optional<QString> rootFromArguments(const QStringList& arguments);

    // Uses `rootDir` as the device root and creates it when missing.
    explicit DeviceFs(QString rootDir);

    const QString& root() const { return m_root; }

    // Host path of a device path, or nullopt for an unsafe device path.
    std::optional<QString> hostPath(const QString& devicePath) const;
    // True when the device path is safe to resolve (no "..", no NUL).
    static bool isSafe(const QString& devicePath);

    bool fileExists(const QString& devicePath) const;
    bool folderExists(const QString& devicePath) const;
    // Creates the folder and every missing parent; true when it exists after.
    bool createFolder(const QString& devicePath) const;
    bool removeFile(const QString& devicePath) const;
    // Entries of a folder sorted by name, without "." and ".."; nullopt when
    // the folder does not exist or is unsafe.
    std::optional<QList<DeviceFolderEntry>> listFolder(const QString& devicePath) const;

    // Special folders, as device paths.
    static QString documentsFolder() { return QStringLiteral("\\My Documents"); }
    static QString temporaryFolder() { return QStringLiteral("\\Temp\\"); }
    static QString startupFolder() { return QStringLiteral("\\Windows\\StartUp"); }

    // True when "\windows\sms.dll" exists under the root, as on a phone.
    bool isPhoneDevice() const;

    // Joins a device folder and a name with exactly one backslash between.
    static QString join(const QString& folder, const QString& name);
    // The text after the last backslash (the whole path when there is none).
    static QString fileName(const QString& devicePath);

private:
    QString m_root;
};

}  // namespace kontavo
