#include "list/contactcontextmenu.h"

#include "comm/contactaddins.h"
#include "diag/resources.h"
#include "store/record/contactrecord.h"

namespace kontavo {

namespace {

constexpr int kCallPhoneString = 103;
constexpr int kSendEmailString = 41135;
constexpr int kSendSmsString = 41137;
constexpr int kDeleteString = 41131;
constexpr int kBeamString = 41136;
constexpr int kAppointmentString = 41267;
constexpr int kDuplicateString = 41285;

MenuEntry separator() {
    MenuEntry entry;
    entry.separator = true;
    return entry;
}

bool offers(const QList<MenuEntry>& entries, int id) {
    for (const MenuEntry& entry : entries) {
        if (!entry.enabled || entry.separator) {
            continue;
        }
        if (entry.id == id || (!entry.children.isEmpty() && offers(entry.children, id))) {
            return true;
        }
    }
    return false;
}

// "First Last" when either is set (the blank always written), else the
// company; empty when there is none.
QString headerName(const ContactRecord& record) {
    const QString& first = record.field(ContactField::FirstName);
    const QString& last = record.field(ContactField::LastName);
    if (!first.isEmpty() || !last.isEmpty()) {
        return first + u' ' + last;
    }
    return record.field(ContactField::Company);
}

}  // namespace

ContactContextMenu::ContactContextMenu(const ContactRecord& record, bool isPhoneDevice,
                                       const FeatureSet& features)
    : m_items(phoneMenuItems(record)) {
    const QString name = headerName(record);
    if (!name.isEmpty()) {
        m_entries.append({0, name, false, false, {}});
        m_entries.append(separator());
    }
    addItemMenus(isPhoneDevice, features.has(Feature::ContactActions));
    m_entries.append(command(kDuplicate, kDuplicateString, features));
    m_entries.append(command(kDelete, kDeleteString, features));
    m_entries.append(separator());
    m_entries.append(command(kBeam, kBeamString, features));
    m_entries.append(command(kAppointment, kAppointmentString, features));
}

ContactContextMenu::ContactContextMenu(const FeatureSet& features) {
    m_entries.append(command(kBeam, kBeamString, features));
    m_entries.append(command(kDelete, kDeleteString, features));
}

MenuEntry ContactContextMenu::command(int id, int stringId, const FeatureSet& features) const {
    return {id, loadStringStrict(stringId), features.allowsCommand(id), false, {}};
}

void ContactContextMenu::appendAddIns(const ContactAddIns& addIns) {
    if (addIns.isEmpty()) {
        return;
    }
    MenuEntry popup{0, ContactAddIns::menuLabel(), true, false, {}};
    for (const ContactAddIns::Entry& entry : addIns.entries()) {
        popup.children.append({entry.command, entry.menuText, true, false, {}});
    }
    m_entries.append(separator());
    m_entries.append(popup);
}

bool ContactContextMenu::isOffered(int id) const {
    return id != 0 && offers(m_entries, id);
}

// The calls, SMS and e-mails are there to see even while the contact
// actions are missing, but cannot be chosen.
void ContactContextMenu::addItemMenus(bool isPhoneDevice, bool actionsBuilt) {
    MenuEntry calls{0, loadStringStrict(kCallPhoneString), actionsBuilt, false, {}};
    MenuEntry sms{0, loadStringStrict(kSendSmsString), actionsBuilt, false, {}};
    MenuEntry mails{0, loadStringStrict(kSendEmailString), actionsBuilt, false, {}};
    for (int i = 0; i < m_items.size(); ++i) {
        const ContactItem& item = m_items[i];
        const QString text = item.label + u'\t' + item.value;
        const int sequence = i + 1;
        if (item.kind == ContactItem::Kind::Phone) {
            calls.children.append({kCallBase + sequence, text, true, false, {}});
            sms.children.append({kSmsBase + sequence, text, true, false, {}});
        } else {
            mails.children.append({kEmailBase + sequence, text, true, false, {}});
        }
    }
    if (!calls.children.isEmpty()) {
        m_entries.append(calls);
        if (isPhoneDevice) {
            m_entries.append(sms);
        }
    }
    if (!mails.children.isEmpty()) {
        m_entries.append(mails);
    }
    if (!calls.children.isEmpty() || !mails.children.isEmpty()) {
        m_entries.append(separator());
    }
}

std::optional<ContactItem> ContactContextMenu::itemOf(int id) const {
    const bool email = id > kEmailBase;
    const int base = email ? kEmailBase : (id > kSmsBase ? kSmsBase : kCallBase);
    const int sequence = id - base;
    if (id <= kCallBase || sequence < 1 || sequence > m_items.size()) {
        return std::nullopt;
    }
    const ContactItem& item = m_items[sequence - 1];
    const bool isEmail = item.kind == ContactItem::Kind::Email;
    return isEmail == email ? std::optional(item) : std::nullopt;
}

}  // namespace kontavo
