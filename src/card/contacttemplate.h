#pragma once

#include <QString>
#include <array>

#include "card/templategroup.h"

namespace kontavo {

class DeviceFs;

// The one contact template: which groups the card and the edit form show, the
// rows of each group with their labels, the labels the user may choose from,
// and the name block's state. Built-in labels and hints come from the string
// table when the template is constructed (a missing text is fatal). A plain
// value used on the UI thread; the template editor works on a copy made with
// copyFrom() and hands it back on OK.
class ContactTemplate {
public:
    // Name parts, the labels of the Name group.
    enum NamePart : int {
        kPartName,
        kPartTitle,
        kPartFirst,
        kPartMiddle,
        kPartLast,
        kPartSuffix,
        kPartJobTitle,
        kPartCompany,
        kPartDepartment,
        kPartFileAs,
        kNamePartCount
    };

    // The twelve groups with their built-in labels and hints, no rows, every
    // group shown; `NameColl` false and the name part flags at their defaults.
    // New Addr rows get `defaultAddressFormat`.
    explicit ContactTemplate(int defaultAddressFormat);
    // As above with the address-format table's default.
    ContactTemplate();

    // Drops custom labels and rows of every group and shows every group;
    // `NameColl` and the name part flags stay.
    void reset();
    // reset(), then the default rows of the groups shown by default (Web,
    // People and Other are hidden and get no rows), `NameColl` false and the
    // default name part flags.
    void setDefaults();
    // reset(), then takes over `NameColl`, the name part flags and per group
    // the custom labels, rows, parallel lists and shown flag. Both templates
    // hold the same built-in labels (they come from one string table).
    void copyFrom(const ContactTemplate& other);

    // `NameColl`: the name block starts collapsed.
    bool nameCollapsed() const { return m_nameCollapsed; }
    void setNameCollapsed(bool on) { m_nameCollapsed = on; }
    // Name, First, Middle, Last and Company are always shown: they read true
    // and cannot be switched off. An index outside 0..9 reads true and is
    // ignored on write.
    bool getNamePart(int index) const;
    void setNamePart(int index, bool on);
    static bool isAlwaysShownNamePart(int index);

    // Name: always. Office and Category: their shown flag. Other groups:
    // shown and with at least one row. Types outside 0..11: false.
    bool isGroupShown(int type) const;
    // Sets the shown flag; switching a list group on while it has no rows
    // gives it its default rows. Ignored for Name and types outside 1..11.
    void setGroupShown(int type, bool on);
    // The group for types 0..11, nullptr otherwise.
    TemplateGroup* getGroup(int type);
    const TemplateGroup* getGroup(int type) const;

    int defaultAddressFormat() const { return m_defaultAddressFormat; }

    // Reads the template file at a device path (docs/formats/contact-template.md).
    // False, leaving the template unchanged, when the file cannot be opened
    // or is empty; an empty file is deleted. The caller then applies
    // setDefaults().
    bool load(const DeviceFs& fs, const QString& devicePath);
    // Writes the file anew; its folder must exist. False when writing failed
    // (the old file then stays as it was).
    bool save(const DeviceFs& fs, const QString& devicePath) const;

private:
    void seedDefaultRows(int type);

    std::array<TemplateGroup, kTemplateGroupCount> m_groups;
    std::array<bool, kNamePartCount> m_nameParts{};
    bool m_nameCollapsed = false;
    int m_defaultAddressFormat = -1;
};

}  // namespace kontavo
