#include "card/contacttemplatefile.h"

#include "card/contacttemplate.h"
#include "platform/devicefs.h"
#include "store/settingsstore.h"

namespace kontavo {

QString programDataFolder() {
    return DeviceFs::join(DeviceFs::documentsFolder(), QStringLiteral("Kontavo Files"));
}

QString contactTemplatePath() {
    return DeviceFs::join(programDataFolder(), QStringLiteral("Contact template.tpl"));
}

void loadContactTemplate(ContactTemplate& tmpl, const DeviceFs& fs) {
    if (!tmpl.load(fs, contactTemplatePath())) {
        tmpl.setDefaults();
    }
}

bool saveContactTemplate(const ContactTemplate& tmpl, const DeviceFs& fs, SettingsStore& settings) {
    fs.createFolder(DeviceFs::documentsFolder());
    fs.createFolder(programDataFolder());
    settings.set(settings::kMyDocumentsFolder, DeviceFs::documentsFolder());
    return tmpl.save(fs, contactTemplatePath());
}

}  // namespace kontavo
