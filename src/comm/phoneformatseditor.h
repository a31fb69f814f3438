#pragma once

#include <QString>
#include <QStringList>

namespace kontavo {

class SettingsStore;

// What the "Phone number formats" dialog edits (its logic, apart from the
// widgets): a copy of the template list, ordered by weight when it opens,
// the selected entry, the text of the edit field, the example and the
// "Ignore existing "-" symbols" flag. Nothing is stored before save(). A
// plain value.
class PhoneFormatsEditor {
public:
    static constexpr int kNothingString = 41296;  // "Nothing to display"

    // The list as stored, ordered by weight (ascending, the stored order
    // kept among equal weights); nothing selected, the edit field empty.
    PhoneFormatsEditor(const QStringList& stored, bool ignoreDashes);
    // The list and flag read from the settings (as the template set is
    // loaded: a list never written gets the first-run list).
    static PhoneFormatsEditor load(SettingsStore& settings);

    const QStringList& templates() const { return m_templates; }
    int selected() const { return m_selected; }  // -1: none
    const QString& editText() const { return m_editText; }
    bool ignoreDashes() const { return m_ignoreDashes; }

    // The example line: while an entry is selected, the edit field's
    // template filled with "1234567890" repeated and cut to its number of
    // "#"; else, or when it cannot be filled, "Nothing to display".
    QString example() const;

    // Selecting an entry copies it into the edit field (-1: none).
    void select(int row);
    // The edit field changed; at most 259 characters are kept.
    void setEditText(const QString& text);
    // "Add": the edit text goes to the end of the list and is selected,
    // unless it is empty or already listed (exact comparison). True when
    // added.
    bool add();
    // "Delete": the selected entry goes; the one now at its place (or the
    // new last one) is selected and copied into the edit field.
    bool remove();
    // "Up" / "Down": the selected entry moves one place, not past either
    // end, and stays selected.
    bool moveUp();
    bool moveDown();
    // "Default": the dialog's default list, its first entry selected and
    // copied into the edit field.
    void resetToDefault();
    void setIgnoreDashes(bool on) { m_ignoreDashes = on; }

    // "OK": the key "Templates" is rewritten whole with the list in its
    // current order and "IsIgnorePhoneFormat"; "IsActiveTemplate" is kept.
    bool save(SettingsStore& settings) const;

private:
    QStringList m_templates;
    int m_selected = -1;
    QString m_editText;
    bool m_ignoreDashes = false;
};

}  // namespace kontavo
