#include "list/contactcontextmenu.h"

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

MenuEntry command(int id, int stringId) {
    return {id, loadStringStrict(stringId), true, false, {}};
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

ContactContextMenu::ContactContextMenu(const ContactRecord& record, bool isPhoneDevice)
    : m_items(phoneMenuItems(record)) {
    const QString name = headerName(record);
    if (!name.isEmpty()) {
        m_entries.append({0, name, false, false, {}});
        m_entries.append(separator());
    }
    addItemMenus(isPhoneDevice);
    m_entries.append(command(kDuplicate, kDuplicateString));
    m_entries.append(command(kDelete, kDeleteString));
    m_entries.append(separator());
    m_entries.append(command(kBeam, kBeamString));
    m_entries.append(command(kAppointment, kAppointmentString));
}

ContactContextMenu::ContactContextMenu() {
    m_entries.append(command(kBeam, kBeamString));
    m_entries.append(command(kDelete, kDeleteString));
}

void ContactContextMenu::addItemMenus(bool isPhoneDevice) {
    MenuEntry calls{0, loadStringStrict(kCallPhoneString), true, false, {}};
    MenuEntry sms{0, loadStringStrict(kSendSmsString), true, false, {}};
    MenuEntry mails{0, loadStringStrict(kSendEmailString), true, false, {}};
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
