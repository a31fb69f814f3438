#include "store/settings/datafolder.h"

#include "platform/devicefs.h"
#include "store/settings/settingsstore.h"

namespace kontavo {

QString programDataFolder() {
    return DeviceFs::join(DeviceFs::documentsFolder(), QStringLiteral("Kontavo Files"));
}

bool prepareProgramDataFolder(const DeviceFs& fs, SettingsStore& settings) {
    fs.createFolder(DeviceFs::documentsFolder());
    const bool made = fs.createFolder(programDataFolder());
    settings.set(settings::kMyDocumentsFolder, DeviceFs::documentsFolder());
    return made;
}

}  // namespace kontavo
