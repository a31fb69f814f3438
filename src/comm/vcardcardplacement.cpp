// Phones, e-mails and addresses of a card: each to the fixed field its
// label names while that is free, else to the extended entries.
#include "comm/vcardcardreader.h"
#include "comm/vcardfields.h"
#include "comm/vcardforeign.h"
#include "comm/vcardtext.h"
#include "diag/resources.h"
#include "store/record/itemkey.h"

namespace kontavo {

namespace {

using namespace vcardfields;

// The standard phone a label names ("Work" -> WorkPhone), if any.
std::optional<ContactField> phoneFieldOfLabel(const QString& label) {
    for (const PhoneType& phone : phoneTypes()) {
        if (fieldLabel(phone.field).wide == label) {
            return phone.field;
        }
    }
    return std::nullopt;
}

// The e-mail field a label names ("E-mail 2" -> Email2), if any.
std::optional<ContactField> emailFieldOfLabel(const QString& label) {
    for (ContactField field : {ContactField::Email1, ContactField::Email2, ContactField::Email3}) {
        if (fieldLabel(field).wide == label) {
            return field;
        }
    }
    return std::nullopt;
}

// Labels that only say where an e-mail is used; its place is the next free
// e-mail field.
bool isPlainEmailLabel(const QString& label) {
    return label.isEmpty() || label == loadString(kLabelHomeAddress) ||
           label == loadString(kLabelWorkAddress) || label == loadString(kLabelOtherAddress) ||
           label.compare(QLatin1String("INTERNET"), Qt::CaseInsensitive) == 0;
}

}  // namespace

void VCardCardReader::prefer(uint32_t tag, const Pending& item) {
    if (item.preference <= 0) {
        return;
    }
    const bool better = m_preference == 0 || item.preference < m_preference ||
                        (item.preference == m_preference && item.order < m_preferenceOrder);
    if (better) {
        m_preference = item.preference;
        m_preferenceOrder = item.order;
        m_contact.record.preferredItemTag = tag;
    }
}

void VCardCardReader::addPhoneOrEmail(QList<LabeledValue>& list, const Pending& item) {
    list.append({item.label, item.value});
    const ExtendedProperties& extended = m_contact.record.extended;
    if (&list == &extended.phones || &list == &extended.emails) {
        prefer(itemKey(item.label, item.value), item);
    }
}

void VCardCardReader::readPhone(const VCardProperty& property) {
    QString number = vcardtext::unescape(property.value);
    if (property.param(QStringLiteral("VALUE"))
                .compare(QLatin1String("uri"), Qt::CaseInsensitive) == 0 &&
        number.startsWith(QLatin1String("tel:"), Qt::CaseInsensitive)) {
        number = number.mid(4);
    }
    if (number.isEmpty()) {
        return;
    }
    const QStringList types = property.types();
    QString label = labelOf(property);
    if (label.isEmpty()) {
        label = vcardforeign::phoneLabelOfTypes(types, property.typesAsWritten());
    }
    std::optional<ContactField> field = phoneFieldOfLabel(label);
    if (field && types.contains(QStringLiteral("X-SECOND"))) {
        field = secondPhoneOf(*field).value_or(*field);
    }
    m_phones.append({number, preferenceOf(property), label, field, m_order});
}

void VCardCardReader::readEmail(const VCardProperty& property) {
    const QString address = vcardtext::unescape(property.value);
    if (address.isEmpty()) {
        return;
    }
    const QStringList types = property.types();
    QString label = labelOf(property);
    if (label.isEmpty()) {
        label =
            vcardforeign::customTypeLabel(property.typesAsWritten(), {kEmail2Type, kEmail3Type});
    }
    std::optional<ContactField> field = emailFieldOfLabel(label);
    if (field || isPlainEmailLabel(label)) {
        label.clear();
    }
    if (types.contains(kEmail2Type)) {
        field = ContactField::Email2;
    } else if (types.contains(kEmail3Type)) {
        field = ContactField::Email3;
    }
    m_emails.append({address, preferenceOf(property), label, field, m_order});
}

void VCardCardReader::readAddress(const VCardProperty& property) {
    const QString home = loadString(kLabelHomeAddress);
    const QString work = loadString(kLabelWorkAddress);
    const QString other = loadString(kLabelOtherAddress);
    const QStringList types = property.types();
    QString label = labelOf(property);
    if (label.isEmpty()) {
        if (types.contains(QStringLiteral("HOME"))) {
            label = home;
        } else if (types.contains(QStringLiteral("WORK"))) {
            label = work;
        } else {
            label = vcardforeign::customTypeLabel(property.typesAsWritten(),
                                                  {QStringLiteral("X-OTHER")});
        }
    }
    ExtendedProperties& extended = m_contact.record.extended;
    ContactField street = ContactField::OtherStreet;
    uint32_t* format = &extended.otherAddressFormat;
    if (label == home) {
        street = ContactField::HomeStreet;
        format = &extended.homeAddressFormat;
    } else if (label == work) {
        street = ContactField::WorkStreet;
        format = &extended.workAddressFormat;
    } else if (!label.isEmpty() && label != other) {
        format = nullptr;  // a custom label: an extended address
    }
    if (label.isEmpty()) {
        label = other;
    }
    ExtendedAddress address{label, {}, property.param(kFormatParam).toUInt()};
    const QStringList slotTexts = addressSlots(property.value);
    std::copy(slotTexts.begin(), slotTexts.end(), address.parts.begin());
    const int at = int(street);
    bool taken = format == nullptr || *format != 0;
    for (int slot = 0; slot < 5; ++slot) {
        taken = taken || !isFree(ContactField(at - slot));
    }
    if (taken) {
        if (!address.allSlotsEmpty()) {
            extended.addresses.append(address);
        }
        return;
    }
    for (int slot = 0; slot < 5; ++slot) {
        setField(ContactField(at - slot), slotTexts[slot]);
    }
    *format = address.formatCode;
}

// Each phone goes to the field its label names; when that is taken, to the
// second work or home phone, else it becomes an extended phone under its
// label, as does a phone whose label names no field.
void VCardCardReader::placePhones() {
    QList<Pending> later;
    for (const Pending& item : m_phones) {
        if (item.field && isFree(*item.field)) {
            setField(*item.field, item.value);
            prefer(fieldInfo(*item.field).tag(), item);
        } else {
            later.append(item);
        }
    }
    for (const Pending& item : later) {
        const std::optional<ContactField> second =
            item.field ? secondPhoneOf(*item.field) : std::nullopt;
        if (second && isFree(*second)) {
            setField(*second, item.value);
            prefer(fieldInfo(*second).tag(), item);
        } else {
            addPhoneOrEmail(m_contact.record.extended.phones, item);
        }
    }
}

// Marked second and third e-mails first, then the others in order into the
// free e-mail fields, then as extended e-mails; an e-mail with a label of
// its own keeps it as an extended e-mail.
void VCardCardReader::placeEmails() {
    QList<Pending> later;
    for (const Pending& item : m_emails) {
        if (item.field && isFree(*item.field)) {
            setField(*item.field, item.value);
            prefer(fieldInfo(*item.field).tag(), item);
        } else {
            later.append(item);
        }
    }
    const ContactField fields[] = {ContactField::Email1, ContactField::Email2,
                                   ContactField::Email3};
    for (Pending item : later) {
        const ContactField* free = std::find_if(std::begin(fields), std::end(fields),
                                                [this](ContactField f) { return isFree(f); });
        if (item.label.isEmpty() && free != std::end(fields)) {
            setField(*free, item.value);
            prefer(fieldInfo(*free).tag(), item);
        } else {
            if (item.label.isEmpty()) {
                item.label = fieldLabel(ContactField::Email1).wide;
            }
            addPhoneOrEmail(m_contact.record.extended.emails, item);
        }
    }
}

}  // namespace kontavo
