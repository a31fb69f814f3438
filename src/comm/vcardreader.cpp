// readVCards(): the contacts of a vCard file.
#include "comm/vcard.h"
#include "comm/vcarddate.h"
#include "comm/vcardfields.h"
#include "comm/vcardparser.h"
#include "comm/vcardtext.h"
#include "store/notes/utf16note.h"
#include "store/record/itemkey.h"

namespace kontavo {

namespace {

using namespace vcardfields;

// A phone or e-mail waiting for its field: placed once every property
// that names its own field has been placed.
struct PendingItem {
    QString value;
    bool preferred = false;
    std::optional<ContactField> field;  // the phone field its types name
};

// Fills one contact from the properties of one card.
class CardReader {
public:
    VCardContact read(const VCardCard& card);

private:
    void readProperty(const VCardProperty& property);
    bool readStandard(const VCardProperty& property);
    bool readExtended(const VCardProperty& property);
    void readName(const QString& value);
    void readOrganisation(const QString& value);
    void readPhone(const VCardProperty& property);
    void readEmail(const VCardProperty& property);
    void readAddress(const VCardProperty& property);
    void readDate(const VCardProperty& property, FileTime& target);
    void readCategories(const QString& value);
    void placePhones();
    void placeEmails();
    void placeExtended(QList<LabeledValue>& list, const QString& label, const PendingItem& item);
    void prefer(uint32_t tag, bool preferred);
    void setField(ContactField f, const QString& text) { m_contact.record.setField(f, text); }
    bool isFree(ContactField f) const { return m_contact.record.field(f).isEmpty(); }

