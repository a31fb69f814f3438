#pragma once

#include <QList>
#include <QString>
#include <optional>

#include "list/contactitems.h"
#include "ui/features.h"

namespace kontavo {

class ContactAddIns;
struct ContactRecord;

// One entry of a pop-up menu: a command (id > 0), a disabled caption, a
// separator or a sub-menu. A plain value.
struct MenuEntry {
    int id = 0;
    QString text;
    bool enabled = true;
    bool separator = false;
    QList<MenuEntry> children;  // a sub-menu when not empty

    bool operator==(const MenuEntry&) const = default;
};

// The context menu of the list (tap-and-hold on a row). For one contact: a
// disabled header with the name ("First Last", else the company), "Call
// Phone" (ids 1000 + n), "Send SMS" on a phone device (1100 + n) and "Send
// Email" (1200 + n), where n numbers the contact's phones and e-mails from
// 1 in the phone menu's order; then "Duplicate", "Delete", "Beam..." and
// "Make Appointment...". For several contacts only "Beam..." and "Delete".
// Items whose feature is not in the given set are disabled: the calls, SMS
// and e-mails without the contact actions, "Beam..." and "Make
// Appointment..." without theirs. The Contacts add-ins follow when asked
// for (appendAddIns). A plain value holding copies of the items.
class ContactContextMenu {
public:
    static constexpr int kCallBase = 1000;
    static constexpr int kSmsBase = 1100;
    static constexpr int kEmailBase = 1200;
    // The frame's commands the menu offers.
    static constexpr int kDuplicate = 41284;
    static constexpr int kDelete = 41208;
    static constexpr int kBeam = 41286;
    static constexpr int kAppointment = 41211;

    // The menu for one contact.
    ContactContextMenu(const ContactRecord& record, bool isPhoneDevice,
                       const FeatureSet& features = FeatureSet::built());
    // The menu for several contacts.
    explicit ContactContextMenu(const FeatureSet& features = FeatureSet::built());

    // Adds the Contacts add-ins, when there are any: a separator and their
    // sub-menu ("Outlook Plugin"), one item per add-in with its command.
    void appendAddIns(const ContactAddIns& addIns);

    const QList<MenuEntry>& entries() const { return m_entries; }
    // Whether the menu holds command `id` as an enabled item (in a
    // sub-menu that is enabled).
    bool isOffered(int id) const;
    // The phone or e-mail a call, SMS or e-mail command `id` names.
    std::optional<ContactItem> itemOf(int id) const;

private:
    void addItemMenus(bool isPhoneDevice, bool actionsBuilt);
    MenuEntry command(int id, int stringId, const FeatureSet& features) const;

    QList<ContactItem> m_items;
    QList<MenuEntry> m_entries;
};

}  // namespace kontavo
