// writeVCard(): a contact as a vCard 3.0 or 4.0.
#include <QUrl>

#include "comm/vcard.h"
#include "comm/vcarddate.h"
#include "comm/vcardfields.h"
#include "comm/vcardforeign.h"
#include "comm/vcardphoto.h"
#include "comm/vcardproperty.h"
#include "comm/vcardtext.h"
#include "store/notes/extendedblock.h"
#include "store/record/itemkey.h"

namespace kontavo {

namespace {

using namespace vcardfields;

// A parameter value: quoted unless it is a plain token of ASCII letters,
// digits and hyphens (labels may hold anything else, blanks at their ends too).
QString paramValue(const QString& value) {
    bool plain = !value.isEmpty();
    for (QChar c : value) {
        plain = plain && c.unicode() < 0x80 && (c.isLetterOrNumber() || c == QLatin1Char('-'));
    }
    return plain ? value : QLatin1Char('"') + value + QLatin1Char('"');
}

QByteArray contentLine(const VCardProperty& property) {
    QString line = property.name;
    for (const VCardParam& param : property.params) {
        QStringList values;
        for (const QString& value : param.values) {
            values.append(paramValue(value));
        }
        line += QLatin1Char(';') + param.name + QLatin1Char('=') + values.join(QLatin1Char(','));
    }
    line += QLatin1Char(':') + property.value;
    return vcardtext::fold(line.toUtf8());
}

// Collects the properties of one card.
class CardBuilder {
public:
    CardBuilder(const ContactRecord& record, const Locale& locale, VCardVersion version)
        : m_record(record), m_locale(locale), m_v4(version == VCardVersion::V40) {}

    QList<VCardProperty> build(const VCardContact& contact);

private:
    VCardProperty& add(const QString& name, const QString& escapedValue) {
        m_properties.append({name, {}, {}, escapedValue});
        return m_properties.back();
    }
    VCardProperty& addText(const QString& name, const QString& text) {
        return add(name, vcardtext::escape(text));
    }
    QString field(ContactField f) const { return m_record.field(f); }
    QStringList addressParts(ContactField street) const;
    void addNames();
    void addPhones();
    void addEmails();
    void addAddress(ContactField street, const QString& type, uint32_t format);
    void addDate(const QString& name, FileTime time);
    void addOwnFields();
    void addExtended();
    void addMessengers();
    void addPeople();
    void markPreferred(VCardProperty& property, uint32_t tag);

