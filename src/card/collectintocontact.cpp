#include "card/collectintocontact.h"

#include "card/addressformatcode.h"
#include "card/contacttemplate.h"
#include "diag/resources.h"
#include "store/record/contactrecord.h"

namespace kontavo {

namespace {

constexpr std::array<ContactField, kNameLineCount - 1> kNameFields = {
    ContactField::Title,    ContactField::FirstName,  ContactField::MiddleName,
    ContactField::LastName, ContactField::Suffix,     ContactField::JobTitle,
    ContactField::Company,  ContactField::Department, ContactField::FileAs};

struct FixedAddress {
    int labelId;
    FieldGroup group;
    uint32_t ExtendedProperties::*format;
};
constexpr std::array<FixedAddress, 3> kFixedAddresses = {{
    {kLabelHomeAddress, FieldGroup::HomeAddress, &ExtendedProperties::homeAddressFormat},
    {kLabelWorkAddress, FieldGroup::WorkAddress, &ExtendedProperties::workAddressFormat},
    {kLabelOtherAddress, FieldGroup::OtherAddress, &ExtendedProperties::otherAddressFormat},
}};

// A text value into the first empty fixed field of `group` labelled `label`,
// else into `extended`.
void placeText(ContactRecord& contact, FieldGroup group, const QString& label, const QString& value,
               QList<LabeledValue>* extended) {
    for (const ContactField field : fieldsOfGroup(group)) {
        if (contact.field(field).isEmpty() && loadStringStrict(fieldInfo(field).labelId) == label) {
            contact.setField(field, value);
            return;
        }
    }
    if (extended != nullptr) {
        extended->append({label, value});
    }
}

void collectName(const FormEntry& entry, ContactRecord& contact) {
    for (int line = kLineTitle; line < kNameLineCount; ++line) {
        contact.setField(kNameFields[size_t(line - 1)], entry.name.lines[size_t(line)].trimmed());
    }
    contact.picture = entry.name.picture;
    contact.extended.image = entry.name.pictureName;
}

void collectList(const FormEntry& entry, ContactRecord& contact) {
    ExtendedProperties& ext = contact.extended;
    for (qsizetype i = 0; i < entry.rows.size(); ++i) {
        const QString value = entry.rows[i].text.trimmed();
        if (value.isEmpty()) {
            continue;
        }
        const QString label = entry.labelText(int(i));
        switch (entry.type) {
            case kGroupPhone:
                placeText(contact, FieldGroup::Phone, label, value, &ext.phones);
                break;
            case kGroupEMail:
                placeText(contact, FieldGroup::Email, label, value, &ext.emails);
                break;
            case kGroupWeb:
                placeText(contact, FieldGroup::Web, label, value, &ext.webPages);
                break;
            case kGroupPeople:
                placeText(contact, FieldGroup::People, label, value, &ext.people);
                break;
            case kGroupLink:
                ext.links.append({label, value});
                break;
            case kGroupOther:
                ext.otherProps.append({label, value});
                break;
            case kGroupMsg:
                ext.messengers.append({label, value, entry.messengerTypeText(int(i))});
                break;
            case kGroupOffice:
                contact.setField(ContactField::Office, value);
                break;
            default:
                break;
        }
    }
}

void collectDates(const FormEntry& entry, ContactRecord& contact) {
    const QString birthday = loadStringStrict(kLabelBirthday);
    const QString anniversary = loadStringStrict(kLabelAnniversary);
    for (qsizetype i = 0; i < entry.rows.size(); ++i) {
        const FormRow& row = entry.rows[i];
        if (row.date == 0 || row.hasInvalidDate()) {
            continue;
        }
        const QString label = entry.labelText(int(i));
        if (label == birthday && contact.birthday == 0) {
            contact.birthday = row.date;
        } else if (label == anniversary && contact.anniversary == 0) {
            contact.anniversary = row.date;
        } else {
            contact.extended.dates.append({label, row.date});
        }
    }
}

bool placeFixedAddress(ContactRecord& contact, const QString& label, const AddressParts& parts,
                       uint32_t code) {
    for (const FixedAddress& fixed : kFixedAddresses) {
        const QList<ContactField>& fields = fieldsOfGroup(fixed.group);
        bool empty = true;
        for (const ContactField field : fields) {
            empty = empty && contact.field(field).isEmpty();
        }
        if (!empty || loadStringStrict(fixed.labelId) != label) {
            continue;
        }
        for (qsizetype slot = 0; slot < fields.size() && slot < kAddressSlotCount; ++slot) {
            contact.setField(fields[slot], parts[size_t(slot)]);
        }
        contact.extended.*fixed.format = code;
        return true;
    }
    return false;
}

void collectAddresses(const FormEntry& entry, ContactRecord& contact) {
    for (qsizetype i = 0; i < entry.rows.size(); ++i) {
        const FormRow& row = entry.rows[i];
        AddressParts parts;
        bool any = false;
        for (int slot = 0; slot < kAddressSlotCount; ++slot) {
            parts[size_t(slot)] = row.address.values()[size_t(slot)].trimmed();
            any = any || !parts[size_t(slot)].isEmpty();
        }
        if (!any) {
            continue;
        }
        const uint32_t code = row.addressFormatUnset ? 0 : addressFormatCode(row.address.format());
        const QString label = entry.labelText(int(i));
        if (placeFixedAddress(contact, label, parts, code)) {
            continue;
        }
        ExtendedAddress address;
        address.label = label;
        for (int slot = 0; slot < kAddressSlotCount; ++slot) {
            address.parts[size_t(slot)] = parts[size_t(slot)];
        }
        address.formatCode = code;
        contact.extended.addresses.append(address);
    }
}

void collectBlock(const FormEntry& entry, ContactRecord& contact) {
    switch (entry.kind) {
        case BlockKind::Name:
            collectName(entry, contact);
            break;
        case BlockKind::Date:
            collectDates(entry, contact);
            break;
        case BlockKind::Address:
            collectAddresses(entry, contact);
            break;
        case BlockKind::Category:
            contact.categoryMask = entry.categoryMask;
            break;
        case BlockKind::Notes:
            contact.userNote = entry.note;
            break;
        default:
            collectList(entry, contact);
            break;
    }
}

}  // namespace

ContactRecord collectIntoContact(const QList<FormEntry>& blocks, const ContactRecord& original) {
    ContactRecord contact = original;
    contact.fields = {};
    contact.birthday = 0;
    contact.anniversary = 0;
    contact.extended = ExtendedProperties();
    contact.extended.image = original.extended.image;
    contact.extended.checksum = original.extended.checksum;
    for (const FormEntry& entry : blocks) {
        collectBlock(entry, contact);
    }
    if (contact.field(ContactField::FileAs).isEmpty()) {
        contact.setField(
            ContactField::FileAs,
            defaultFileAs(
                contact.field(ContactField::FirstName), contact.field(ContactField::MiddleName),
                contact.field(ContactField::LastName), contact.field(ContactField::Title),
                contact.field(ContactField::Suffix), contact.field(ContactField::Company)));
    }
    if (contact.preferredItemTag != 0 &&
        !contact.preferredCandidates().contains(contact.preferredItemTag)) {
        contact.preferredItemTag = 0;
    }
    return contact;
}

void collectIntoTemplate(const QList<FormEntry>& blocks, ContactTemplate& tpl) {
    tpl.reset();
    tpl.setGroupShown(kGroupOffice, false);
    tpl.setGroupShown(kGroupCategory, false);
    for (const FormEntry& entry : blocks) {
        if (entry.kind == BlockKind::Name) {
            tpl.setNameCollapsed(entry.name.collapsed);
            continue;
        }
        TemplateGroup* group = tpl.getGroup(entry.type);
        if (group == nullptr) {
            continue;
        }
        if (entry.type == kGroupOffice || entry.type == kGroupCategory) {
            group->shown = true;
            continue;
        }
        for (qsizetype i = 0; i < entry.rows.size(); ++i) {
            group->addRow(entry.labelText(int(i)));
            if (entry.type == kGroupMsg) {
                group->messengerSelection.append(
                    group->messengerTypes.findOrAppend(entry.messengerTypeText(int(i))));
            }
            if (entry.type == kGroupAddr) {
                group->addrFormat.append(entry.rows[i].address.format());
            }
        }
    }
}

}  // namespace kontavo
