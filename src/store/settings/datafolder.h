#pragma once

#include <QString>

namespace kontavo {

class DeviceFs;
class SettingsStore;

// The program's data folder, "Kontavo Files" in the documents folder, as a
// device path. The contact template and the category ringtones live there.
QString programDataFolder();

// Before a data file is written: creates the documents and data folders
// when missing and records the documents folder as "My Documents Folder".
// True when the data folder exists afterwards.
bool prepareProgramDataFolder(const DeviceFs& fs, SettingsStore& settings);

}  // namespace kontavo
