#pragma once

#include <QList>
#include <QString>

#include "comm/callerid.h"
#include "comm/ringtonecodec.h"

namespace kontavo {

class DeviceFs;
class SettingsStore;
class WindowRegistry;

// The category ringtones: which sound file the caller-ID companion plays
// when a contact of a category calls. An ordered table of (category name,
// sound file) entries, names compared exactly; new entries go to the front
// and a lookup finds the first entry of a name. The table is kept in
// "Category ringtones.inf" in the program's data folder (no file: no
// ringtones); after every change of the file the companion's window
// "CALLERID_MAINCLASS" is posted message 3026.
//
// The category list dialog loads the table when it opens and saves it when
// it closes. UI thread only; `fs`, `settings` and `windows` (may be null: no
// companion is told) must outlive the object.
class CategoryRingtones {
public:
    // What GetRingtone says about a category.
    enum State { NoRingtone = 0, Present = 1, FileMissing = -1 };
    enum class SaveResult {
        Unchanged,  // nothing had changed: nothing written
        Written,    // the file was replaced and the companion told
        Deleted,    // the table became empty: the file is gone and the companion told
        Failed,     // the file could not be written or deleted: the table is kept
    };

    static constexpr uint32_t kChangedMessage = CallerIdCompanion::kRingtonesChangedMessage;
    static QString companionClass() { return CallerIdCompanion::kWindowClass.toString(); }
    // "\My Documents\Kontavo Files\Category ringtones.inf".
    static QString filePath();

    CategoryRingtones(const DeviceFs& fs, SettingsStore& settings, WindowRegistry* windows);

    // Reads the file when the table is empty; a missing or invalid file
    // leaves it empty. Clears the changed flag.
    void load();
    // Unless nothing changed: writes the table to the file (beside it, then
    // renamed over it, so the old file stays whole until the new one is),
    // or deletes the file when the table is empty. After a write the table
    // is released (load() reads it again).
    SaveResult save();

    // The ringtone of category `name`: NoRingtone, Present, or FileMissing
    // when its sound file is gone; an entry's device path goes to `path`.
    State ringtone(const QString& name, QString* path = nullptr) const;
    // Replaces the path of the first entry of `name`, or adds an entry at
    // the front.
    void setRingtone(const QString& name, const QString& path);
    // Adds an entry at the front without looking for one of that name (for
    // a category just created).
    void addRingtone(const QString& name, const QString& path);
    // Removes the first entry of `name`; the table counts as changed
    // whenever it is not empty.
    void removeRingtone(const QString& name);

    const QList<RingtoneEntry>& entries() const { return m_entries; }
    bool isChanged() const { return m_changed; }

private:
    qsizetype indexOf(const QString& name) const;
    bool write();
    void notifyCompanion();

    const DeviceFs& m_fs;
    SettingsStore& m_settings;
    WindowRegistry* m_windows;
    QList<RingtoneEntry> m_entries;
    bool m_changed = false;
};

}  // namespace kontavo
