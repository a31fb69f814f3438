#include "card/contacttemplatefile.h"

#include "card/contacttemplate.h"
#include "platform/devicefs.h"
#include "store/settings/datafolder.h"
#include "store/settings/settingsstore.h"

namespace kontavo {

QString contactTemplatePath() {
    return DeviceFs::join(programDataFolder(), QStringLiteral("Contact template.tpl"));
}

void loadContactTemplate(ContactTemplate& tmpl, const DeviceFs& fs) {
    if (!tmpl.load(fs, contactTemplatePath())) {
        tmpl.setDefaults();
    }
}

bool saveContactTemplate(const ContactTemplate& tmpl, const DeviceFs& fs, SettingsStore& settings) {
    prepareProgramDataFolder(fs, settings);
    return tmpl.save(fs, contactTemplatePath());
}

}  // namespace kontavo
