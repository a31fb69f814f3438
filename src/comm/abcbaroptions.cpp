#include "comm/abcbaroptions.h"

#include "diag/resources.h"
#include "store/settings/settingsstore.h"

namespace kontavo {

AbcBarOptions::AbcBarOptions(const SettingsStore& settings, const Locale& locale)
    : m_sets(LetterGroupSet::availableSets(settings)) {
    m_selected =
        std::max(0, int(m_sets.types.indexOf(LetterGroupSet::activeType(settings, locale))));
}

AbcBarOptions::Result AbcBarOptions::apply(SettingsStore& settings, int index,
                                           const QString& customText) const {
    const int type = typeAt(index);
    if (type < 0) {
        return Result::WrongFormat;
    }
    if (type == LetterGroupSet::Custom) {
        if (!LetterGroupSet::parse(customText)) {
            return Result::WrongFormat;
        }
        LetterGroupSet::storeCustomText(settings, customText);
    }
    settings.set(settings::kAbcType, type);
    return Result::Stored;
}

QString AbcBarOptions::languageLabel(const SettingsStore& settings, const Locale& locale) {
    const int type = LetterGroupSet::activeType(settings, locale);
    return loadString(kLanguageString) + loadString(LetterGroupSet::nameStringId(type));
}

}  // namespace kontavo
