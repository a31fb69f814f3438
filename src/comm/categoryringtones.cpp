#include "comm/categoryringtones.h"

#include <QFile>
#include <QSaveFile>

#include "platform/devicefs.h"
#include "platform/windowregistry.h"
#include "store/settings/datafolder.h"

namespace kontavo {

QString CategoryRingtones::filePath() {
    return DeviceFs::join(programDataFolder(), QStringLiteral("Category ringtones.inf"));
}

CategoryRingtones::CategoryRingtones(const DeviceFs& fs, SettingsStore& settings,
                                     WindowRegistry* windows)
    : m_fs(fs), m_settings(settings), m_windows(windows) {}

void CategoryRingtones::load() {
    m_changed = false;
    if (!m_entries.isEmpty()) {
        return;
    }
    const auto host = m_fs.hostPath(filePath());
    QFile file(host.value_or(QString()));
    if (!host || !file.open(QIODevice::ReadOnly)) {
        return;
    }
    m_entries = ringtonecodec::decode(file.readAll()).value_or(QList<RingtoneEntry>());
}

CategoryRingtones::SaveResult CategoryRingtones::save() {
    if (!m_changed) {
        return SaveResult::Unchanged;
    }
    if (m_entries.isEmpty()) {
        const bool existed = m_fs.fileExists(filePath());
        if (existed && !m_fs.removeFile(filePath())) {
            return SaveResult::Failed;
        }
        m_changed = false;
        // The companion would otherwise keep ringing from the table it read.
        if (existed) {
            notifyCompanion();
        }
        return SaveResult::Deleted;
    }
    if (!write()) {
        return SaveResult::Failed;
    }
    m_entries.clear();
    m_changed = false;
    notifyCompanion();
    return SaveResult::Written;
}

bool CategoryRingtones::write() {
    const std::optional<QByteArray> bytes = ringtonecodec::encode(m_entries);
    if (!bytes || !prepareProgramDataFolder(m_fs, m_settings)) {
        return false;
    }
    const auto host = m_fs.hostPath(filePath());
    if (!host) {
        return false;
    }
    // The companion may read the file at any moment: it sees the old table
    // or the new one, never a part of one.
    QSaveFile file(*host);
    if (!file.open(QIODevice::WriteOnly) ||
        !file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner) ||
        file.write(*bytes) != bytes->size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

void CategoryRingtones::notifyCompanion() {
    if (m_windows == nullptr) {
        return;
    }
    if (const WindowHandle companion = m_windows->findWindow(companionClass())) {
        m_windows->postMessage(companion, {kChangedMessage, 0, 0});
    }
}

qsizetype CategoryRingtones::indexOf(const QString& name) const {
    for (qsizetype i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].name == name) {
            return i;
        }
    }
    return -1;
}

CategoryRingtones::State CategoryRingtones::ringtone(const QString& name, QString* path) const {
    const qsizetype at = indexOf(name);
    if (at < 0) {
        return NoRingtone;
    }
    if (path != nullptr) {
        *path = m_entries[at].path;
    }
    return m_fs.fileExists(m_entries[at].path) ? Present : FileMissing;
}

void CategoryRingtones::setRingtone(const QString& name, const QString& path) {
    const qsizetype at = indexOf(name);
    if (at >= 0) {
        m_entries[at].path = path;
    } else {
        m_entries.prepend({name, path});
    }
    m_changed = true;
}

void CategoryRingtones::addRingtone(const QString& name, const QString& path) {
    m_entries.prepend({name, path});
    m_changed = true;
}

void CategoryRingtones::removeRingtone(const QString& name) {
    if (m_entries.isEmpty()) {
        return;
    }
    const qsizetype at = indexOf(name);
    if (at >= 0) {
        m_entries.removeAt(at);
    }
    m_changed = true;
}

}  // namespace kontavo
