#pragma once

#include <QString>

#include "store/index/lettergroupset.h"

namespace kontavo {

class Locale;
class SettingsStore;

// What the ABC bar options page (ApABCBarDlg) offers and stores: the
// letter sets by name ("Custom" first, with the stored custom text, then the
// built-in sets), the one in use selected. Applying a choice stores "ABC"
// "Custom" (for the custom set, once its text parses) and "ABC" "Type". A
// plain value.
class AbcBarOptions {
public:
    static constexpr int kWrongFormatString = 121;  // "Wrong ABC bar custom string format  !"
    static constexpr int kLanguageString = 41283;   // "Language: "

    enum class Result { Stored, WrongFormat };

    AbcBarOptions(const SettingsStore& settings, const Locale& locale);

    const QStringList& names() const { return m_sets.names; }
    const QStringList& texts() const { return m_sets.texts; }
    int count() const { return int(m_sets.types.size()); }
    bool isCustom(int index) const { return typeAt(index) == LetterGroupSet::Custom; }
    int typeAt(int index) const { return m_sets.types.value(index, -1); }
    // The set in use when the page opened.
    int selected() const { return m_selected; }

    // Stores the choice of set `index`; for the custom set `customText` must
    // yield at least one group (else WrongFormat and nothing is stored).
    Result apply(SettingsStore& settings, int index, const QString& customText) const;

    // "Language: " and the name of the set in use.
    static QString languageLabel(const SettingsStore& settings, const Locale& locale);

private:
    LetterGroupSet::Available m_sets;
    int m_selected = 0;
};

}  // namespace kontavo
