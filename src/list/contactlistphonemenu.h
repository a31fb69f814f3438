#pragma once

#include <QList>
#include <QString>
#include <optional>

#include "list/contactitems.h"

namespace kontavo {

struct ContactRecord;
class PhoneTemplateSet;

// The per-row phone menu of one contact: its phones and e-mails (phones
// formatted for display), the preselected one, and the final action item
// ("Dial to..." for a phone, "E-mail to..." for an e-mail), which acts on
// the preselected item; without the contact actions the action item is
// shown disabled. A plain value holding copies of the strings.
class ContactListPhoneMenu {
public:
    static constexpr int kDialToString = 41209;
    static constexpr int kEmailToString = 41211;

    struct Entry {
        ContactItem item;
        QString shownValue;
    };

    // What choosing an entry asks for: a new preferred item to write (only
    // when it differs from the stored one), or the item to act on.
    struct Choice {
        std::optional<uint32_t> newPreferred;
        std::optional<ContactItem> actOn;
    };

    ContactListPhoneMenu(const ContactRecord& record, const PhoneTemplateSet& templates,
                         bool offersAction = true);

    // No phone and no e-mail: no menu is shown.
    bool isEmpty() const { return m_entries.isEmpty(); }
    const QList<Entry>& entries() const { return m_entries; }
    // The entry whose identifier is the contact's preferred item, else 0.
    int preselected() const { return m_preselected; }
    QString actionText() const;
    // Whether the action item can be chosen.
    bool offersAction() const { return m_offersAction; }
    // Index of the action item: after the entries.
    int actionIndex() const { return int(m_entries.size()); }

    // Choosing entry `index` (an item, or actionIndex() for the action
    // while it is offered). Any other index asks for nothing.
    Choice choose(int index) const;

private:
    QList<Entry> m_entries;
    uint32_t m_storedPreferred = 0;
    int m_preselected = 0;
    bool m_offersAction = true;
};

}  // namespace kontavo