    const ContactRecord& m_record;
    const Locale& m_locale;
    const bool m_v4;
    QList<VCardProperty> m_properties;
    bool m_preferredMarked = false;
};

QList<VCardProperty> CardBuilder::build(const VCardContact& contact) {
    const QStringList& categories = contact.categories;
    add(QStringLiteral("VERSION"), m_v4 ? QStringLiteral("4.0") : QStringLiteral("3.0"));
    addNames();
    addPhones();
    addEmails();
    const ExtendedProperties& extended = m_record.extended;
    addAddress(ContactField::HomeStreet, QStringLiteral("HOME"), extended.homeAddressFormat);
    addAddress(ContactField::WorkStreet, QStringLiteral("WORK"), extended.workAddressFormat);
    addAddress(ContactField::OtherStreet, QStringLiteral("X-OTHER"), extended.otherAddressFormat);
    if (!field(ContactField::WebPage).isEmpty()) {
        addText(QStringLiteral("URL"), field(ContactField::WebPage));
    }
    addDate(QStringLiteral("BDAY"), m_record.birthday);
    addDate(m_v4 ? QStringLiteral("ANNIVERSARY") : kAnniversary, m_record.anniversary);
    const QString note = noteToText(m_record.userNote, m_locale);
    if (!note.isEmpty()) {
        addText(QStringLiteral("NOTE"), note);
    }
    if (!categories.isEmpty()) {
        QStringList escaped;
        for (const QString& name : categories) {
            escaped.append(vcardtext::escape(name));
        }
        add(QStringLiteral("CATEGORIES"), escaped.join(QLatin1Char(',')));
    }
    addOwnFields();
    addExtended();
    if (contact.picture) {
        m_properties.append(vcardphoto::write(*contact.picture, m_v4));
    }
    return m_properties;
}

// The string fields vCard has no property for; in 4.0 the spouse, the
// children and the assistant are RELATED persons.
void CardBuilder::addOwnFields() {
    for (ContactField own : ownFields()) {
        if (field(own).isEmpty()) {
            continue;
        }
        const char* relation = own == ContactField::Spouse          ? "spouse"
                               : own == ContactField::Children      ? "child"
                               : own == ContactField::AssistantName ? "agent"
                                                                    : nullptr;
        if (m_v4 && relation != nullptr) {
            VCardProperty& property = addText(QStringLiteral("RELATED"), field(own));
            property.addType(QString::fromLatin1(relation));
            property.addParam(QStringLiteral("VALUE"), QStringLiteral("text"));
        } else {
            addText(kPrefix + QString::fromLatin1(fieldInfo(own).name).toUpper(), field(own));
        }
    }
}

void CardBuilder::addNames() {
    add(QStringLiteral("N"),
        vcardtext::joinComponents({field(ContactField::LastName), field(ContactField::FirstName),
                                   field(ContactField::MiddleName), field(ContactField::Title),
                                   field(ContactField::Suffix)}));
    const NameLines lines = m_record.nameLines();
    addText(QStringLiteral("FN"),
            lines.first.isEmpty() ? field(ContactField::FileAs) : lines.first);
    if (!field(ContactField::Company).isEmpty() || !field(ContactField::Department).isEmpty()) {
        add(QStringLiteral("ORG"), vcardtext::joinComponents({field(ContactField::Company),
                                                              field(ContactField::Department)}));
    }
    if (!field(ContactField::JobTitle).isEmpty()) {
        addText(QStringLiteral("TITLE"), field(ContactField::JobTitle));
    }
}

void CardBuilder::markPreferred(VCardProperty& property, uint32_t tag) {
    if (!m_preferredMarked && tag != 0 && tag == m_record.preferredItemTag) {
        if (m_v4) {
            property.addParam(QStringLiteral("PREF"), QStringLiteral("1"));
        } else {
            property.addType(QStringLiteral("PREF"));
        }
        m_preferredMarked = true;
    }
}

void CardBuilder::addPhones() {
    for (const PhoneType& phone : phoneTypes()) {
        if (field(phone.field).isEmpty()) {
            continue;
        }
        VCardProperty& property = addText(QStringLiteral("TEL"), field(phone.field));
        for (const QString& type : phone.types) {
            property.addType(type);
        }
        markPreferred(property, fieldInfo(phone.field).tag());
    }
}

void CardBuilder::addEmails() {
    const ContactField emails[] = {ContactField::Email1, ContactField::Email2,
                                   ContactField::Email3};
    const QString marks[] = {QString(), kEmail2Type, kEmail3Type};
    for (int i = 0; i < 3; ++i) {
        if (field(emails[i]).isEmpty()) {
            continue;
        }
        VCardProperty& property = addText(QStringLiteral("EMAIL"), field(emails[i]));
        if (!m_v4) {
            property.addType(QStringLiteral("INTERNET"));
        }
        if (!marks[i].isEmpty()) {
            property.addType(marks[i]);
        }
        markPreferred(property, fieldInfo(emails[i]).tag());
    }
}

QStringList CardBuilder::addressParts(ContactField street) const {
    // The five slots lie in the field table in reverse slot order, street last.
    const int at = int(street);
    return {QString(),
            QString(),
            field(ContactField(at)),
            field(ContactField(at - 1)),
            field(ContactField(at - 2)),
            field(ContactField(at - 3)),
            field(ContactField(at - 4))};
}

void CardBuilder::addAddress(ContactField street, const QString& type, uint32_t format) {
    const QStringList parts = addressParts(street);
    bool empty = true;
    for (const QString& part : parts) {
        empty = empty && part.isEmpty();
    }
    if (empty && format == 0) {
        return;
    }
    VCardProperty& property = add(QStringLiteral("ADR"), vcardtext::joinComponents(parts));
    property.addType(type);
    if (format != 0) {
        property.addParam(kFormatParam, QString::number(format));
    }
}

void CardBuilder::addDate(const QString& name, FileTime time) {
    const QString text =
        vcarddate::format(time, m_v4 ? vcarddate::Style::Basic : vcarddate::Style::Extended);
    if (!text.isEmpty()) {
        add(name, text);
    }
}

void CardBuilder::addExtended() {
    const ExtendedProperties& extended = m_record.extended;
    for (const PairKind& kind : pairKinds()) {
        const bool phoneOrEmail =
            kind.list == &ExtendedProperties::phones || kind.list == &ExtendedProperties::emails;
        if (m_v4 && kind.list == &ExtendedProperties::people) {
            addPeople();
            continue;
        }
        for (const LabeledValue& entry : extended.*kind.list) {
            VCardProperty& property = addText(kind.property, entry.value);
            property.addParam(kLabelParam, vcardtext::encodeParam(entry.label));
            if (phoneOrEmail) {
                markPreferred(property, itemKey(entry.label, entry.value));
            }
        }
    }
    addMessengers();
    for (const ExtendedAddress& address : extended.addresses) {
        QStringList parts = {QString(), QString()};
        for (const QString& part : address.parts) {
            parts.append(part);
        }
        VCardProperty& property = add(kAddress, vcardtext::joinComponents(parts));
        property.addParam(kLabelParam, vcardtext::encodeParam(address.label));
        property.addParam(kFormatParam, QString::number(address.formatCode));
    }
    for (const ExtendedDate& date : extended.dates) {
        add(kDate, vcarddate::format(date.time,
                                     m_v4 ? vcarddate::Style::Basic : vcarddate::Style::Extended))
            .addParam(kLabelParam, vcardtext::encodeParam(date.label));
    }
}

// 4.0: IMPP with the messenger type as X-SERVICE-TYPE and the account as a
// URI of the type's scheme; 3.0: this program's own property.
void CardBuilder::addMessengers() {
    for (const MessengerEntry& entry : m_record.extended.messengers) {
        if (!m_v4) {
            add(kMessenger, vcardtext::joinComponents({entry.type, entry.account}))
                .addParam(kLabelParam, vcardtext::encodeParam(entry.label));
            continue;
        }
        const QString uri = vcardforeign::schemeOfMessengerType(entry.type) + QLatin1Char(':') +
                            QString::fromLatin1(QUrl::toPercentEncoding(entry.account, "@.+-_~"));
        VCardProperty& property = add(QStringLiteral("IMPP"), uri);
        property.addParam(kLabelParam, vcardtext::encodeParam(entry.label));
        if (!entry.type.isEmpty()) {
            property.addParam(kServiceTypeParam, vcardtext::encodeParam(entry.type));
        }
    }
}

// 4.0: the extended people as RELATED persons under their labels.
void CardBuilder::addPeople() {
    for (const LabeledValue& entry : m_record.extended.people) {
        VCardProperty& property = addText(QStringLiteral("RELATED"), entry.value);
        property.addParam(QStringLiteral("VALUE"), QStringLiteral("text"));
        property.addParam(kLabelParam, vcardtext::encodeParam(entry.label));
    }
}

}  // namespace

QByteArray writeVCard(const VCardContact& contact, const Locale& locale, VCardVersion version) {
    QByteArray bytes = "BEGIN:VCARD\r\n";
    for (const VCardProperty& property :
         CardBuilder(contact.record, locale, version).build(contact)) {
        bytes += contentLine(property);
    }
    bytes += "END:VCARD\r\n";
    return bytes;
}

}  // namespace kontavo
