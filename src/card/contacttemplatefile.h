#pragma once

#include <QString>

namespace kontavo {

class ContactTemplate;
class DeviceFs;
class SettingsStore;

// The program's data folder, "Kontavo Files" in the documents folder, and the
// template file in it, as device paths.
QString programDataFolder();
QString contactTemplatePath();

// Start-up: loads the template file; a missing or empty file gives the
// defaults. The data folder is not created.
void loadContactTemplate(ContactTemplate& tmpl, const DeviceFs& fs);

// After the template editor's OK: creates the documents and data folders when
// missing, records the documents folder as "My Documents Folder" and writes
// the file. False when the file could not be written.
bool saveContactTemplate(const ContactTemplate& tmpl, const DeviceFs& fs, SettingsStore& settings);

}  // namespace kontavo
