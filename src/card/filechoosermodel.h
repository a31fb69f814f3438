#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include "card/filefilter.h"

namespace kontavo {

class DeviceFs;

// What the file chooser shows, apart from drawing: the folder it is in (a
// device path, "\" for the root), the folder drop-down's lines, the file
// list (".." first except at the root, then the folders, then the files the
// current filter matches, each group sorted by name without regard to case)
// and the selection. `fs` must outlive the model.
class FileChooserModel {
public:
    struct Entry {
        QString name;
        bool isFolder = false;
        bool isParent = false;  // ".."
    };

    FileChooserModel(const DeviceFs& fs, FileFilter filter);

    // Goes to `folder` (a device path); a folder that does not exist, or a
    // path past 260 characters, goes to the root instead.
    void setFolder(const QString& folder);
    const QString& folder() const { return m_folder; }

    // The drop-down's lines: "My Device", then each folder of the path one
    // level deeper, indented by two spaces per level.
    QStringList folderLines() const;
    // The folder of drop-down line `index`.
    void goToLine(int index);

    const FileFilter& filter() const { return m_filter; }
    int filterIndex() const { return m_filterIndex; }
    void setFilterIndex(int index);

    const QList<Entry>& entries() const { return m_entries; }
    // Opens a folder entry (".." goes up); false for a file.
    bool open(int index);

    // The device path of entry `index` (empty for ".." and out of range).
    QString pathOf(int index) const;
    // True when entry `index` is a file: only then may the chooser end with OK.
    bool isFile(int index) const;

    static QString rootLine() { return QStringLiteral("My Device"); }
    static constexpr int kMaxPath = 260;

private:
    QStringList components() const;
    void refresh();

    const DeviceFs& m_fs;
    FileFilter m_filter;
    int m_filterIndex = 0;
    QString m_folder = QStringLiteral("\\");
    QList<Entry> m_entries;
};

}  // namespace kontavo
