#include "list/contactlistphonemenu.h"

#include "diag/resources.h"
#include "store/record/contactrecord.h"

namespace kontavo {

ContactListPhoneMenu::ContactListPhoneMenu(const ContactRecord& record,
                                           const PhoneTemplateSet& templates, bool offersAction)
    : m_storedPreferred(record.preferredItemTag), m_offersAction(offersAction) {
    bool found = false;
    for (const ContactItem& item : phoneMenuItems(record)) {
        if (!found && item.id == m_storedPreferred) {
            m_preselected = int(m_entries.size());
            found = true;
        }
        m_entries.append({item, displayValue(item, templates)});
    }
}

QString ContactListPhoneMenu::actionText() const {
    if (isEmpty()) {
        return {};
    }
    const bool phone = m_entries[m_preselected].item.kind == ContactItem::Kind::Phone;
    return loadStringStrict(phone ? kDialToString : kEmailToString);
}

ContactListPhoneMenu::Choice ContactListPhoneMenu::choose(int index) const {
    Choice choice;
    if (index == actionIndex() && !isEmpty() && m_offersAction) {
        choice.actOn = m_entries[m_preselected].item;
    } else if (index >= 0 && index < actionIndex() &&
               m_entries[index].item.id != m_storedPreferred) {
        choice.newPreferred = m_entries[index].item.id;
    }
    return choice;
}

}  // namespace kontavo
