#include "card/contacteditinpropmapper.h"

#include "card/addressformattable.h"
#include "card/contacttemplate.h"
#include "card/contactvaluemap.h"
#include "store/notes/extendedblock.h"
#include "store/record/contactrecord.h"

namespace kontavo {

namespace {

constexpr std::array<ContactField, kNameLineCount> kNameFields = {
    ContactField::FileAs,  // line 0 has no field of its own; never read
    ContactField::Title,    ContactField::FirstName,  ContactField::MiddleName,
    ContactField::LastName, ContactField::Suffix,     ContactField::JobTitle,
    ContactField::Company,  ContactField::Department, ContactField::FileAs};

bool hasCategories(const QByteArray& mask) {
    for (const char byte : mask) {
        if (byte != 0) {
            return true;
        }
    }
    return false;
}

// The row a value of label `label` fills: the first row with that label when
// it is still empty, else a new row.
template <typename IsEmpty>
FormRow& rowFor(FormEntry& entry, const QString& label, IsEmpty isEmpty) {
    const int index = entry.labels.findOrAppend(label);
    for (FormRow& row : entry.rows) {
        if (row.label == index) {
            if (isEmpty(row)) {
                return row;
            }
            break;
        }
    }
    FormRow row;
    row.label = index;
    entry.rows.append(row);
    return entry.rows.last();
}

void mergeTexts(FormEntry& entry, const QList<LabelledText>& values) {
    for (const LabelledText& value : values) {
        rowFor(entry, value.label, [](const FormRow& row) { return row.text.isEmpty(); }).text =
            value.text;
    }
}

void mergeMessengers(FormEntry& entry, const QList<LabelledMessenger>& values) {
    for (const LabelledMessenger& value : values) {
        FormRow& row =
            rowFor(entry, value.label, [](const FormRow& r) { return r.text.isEmpty(); });
        row.text = value.account;
        row.messengerType = entry.messengerTypes.findOrAppend(value.type);
    }
}

void mergeDates(FormEntry& entry, const QList<LabelledDate>& values) {
    for (const LabelledDate& value : values) {
        rowFor(entry, value.label, [](const FormRow& row) { return row.date == 0; }).date =
            value.date;
    }
}

void mergeAddresses(FormEntry& entry, const QList<LabelledAddress>& values,
                    const AddressFormatTable& table) {
    for (const LabelledAddress& value : values) {
        FormRow& row = rowFor(entry, value.label, [](const FormRow& r) {
            for (const QString& part : r.address.values()) {
                if (!part.isEmpty()) {
                    return false;
                }
            }
            return true;
        });
        // The format goes first so that the stored country text stays.
        row.addressFormatUnset = value.format == kNoAddressFormat;
        row.address = AddressRow();
        row.address.applyFormat(row.addressFormatUnset ? table.defaultIndex() : value.format,
                                table);
        for (int slot = 0; slot < kAddressSlotCount; ++slot) {
            row.address.setValue(slot, value.parts[size_t(slot)]);
        }
    }
}

}  // namespace

BlockKind blockKindOf(int type) {
    switch (type) {
        case kGroupName:
            return BlockKind::Name;
        case kGroupMsg:
            return BlockKind::Messenger;
        case kGroupOffice:
            return BlockKind::Office;
        case kGroupAddr:
            return BlockKind::Address;
        case kGroupCategory:
            return BlockKind::Category;
        case kGroupDate:
            return BlockKind::Date;
        case kGroupLink:
            return BlockKind::Link;
        case kGroupNotes:
            return BlockKind::Notes;
        default:
            return BlockKind::List;
    }
}

QString ContactEditInPropMapper::categoryText(const QByteArray& mask) const {
    if (!m_context.categoryNames || !hasCategories(mask)) {
        return {};
    }
    return m_context.categoryNames(mask).join(QStringLiteral(", "));
}

FormEntry ContactEditInPropMapper::emptyBlock(const ContactTemplate& tpl, int type) const {
    FormEntry entry;
    entry.kind = blockKindOf(type);
    entry.type = type;
    const TemplateGroup* group = tpl.getGroup(type);
    if (group == nullptr) {
        return entry;
    }
    entry.labels = group->labels;
    entry.hint = group->hint;
    entry.messengerTypes = group->messengerTypes;
    entry.lastAddressFormat = m_context.addressFormats->defaultIndex();
    if (type == kGroupOffice || type == kGroupCategory) {
        entry.rows.append(FormRow());
        return entry;
    }
    for (qsizetype i = 0; i < group->selection.size(); ++i) {
        FormRow row;
        row.label = group->selection[i];
        if (type == kGroupMsg) {
            row.messengerType = group->messengerSelection.value(i, 0);
        }
        if (type == kGroupAddr) {
            row.address.applyFormat(group->addrFormat.value(i, -1), *m_context.addressFormats);
        }
        entry.rows.append(row);
    }
    return entry;
}

FormEntry ContactEditInPropMapper::nameBlock(const ContactRecord& contact,
                                             const ContactTemplate& tpl) const {
    FormEntry entry;
    entry.kind = BlockKind::Name;
    entry.type = kGroupName;
    entry.labels = tpl.getGroup(kGroupName)->labels;
    NameBlockData& name = entry.name;
    for (int line = kLineTitle; line < kNameLineCount; ++line) {
        name.lines[size_t(line)] = contact.field(kNameFields[size_t(line)]);
    }
    name.lines[kLineName] = combinedName(name.lines);
    for (int line = 0; line < kNameLineCount; ++line) {
        name.hidden[size_t(line)] = !tpl.getNamePart(line);
    }
    name.collapsed = tpl.nameCollapsed();
    name.picture = contact.picture;
    name.pictureName = contact.extended.image;
    return entry;
}

QList<FormEntry> ContactEditInPropMapper::build(const ContactRecord& contact,
                                                const ContactTemplate& tpl) const {
    const ContactValueMap values = ContactValueMap::fromContact(contact);
    const AddressFormatTable& table = *m_context.addressFormats;
    QList<FormEntry> blocks;
    blocks.append(nameBlock(contact, tpl));
    for (int type = kGroupPhone; type < kTemplateGroupCount; ++type) {
        FormEntry entry = emptyBlock(tpl, type);
        if (type == kGroupOffice) {
            entry.rows[0].text = contact.field(ContactField::Office);
            if (entry.rows[0].text.isEmpty() && !tpl.isGroupShown(type)) {
                continue;
            }
        } else if (type == kGroupCategory) {
            entry.categoryMask = contact.categoryMask;
            entry.rows[0].text = categoryText(contact.categoryMask);
            if (!hasCategories(contact.categoryMask) && !tpl.isGroupShown(type)) {
                continue;
            }
        } else if (type == kGroupMsg) {
            mergeMessengers(entry, values.messengers);
        } else if (type == kGroupAddr) {
            mergeAddresses(entry, values.addresses, table);
        } else if (type == kGroupDate) {
            mergeDates(entry, values.dates);
        } else if (const QList<LabelledText>* texts = values.textList(type)) {
            mergeTexts(entry, *texts);
        }
        if (!entry.rows.isEmpty()) {
            blocks.append(entry);
        }
    }
    FormEntry notes;
    notes.kind = BlockKind::Notes;
    notes.type = kGroupNotes;
    notes.note = contact.userNote;
    notes.noteText = noteToText(contact.userNote, *m_context.locale);
    blocks.append(notes);
    return blocks;
}

QList<FormEntry> ContactEditInPropMapper::buildTemplate(const ContactTemplate& tpl) const {
    QList<FormEntry> blocks;
    blocks.append(nameBlock(ContactRecord(), tpl));
    for (int type = kGroupPhone; type < kTemplateGroupCount; ++type) {
        if (tpl.isGroupShown(type)) {
            blocks.append(emptyBlock(tpl, type));
        }
    }
    return blocks;
}

}  // namespace kontavo