    VCardContact m_contact;
    QList<PendingItem> m_phones;
    QList<PendingItem> m_emails;
    QStringList m_notes;
    QString m_formattedName;
    bool m_hasName = false;
};

QString labelOf(const VCardProperty& property, const QString& fallback) {
    const QString label = vcardtext::decodeParam(property.param(kLabelParam));
    return label.isEmpty() ? fallback : label;
}

uint32_t formatOf(const VCardProperty& property) {
    return property.param(kFormatParam).toUInt();
}

// The components of a structured value, padded to `count`.
QStringList components(const QString& value, int count) {
    QStringList parts = vcardtext::split(value, QLatin1Char(';'));
    while (parts.size() < count) {
        parts.append(QString());
    }
    return parts;
}

// PO box, extended address and street of an ADR, as one street slot.
QStringList addressSlots(const QString& value) {
    const QStringList parts = components(value, 7);
    QStringList street;
    for (int i : {2, 1, 0}) {
        if (!parts[i].isEmpty()) {
            street.append(parts[i]);
        }
    }
    return {street.join(QStringLiteral("\r\n")), parts[3], parts[4], parts[5], parts[6]};
}

VCardContact CardReader::read(const VCardCard& card) {
    for (const VCardProperty& property : card) {
        readProperty(property);
    }
    placePhones();
    placeEmails();
    if (!m_hasName && !m_formattedName.isEmpty()) {
        setField(ContactField::FirstName, m_formattedName);
    }
    m_contact.record.userNote = utf16Note(m_notes.join(QStringLiteral("\r\n")));
    return m_contact;
}

void CardReader::readProperty(const VCardProperty& property) {
    if (readStandard(property) || readExtended(property)) {
        return;
    }
    if (property.name.startsWith(kPrefix)) {
        const QString name = property.name.mid(kPrefix.size());
        for (ContactField own : ownFields()) {
            if (name == QString::fromLatin1(fieldInfo(own).name).toUpper()) {
                setField(own, vcardtext::unescape(property.value));
            }
        }
    }
}

bool CardReader::readStandard(const VCardProperty& property) {
    const QString& name = property.name;
    const QString text = vcardtext::unescape(property.value);
    if (name == QLatin1String("N")) {
        readName(property.value);
    } else if (name == QLatin1String("FN")) {
        m_formattedName = text;
    } else if (name == QLatin1String("ORG")) {
        readOrganisation(property.value);
    } else if (name == QLatin1String("TITLE")) {
        setField(ContactField::JobTitle, text);
    } else if (name == QLatin1String("NICKNAME")) {
        if (!text.isEmpty()) {
            m_contact.record.extended.otherProps.append({QStringLiteral("Nickname"), text});
        }
    } else if (name == QLatin1String("TEL")) {
        readPhone(property);
    } else if (name == QLatin1String("EMAIL")) {
        readEmail(property);
    } else if (name == QLatin1String("ADR")) {
        readAddress(property);
    } else if (name == QLatin1String("URL")) {
        if (isFree(ContactField::WebPage)) {
            setField(ContactField::WebPage, text);
        } else if (!text.isEmpty()) {
            m_contact.record.extended.webPages.append({QStringLiteral("Web"), text});
        }
    } else if (name == QLatin1String("BDAY")) {
        readDate(property, m_contact.record.birthday);
    } else if (name == kAnniversary) {
        readDate(property, m_contact.record.anniversary);
    } else if (name == QLatin1String("NOTE")) {
        if (!text.isEmpty()) {
            m_notes.append(text);
        }
    } else if (name == QLatin1String("CATEGORIES")) {
        readCategories(property.value);
    } else {
        return false;
    }
    return true;
}

bool CardReader::readExtended(const VCardProperty& property) {
    ExtendedProperties& extended = m_contact.record.extended;
    for (const PairKind& kind : pairKinds()) {
        if (property.name == kind.property) {
            const PendingItem item{vcardtext::unescape(property.value),
                                   property.hasType(QStringLiteral("PREF")), std::nullopt};
            placeExtended(extended.*kind.list, labelOf(property, kind.defaultLabel), item);
            return true;
        }
    }
    if (property.name == kMessenger) {
        const QStringList parts = components(property.value, 2);
        extended.messengers.append(
            {labelOf(property, QStringLiteral("Messenger")), parts[1], parts[0]});
    } else if (property.name == kAddress) {
        const QStringList slotTexts = addressSlots(property.value);
        ExtendedAddress address{
            labelOf(property, QStringLiteral("Address")), {}, formatOf(property)};
        std::copy(slotTexts.begin(), slotTexts.end(), address.parts.begin());
        extended.addresses.append(address);
    } else if (property.name == kDate) {
        FileTime time = 0;
        readDate(property, time);
        if (time != 0) {
            extended.dates.append({labelOf(property, QStringLiteral("Date")), time});
        }
    } else {
        return false;
    }
    return true;
}

void CardReader::readName(const QString& value) {
    const QStringList parts = components(value, 5);
    setField(ContactField::LastName, parts[0]);
    setField(ContactField::FirstName, parts[1]);
    setField(ContactField::MiddleName, parts[2]);
    setField(ContactField::Title, parts[3]);
    setField(ContactField::Suffix, parts[4]);
    m_hasName = true;
}

void CardReader::readOrganisation(const QString& value) {
    QStringList parts = components(value, 2);
    setField(ContactField::Company, parts.takeFirst());
    parts.removeAll(QString());
    setField(ContactField::Department, parts.join(QStringLiteral(", ")));
}

void CardReader::readPhone(const VCardProperty& property) {
    const QString number = vcardtext::unescape(property.value);
    if (number.isEmpty()) {
        return;
    }
    const QStringList types = property.types();
    m_phones.append({number, types.contains(QStringLiteral("PREF")), phoneFieldOf(types)});
}

void CardReader::readEmail(const VCardProperty& property) {
    const QString address = vcardtext::unescape(property.value);
    if (address.isEmpty()) {
        return;
    }
    const QStringList types = property.types();
    std::optional<ContactField> field;
    if (types.contains(kEmail2Type)) {
        field = ContactField::Email2;
    } else if (types.contains(kEmail3Type)) {
        field = ContactField::Email3;
    }
    m_emails.append({address, types.contains(QStringLiteral("PREF")), field});
}

void CardReader::readAddress(const VCardProperty& property) {
    const QStringList slotTexts = addressSlots(property.value);
    const QStringList types = property.types();
    ContactField street = ContactField::OtherStreet;
    uint32_t* format = &m_contact.record.extended.otherAddressFormat;
    QString label = QStringLiteral("Other");
    if (types.contains(QStringLiteral("HOME"))) {
        street = ContactField::HomeStreet;
        format = &m_contact.record.extended.homeAddressFormat;
        label = QStringLiteral("Home");
    } else if (types.contains(QStringLiteral("WORK"))) {
        street = ContactField::WorkStreet;
        format = &m_contact.record.extended.workAddressFormat;
        label = QStringLiteral("Work");
    }
    const int at = int(street);
    bool taken = *format != 0;
    for (int slot = 0; slot < 5; ++slot) {
        taken = taken || !isFree(ContactField(at - slot));
    }
    if (taken) {
        ExtendedAddress address{label, {}, formatOf(property)};
        std::copy(slotTexts.begin(), slotTexts.end(), address.parts.begin());
        if (!address.allSlotsEmpty()) {
            m_contact.record.extended.addresses.append(address);
        }
        return;
    }
    for (int slot = 0; slot < 5; ++slot) {
        setField(ContactField(at - slot), slotTexts[slot]);
    }
    *format = formatOf(property);
}

void CardReader::readDate(const VCardProperty& property, FileTime& target) {
    if (const std::optional<FileTime> time = vcarddate::parse(property.value)) {
        target = *time;
    }
}

void CardReader::readCategories(const QString& value) {
    for (const QString& piece : vcardtext::split(value, QLatin1Char(','))) {
        for (const QString& name : piece.split(QLatin1Char(';'))) {
            const QString trimmed = name.trimmed();
            if (!trimmed.isEmpty() && !m_contact.categories.contains(trimmed)) {
                m_contact.categories.append(trimmed);
            }
        }
    }
}

void CardReader::prefer(uint32_t tag, bool preferred) {
    if (preferred && m_contact.record.preferredItemTag == 0) {
        m_contact.record.preferredItemTag = tag;
    }
}

void CardReader::placeExtended(QList<LabeledValue>& list, const QString& label,
                               const PendingItem& item) {
    list.append({label, item.value});
    const bool phoneOrEmail =
        &list == &m_contact.record.extended.phones || &list == &m_contact.record.extended.emails;
    if (phoneOrEmail) {
        prefer(itemKey(label, item.value), item.preferred);
    }
}

// Each phone goes to the field its types name; when that is taken, to the
// second work or home phone, else it becomes an extended phone labelled as
// the field.
void CardReader::placePhones() {
    QList<PendingItem> later;
    for (const PendingItem& item : m_phones) {
        if (isFree(*item.field)) {
            setField(*item.field, item.value);
            prefer(fieldInfo(*item.field).tag(), item.preferred);
        } else {
            later.append(item);
        }
    }
    for (const PendingItem& item : later) {
        const std::optional<ContactField> second = secondPhoneOf(*item.field);
        if (second && isFree(*second)) {
            setField(*second, item.value);
            prefer(fieldInfo(*second).tag(), item.preferred);
        } else {
            placeExtended(m_contact.record.extended.phones, fieldLabel(*item.field).wide, item);
        }
    }
}

// Marked second and third e-mails first, then the others in order into the
// free e-mail fields, then as extended e-mails.
void CardReader::placeEmails() {
    QList<PendingItem> later;
    for (const PendingItem& item : m_emails) {
        if (item.field && isFree(*item.field)) {
            setField(*item.field, item.value);
            prefer(fieldInfo(*item.field).tag(), item.preferred);
        } else {
            later.append(item);
        }
    }
    const ContactField fields[] = {ContactField::Email1, ContactField::Email2,
                                   ContactField::Email3};
    for (const PendingItem& item : later) {
        const ContactField* free = std::find_if(std::begin(fields), std::end(fields),
                                                [this](ContactField f) { return isFree(f); });
        if (free != std::end(fields)) {
            setField(*free, item.value);
            prefer(fieldInfo(*free).tag(), item.preferred);
        } else {
            placeExtended(m_contact.record.extended.emails, QStringLiteral("E-mail"), item);
        }
    }
}

}  // namespace

VCardReadResult readVCards(const QByteArray& bytes) {
    VCardParser parser;
    const QList<VCardCard> cards = parser.parse(bytes);
    VCardReadResult result;
    for (const VCardCard& card : cards) {
        result.contacts.append(CardReader().read(card));
    }
    result.skippedLines = parser.skippedLines();
    return result;
}

}  // namespace kontavo
