#include "list/contactitems.h"

#include "comm/phonenumberformat.h"
#include "diag/resources.h"
#include "store/record/contactrecord.h"
#include "store/record/itemkey.h"

namespace kontavo {

namespace {

using Kind = ContactItem::Kind;

ContactItem standardItem(const ContactRecord& record, const StandardItemField& entry) {
    return {fieldInfo(entry.field).tag(), loadStringStrict(entry.labelId),
            record.field(entry.field), entry.kind, false};
}

ContactItem extendedItem(const LabeledValue& item, Kind kind) {
    return {itemKey(item.label, item.value), item.label, item.value, kind, true};
}

void appendStandard(const ContactRecord& record, Kind kind, QList<ContactItem>& out) {
    for (const StandardItemField& entry : standardItemFields()) {
        if (entry.kind == kind && !record.field(entry.field).isEmpty()) {
            out.append(standardItem(record, entry));
        }
    }
}

void appendExtended(const QList<LabeledValue>& items, Kind kind, QList<ContactItem>& out) {
    for (const LabeledValue& item : items) {
        if (!item.value.isEmpty()) {
            out.append(extendedItem(item, kind));
        }
    }
}

// The first extended item whose value is not blank, trimmed.
std::optional<ContactItem> firstExtended(const QList<LabeledValue>& items, Kind kind) {
    for (const LabeledValue& item : items) {
        if (!item.value.trimmed().isEmpty()) {
            ContactItem found = extendedItem(item, kind);
            found.value = found.value.trimmed();
            return found;
        }
    }
    return std::nullopt;
}

std::optional<ContactItem> preferredItem(const ContactRecord& record) {
    const uint32_t tag = record.preferredItemTag;
    if (tag == 0) {
        return std::nullopt;
    }
    if (tag >= kExtendedItemBase) {
        const auto found = record.findPreferredExtended();
        if (!found || found->value.trimmed().isEmpty()) {
            return std::nullopt;
        }
        const Kind kind = found->kind == ExtendedItemKind::Email ? Kind::Email : Kind::Phone;
        return ContactItem{tag, found->label, found->value.trimmed(), kind, true};
    }
    for (const StandardItemField& entry : standardItemFields()) {
        if (fieldInfo(entry.field).tag() == tag && !record.field(entry.field).isEmpty()) {
            return standardItem(record, entry);
        }
    }
    return std::nullopt;
}

}  // namespace

const QList<StandardItemField>& standardItemFields() {
    static const QList<StandardItemField> fields = {
        {ContactField::WorkPhone, 41155, Kind::Phone},
        {ContactField::WorkPhone2, 41155, Kind::Phone},
        {ContactField::HomePhone, 41156, Kind::Phone},
        {ContactField::HomePhone2, 41156, Kind::Phone},
        {ContactField::MobilePhone, 41157, Kind::Phone},
        {ContactField::HomeFax, 41158, Kind::Phone},
        {ContactField::WorkFax, 41197, Kind::Phone},
        {ContactField::Pager, 41160, Kind::Phone},
        {ContactField::CarPhone, 41159, Kind::Phone},
        {ContactField::RadioPhone, 41161, Kind::Phone},
        {ContactField::AssistantPhone, 41162, Kind::Phone},
        {ContactField::Email1, 41163, Kind::Email},
        {ContactField::Email2, 41164, Kind::Email},
        {ContactField::Email3, 41165, Kind::Email},
    };
    return fields;
}

QList<ContactItem> phoneMenuItems(const ContactRecord& record) {
    QList<ContactItem> items;
    appendStandard(record, Kind::Phone, items);
    appendExtended(record.extended.phones, Kind::Phone, items);
    appendStandard(record, Kind::Email, items);
    appendExtended(record.extended.emails, Kind::Email, items);
    return items;
}

std::optional<ContactItem> detailItem(const ContactRecord& record) {
    if (record.preferredItemTag != 0) {
        return preferredItem(record);
    }
    for (const StandardItemField& entry : standardItemFields()) {
        if (!record.field(entry.field).isEmpty()) {
            return standardItem(record, entry);
        }
    }
    if (auto phone = firstExtended(record.extended.phones, Kind::Phone)) {
        return phone;
    }
    return firstExtended(record.extended.emails, Kind::Email);
}

QString talkKeyNumber(const ContactRecord& record) {
    if (record.preferredItemTag != 0) {
        const std::optional<ContactItem> preferred = preferredItem(record);
        return preferred && preferred->kind == Kind::Phone ? preferred->value : QString();
    }
    for (const StandardItemField& entry : standardItemFields()) {
        if (entry.kind == Kind::Phone && !record.field(entry.field).isEmpty()) {
            return record.field(entry.field);
        }
    }
    for (const LabeledValue& phone : record.extended.phones) {
        if (!phone.value.isEmpty()) {
            return phone.value;
        }
    }
    return QString();
}

QString displayValue(const ContactItem& item, const PhoneTemplateSet& templates) {
    return item.kind == Kind::Phone ? displayPhoneNumber(item.value, templates) : item.value;
}

}  // namespace kontavo
