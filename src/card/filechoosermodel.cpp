#include "card/filechoosermodel.h"

#include <algorithm>

#include "platform/devicefs.h"

namespace kontavo {

namespace {

bool byName(const FileChooserModel::Entry& a, const FileChooserModel::Entry& b) {
    return a.name.compare(b.name, Qt::CaseInsensitive) < 0;
}

}  // namespace

FileChooserModel::FileChooserModel(const DeviceFs& fs, FileFilter filter)
    : m_fs(fs), m_filter(std::move(filter)) {
    refresh();
}

QStringList FileChooserModel::components() const {
    return m_folder.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
}

void FileChooserModel::setFolder(const QString& folder) {
    QString path = folder.isEmpty() ? QStringLiteral("\\") : folder;
    if (!path.startsWith(QLatin1Char('\\'))) {
        path.prepend(QLatin1Char('\\'));
    }
    if (path.size() > kMaxPath || !DeviceFs::isSafe(path) || !m_fs.folderExists(path)) {
        path = QStringLiteral("\\");
    }
    m_folder = path;
    refresh();
}

QStringList FileChooserModel::folderLines() const {
    QStringList lines{rootLine()};
    const QStringList parts = components();
    for (qsizetype level = 0; level < parts.size(); ++level) {
        lines.append(QString(int(2 * (level + 1)), QLatin1Char(' ')) + parts[level]);
    }
    return lines;
}

void FileChooserModel::goToLine(int index) {
    const QStringList parts = components().mid(0, std::max(0, index));
    setFolder(QLatin1Char('\\') + parts.join(QLatin1Char('\\')));
}

void FileChooserModel::setFilterIndex(int index) {
    m_filterIndex = index;
    refresh();
}

void FileChooserModel::refresh() {
    m_entries.clear();
    if (!components().isEmpty()) {
        m_entries.append({QStringLiteral(".."), true, true});
    }
    QList<Entry> folders;
    QList<Entry> files;
    for (const DeviceFolderEntry& item :
         m_fs.listFolder(m_folder).value_or(QList<DeviceFolderEntry>())) {
        if (item.isFolder) {
            folders.append({item.name, true, false});
        } else if (m_filter.matches(m_filterIndex, item.name)) {
            files.append({item.name, false, false});
        }
    }
    std::sort(folders.begin(), folders.end(), byName);
    std::sort(files.begin(), files.end(), byName);
    m_entries += folders;
    m_entries += files;
}

bool FileChooserModel::open(int index) {
    if (index < 0 || index >= m_entries.size() || !m_entries[index].isFolder) {
        return false;
    }
    if (m_entries[index].isParent) {
        goToLine(int(components().size()) - 1);
    } else {
        setFolder(pathOf(index));
    }
    return true;
}

QString FileChooserModel::pathOf(int index) const {
    if (index < 0 || index >= m_entries.size() || m_entries[index].isParent) {
        return QString();
    }
    return DeviceFs::join(m_folder, m_entries[index].name);
}

bool FileChooserModel::isFile(int index) const {
    return index >= 0 && index < m_entries.size() && !m_entries[index].isFolder;
}

}  // namespace kontavo
