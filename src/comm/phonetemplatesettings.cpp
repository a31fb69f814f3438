#include "comm/phonetemplatesettings.h"

#include <algorithm>

#include "store/settingsstore.h"

namespace kontavo {

namespace {

QString templatesKey() {
    return settings::kTemplates.toString();
}

// Rewrites the list whole. Deleting the key would also drop the two flags
// kept beside the list, so they are written back.
bool rewriteList(SettingsStore& settings, const QStringList& templates) {
    const int32_t active = settings.get(settings::kIsActiveTemplate);
    const int32_t ignore = settings.get(settings::kIsIgnorePhoneFormat);
    bool ok = settings.setStringList(templatesKey(), templates);
    ok = settings.set(settings::kIsActiveTemplate, active) && ok;
    return settings.set(settings::kIsIgnorePhoneFormat, ignore) && ok;
}

QStringList readList(const SettingsStore& settings, int count) {
    QStringList templates;
    for (int i = 0; i < std::min(count, kMaxStoredTemplates); ++i) {
        const QString text =
            settings.getStringLimited(templatesKey(), QString::number(i),
                                      PhoneTemplateSet::kMaxTemplateLength + 1, QString());
        if (!text.isEmpty()) {
            templates.append(text);
        }
    }
    return templates;
}

}  // namespace

PhoneTemplateSet loadPhoneTemplates(SettingsStore& settings) {
    const int32_t count = settings.getInt(templatesKey(), settings::kCount.toString(), 0);
    QStringList templates;
    if (count <= 0) {
        templates = PhoneTemplateSet::firstRunTemplates();
        rewriteList(settings, templates);
        settings.set(settings::kIsActiveTemplate, 0);
    } else {
        templates = readList(settings, count);
    }
    return PhoneTemplateSet(templates, settings.get(settings::kIsActiveTemplate) != 0,
                            settings.get(settings::kIsIgnorePhoneFormat) != 0);
}

bool savePhoneTemplates(SettingsStore& settings, const QStringList& templates,
                        bool isIgnorePhoneFormat) {
    const bool ok = rewriteList(settings, templates);
    return settings.set(settings::kIsIgnorePhoneFormat, isIgnorePhoneFormat ? 1 : 0) && ok;
}

}  // namespace kontavo
