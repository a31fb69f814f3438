#pragma once

#include <QStringList>

#include "comm/phonetemplateset.h"

namespace kontavo {

class SettingsStore;

// Reads the template set from the "Templates" key: "Count", the templates
// "0".."Count-1" (empty or over-long values are skipped and take no place),
// "IsActiveTemplate" and "IsIgnorePhoneFormat". When "Count" is 0 or missing
// the first-run list is installed and written, with "IsActiveTemplate" 0.
// At most kMaxStoredTemplates values are read, whatever "Count" says.
PhoneTemplateSet loadPhoneTemplates(SettingsStore& settings);

// Writes the list as the formats dialog's OK does: the key is rewritten whole
// with "Count", "0".. in list order and "IsIgnorePhoneFormat". The stored
// "IsActiveTemplate" is kept. Returns false when a write failed.
bool savePhoneTemplates(SettingsStore& settings, const QStringList& templates,
                        bool isIgnorePhoneFormat);

// Upper bound on the values read, so that a damaged "Count" cannot stall the
// start-up.
inline constexpr int kMaxStoredTemplates = 4096;

}  // namespace kontavo
