#include "card/contactvaluemap.h"

#include "card/addressformatcode.h"
#include "card/templategroup.h"
#include "diag/resources.h"
#include "store/record/contactrecord.h"

namespace kontavo {

namespace {

int formatIndex(uint32_t code) {
    return addressFormatFromCode(code);
}

// The fixed fields of a text group, in the group's order, under their
// built-in labels.
QList<LabelledText> fixedTexts(const ContactRecord& contact, FieldGroup group) {
    QList<LabelledText> values;
    for (const ContactField field : fieldsOfGroup(group)) {
        const QString& text = contact.field(field);
        if (!text.isEmpty()) {
            values.append({loadStringStrict(fieldInfo(field).labelId), text});
        }
    }
    return values;
}

void appendExtended(QList<LabelledText>& values, const QList<LabeledValue>& extended) {
    for (const LabeledValue& value : extended) {
        values.append({value.label, value.value});
    }
}

void appendFixedAddress(QList<LabelledAddress>& values, const ContactRecord& contact,
                        FieldGroup group, int labelId, uint32_t format) {
    LabelledAddress address{loadStringStrict(labelId), {}, formatIndex(format)};
    bool any = false;
    const QList<ContactField>& fields = fieldsOfGroup(group);
    for (qsizetype slot = 0; slot < fields.size() && slot < kAddressSlotCount; ++slot) {
        address.parts[slot] = contact.field(fields[slot]);
        any = any || !address.parts[slot].isEmpty();
    }
    if (any) {
        values.append(address);
    }
}

}  // namespace

ContactValueMap ContactValueMap::fromContact(const ContactRecord& contact) {
    const ExtendedProperties& extended = contact.extended;
    ContactValueMap map;
    map.name = fixedTexts(contact, FieldGroup::Name);
    map.phones = fixedTexts(contact, FieldGroup::Phone);
    appendExtended(map.phones, extended.phones);
    map.emails = fixedTexts(contact, FieldGroup::Email);
    appendExtended(map.emails, extended.emails);
    map.webPages = fixedTexts(contact, FieldGroup::Web);
    appendExtended(map.webPages, extended.webPages);

    if (contact.birthday != 0) {
        map.dates.append({loadStringStrict(kLabelBirthday), contact.birthday});
    }
    if (contact.anniversary != 0) {
        map.dates.append({loadStringStrict(kLabelAnniversary), contact.anniversary});
    }
    for (const ExtendedDate& date : extended.dates) {
        map.dates.append({date.label, date.time});
    }

    map.people = fixedTexts(contact, FieldGroup::People);
    appendExtended(map.people, extended.people);
    for (const MessengerEntry& messenger : extended.messengers) {
        map.messengers.append({messenger.label, messenger.account, messenger.type});
    }
    appendExtended(map.links, extended.links);
    appendExtended(map.others, extended.otherProps);

    appendFixedAddress(map.addresses, contact, FieldGroup::HomeAddress, kLabelHomeAddress,
                       extended.homeAddressFormat);
    appendFixedAddress(map.addresses, contact, FieldGroup::WorkAddress, kLabelWorkAddress,
                       extended.workAddressFormat);
    appendFixedAddress(map.addresses, contact, FieldGroup::OtherAddress, kLabelOtherAddress,
                       extended.otherAddressFormat);
    for (const ExtendedAddress& address : extended.addresses) {
        LabelledAddress value{address.label, {}, formatIndex(address.formatCode)};
        for (int slot = 0; slot < kAddressSlotCount; ++slot) {
            value.parts[slot] = address.parts[size_t(slot)];
        }
        map.addresses.append(value);
    }
    return map;
}

const QList<LabelledText>* ContactValueMap::textList(int type) const {
    switch (type) {
        case kGroupName:
            return &name;
        case kGroupPhone:
            return &phones;
        case kGroupEMail:
            return &emails;
        case kGroupWeb:
            return &webPages;
        case kGroupPeople:
            return &people;
        case kGroupLink:
            return &links;
        case kGroupOther:
            return &others;
        default:
            return nullptr;
    }
}

}  // namespace kontavo
