#pragma once

#include <QString>

#include "store/settings/datafolder.h"

namespace kontavo {

class ContactTemplate;
class DeviceFs;
class SettingsStore;

// The template file in the program's data folder, as a device path.
QString contactTemplatePath();

// Start-up: loads the template file; a missing or empty file gives the
// defaults. The data folder is not created.
void loadContactTemplate(ContactTemplate& tmpl, const DeviceFs& fs);

// After the template editor's OK: creates the documents and data folders when
// missing, records the documents folder as "My Documents Folder" and writes
// the file. False when the file could not be written.
bool saveContactTemplate(const ContactTemplate& tmpl, const DeviceFs& fs, SettingsStore& settings);

}  // namespace kontavo
