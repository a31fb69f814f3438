// The properties of one card, whichever program wrote it.
#include "comm/vcardcardreader.h"

#include <QUrl>

#include "comm/vcarddate.h"
#include "comm/vcardfields.h"
#include "comm/vcardforeign.h"
#include "comm/vcardphoto.h"
#include "comm/vcardtext.h"
#include "diag/resources.h"
#include "store/notes/utf16note.h"

namespace kontavo {

namespace {

using namespace vcardfields;

ExtendedAddress extendedAddress(const QString& label, const QString& value, uint32_t format) {
    ExtendedAddress address{label, {}, format};
    const QStringList slotTexts = addressSlots(value);
    std::copy(slotTexts.begin(), slotTexts.end(), address.parts.begin());
    return address;
}

uint32_t formatOf(const VCardProperty& property) {
    return property.param(kFormatParam).toUInt();
}

}  // namespace

VCardContact VCardCardReader::read(const VCardCard& card) {
    for (const VCardProperty& property : card) {
        if (property.name == QLatin1String("X-ABLABEL") && !property.group.isEmpty()) {
            m_itemLabels.insert(property.group,
                                vcardforeign::itemLabel(vcardtext::unescape(property.value)));
        }
        m_hasAddress = m_hasAddress || property.name == QLatin1String("ADR");
    }
    for (const VCardProperty& property : card) {
        readProperty(property);
    }
    placePhones();
    placeEmails();
    if (!m_hasName && !m_formattedName.isEmpty()) {
        setField(ContactField::FirstName, m_formattedName);
    }
    if (!m_hasAddress) {
        for (const QString& label : m_addressLabels) {
            addOther(QStringLiteral("LABEL"), label);
        }
    }
    m_contact.record.userNote = utf16Note(m_notes.join(QStringLiteral("\r\n")));
    return m_contact;
}

void VCardCardReader::readProperty(const VCardProperty& property) {
    ++m_order;
    if (vcardforeign::isBookkeeping(property.name)) {
        return;
    }
    if (readOwn(property) || readIdentity(property) || readCommunication(property) ||
        readPeopleAndDates(property) || readMedia(property)) {
        return;
    }
    readOther(property);
}

QString VCardCardReader::labelOf(const VCardProperty& property) const {
    const QString own = vcardtext::decodeParam(property.param(kLabelParam));
    if (!own.isEmpty()) {
        return own;
    }
    return m_itemLabels.value(property.group);
}

int VCardCardReader::preferenceOf(const VCardProperty& property) {
    const int level = property.param(QStringLiteral("PREF")).toInt();
    if (level > 0) {
        return level;
    }
    return property.hasType(QStringLiteral("PREF")) ? 1 : 0;
}

// This program's own properties: the extended entries and the string fields
// vCard has no property for.
bool VCardCardReader::readOwn(const VCardProperty& property) {
    ExtendedProperties& extended = m_contact.record.extended;
    for (const PairKind& kind : pairKinds()) {
        if (property.name == kind.property) {
            const QString label = labelOf(property);
            const Pending item{vcardtext::unescape(property.value), preferenceOf(property),
                               label.isEmpty() ? kind.defaultLabel : label, std::nullopt, m_order};
            addPhoneOrEmail(extended.*kind.list, item);
            return true;
        }
    }
    const QString label = labelOf(property);
    if (property.name == kMessenger) {
        const QStringList parts = components(property.value, 2);
        extended.messengers.append(
            {label.isEmpty() ? QStringLiteral("Messenger") : label, parts[1], parts[0]});
    } else if (property.name == kAddress) {
        extended.addresses.append(
            extendedAddress(label.isEmpty() ? QStringLiteral("Address") : label, property.value,
                            formatOf(property)));
    } else if (property.name == kDate) {
        readDateProperty(property, label.isEmpty() ? QStringLiteral("Date") : label);
    } else if (property.name.startsWith(kPrefix)) {
        const QString name = property.name.mid(kPrefix.size());
        for (ContactField own : ownFields()) {
            if (name == QString::fromLatin1(fieldInfo(own).name).toUpper()) {
                setField(own, vcardtext::unescape(property.value));
                return true;
            }
        }
        return false;
    } else {
        return false;
    }
    return true;
}

bool VCardCardReader::readIdentity(const VCardProperty& property) {
    const QString& name = property.name;
    const QString text = vcardtext::unescape(property.value);
    if (name == QLatin1String("N")) {
        readName(property.value);
    } else if (name == QLatin1String("FN")) {
        m_formattedName = text;
    } else if (name == QLatin1String("ORG")) {
        readOrganisation(property.value);
    } else if (name == QLatin1String("TITLE")) {
        placeText(ContactField::JobTitle, QStringLiteral("TITLE"), text);
    } else if (name == QLatin1String("ROLE")) {
        // Outlook writes the job title as ROLE as well.
        if (text != m_contact.record.field(ContactField::JobTitle)) {
            placeText(ContactField::JobTitle, name, text);
        }
    } else if (name == QLatin1String("NICKNAME")) {
        addOther(QStringLiteral("Nickname"), text);
    } else if (name == QLatin1String("X-EVOLUTION-FILE-AS")) {
        placeText(ContactField::FileAs, name, text);
    } else if (name == QLatin1String("NOTE")) {
        if (!text.isEmpty()) {
            m_notes.append(text);
        }
    } else if (name == QLatin1String("CATEGORIES")) {
        readCategories(property.value);
    } else if (name == QLatin1String("KIND")) {
        if (text.compare(QLatin1String("individual"), Qt::CaseInsensitive) != 0) {
            addOther(name, text);
        }
    } else if (name == QLatin1String("LABEL")) {
        if (!text.isEmpty()) {
            m_addressLabels.append(text);
        }
    } else {
        return false;
    }
    return true;
}

bool VCardCardReader::readCommunication(const VCardProperty& property) {
    const QString& name = property.name;
    if (name == QLatin1String("TEL")) {
        readPhone(property);
    } else if (name == QLatin1String("EMAIL")) {
        readEmail(property);
    } else if (name == QLatin1String("ADR")) {
        readAddress(property);
    } else if (name == QLatin1String("URL")) {
        readWeb(property, QString());
    } else if (name == QLatin1String("X-EVOLUTION-BLOG-URL")) {
        readWeb(property, QStringLiteral("Blog"));
    } else if (name == QLatin1String("X-EVOLUTION-VIDEO-URL")) {
        readWeb(property, QStringLiteral("Video"));
    } else if (name == QLatin1String("IMPP")) {
        readImpp(property);
    } else if (const QString type = vcardforeign::messengerTypeOfProperty(name); !type.isEmpty()) {
        readMessenger(property, type);
    } else {
        return false;
    }
    return true;
}

bool VCardCardReader::readPeopleAndDates(const VCardProperty& property) {
    const QString& name = property.name;
    if (name == QLatin1String("BDAY")) {
        readDateProperty(property, loadString(kLabelBirthday));
    } else if (vcardforeign::isAnniversary(name)) {
        readDateProperty(property, loadString(kLabelAnniversary));
    } else if (name == QLatin1String("X-ABDATE")) {
        const QString label = labelOf(property);
        readDateProperty(property, label.isEmpty() ? QStringLiteral("Date") : label);
    } else if (name == QLatin1String("RELATED")) {
        readRelated(property);
    } else if (name == QLatin1String("X-ABRELATEDNAMES")) {
        const QString label = labelOf(property);
        placePerson(label.isEmpty() ? QStringLiteral("People") : label,
                    vcardtext::unescape(property.value));
    } else if (const vcardforeign::Relation relation = vcardforeign::relationOfProperty(name);
               relation != vcardforeign::Relation::None) {
        placePerson(vcardforeign::relationLabel(relation), vcardtext::unescape(property.value));
    } else {
        return false;
    }
    return true;
}

bool VCardCardReader::readMedia(const VCardProperty& property) {
    const QString& name = property.name;
    if (name != QLatin1String("PHOTO") && name != QLatin1String("LOGO") &&
        name != QLatin1String("X-MS-CARDPICTURE")) {
        return false;
    }
    const vcardphoto::Value value = vcardphoto::read(property);
    switch (value.kind) {
        case vcardphoto::Value::Kind::Inline:
            if (name == QLatin1String("PHOTO") && !m_contact.picture) {
                m_contact.picture = value.picture;
            } else {
                ++m_contact.picturesLeftOut;
            }
            break;
        case vcardphoto::Value::Kind::Link:
            addOther(name, value.link);
            break;
        case vcardphoto::Value::Kind::Broken:
            if (!property.value.trimmed().isEmpty()) {
                ++m_contact.picturesLeftOut;
            }
            break;
    }
    return true;
}

// What has no home of its own: an "other" entry under the property's name.
void VCardCardReader::readOther(const VCardProperty& property) {
    addOther(property.name, vcardtext::unescape(property.value));
}

void VCardCardReader::addOther(const QString& label, const QString& text) {
    if (!text.isEmpty()) {
        m_contact.record.extended.otherProps.append({label, text});
    }
}

// A value for a fixed field: into the field while it is free, else an
// "other" entry (a card with two job titles keeps both).
void VCardCardReader::placeText(ContactField field, const QString& label, const QString& text) {
    if (isFree(field)) {
        setField(field, text);
    } else {
        addOther(label, text);
    }
}

void VCardCardReader::readName(const QString& value) {
    const QStringList parts = components(value, 5);
    const ContactField fields[] = {ContactField::LastName, ContactField::FirstName,
                                   ContactField::MiddleName, ContactField::Title,
                                   ContactField::Suffix};
    for (int i = 0; i < 5; ++i) {
        placeText(fields[i], QStringLiteral("N"), parts[i]);
    }
    m_hasName = true;
}

void VCardCardReader::readOrganisation(const QString& value) {
    QStringList parts = components(value, 2);
    placeText(ContactField::Company, QStringLiteral("ORG"), parts.takeFirst());
    parts.removeAll(QString());
    placeText(ContactField::Department, QStringLiteral("ORG"), parts.join(QStringLiteral(", ")));
}

void VCardCardReader::readCategories(const QString& value) {
    for (const QString& piece : vcardtext::split(value, QLatin1Char(','))) {
        for (const QString& name : piece.split(QLatin1Char(';'))) {
            const QString trimmed = name.trimmed();
            if (!trimmed.isEmpty() && !m_contact.categories.contains(trimmed)) {
                m_contact.categories.append(trimmed);
            }
        }
    }
}

void VCardCardReader::readWeb(const VCardProperty& property, const QString& defaultLabel) {
    const QString text = vcardtext::unescape(property.value);
    if (text.isEmpty()) {
        return;
    }
    QString label = labelOf(property);
    if (label.isEmpty()) {
        label = defaultLabel;
    }
    const QString web = fieldLabel(ContactField::WebPage).wide;
    if ((label.isEmpty() || label == web) && isFree(ContactField::WebPage)) {
        setField(ContactField::WebPage, text);
    } else {
        m_contact.record.extended.webPages.append({label.isEmpty() ? web : label, text});
    }
}

void VCardCardReader::readMessenger(const VCardProperty& property, const QString& type) {
    const QString account = vcardtext::unescape(property.value);
    if (account.isEmpty()) {
        return;
    }
    const QString label = labelOf(property);
    m_contact.record.extended.messengers.append(
        {label.isEmpty() ? QStringLiteral("IM") : label, account, type});
}

// IMPP:aim:john, IMPP;X-SERVICE-TYPE=Jabber:xmpp:john@example.org
void VCardCardReader::readImpp(const VCardProperty& property) {
    const QString uri = property.value.trimmed();
    const qsizetype colon = uri.indexOf(QLatin1Char(':'));
    const QString scheme = colon > 0 ? uri.left(colon) : QString();
    QString account = colon > 0 ? uri.mid(colon + 1) : uri;
    account = QUrl::fromPercentEncoding(account.toUtf8());
    const QString service = vcardtext::decodeParam(property.param(kServiceTypeParam));
    // This program's own IMPP (it carries a label) names the type as it is.
    const bool own = !property.param(kLabelParam).isEmpty();
    const QString type = own ? service : vcardforeign::messengerType(scheme, service);
    if (account.isEmpty() && type.isEmpty() && !own) {
        return;
    }
    const QString label = labelOf(property);
    m_contact.record.extended.messengers.append(
        {label.isEmpty() ? QStringLiteral("IM") : label, account, type});
}

// vCard 4.0 RELATED: a person by name (VALUE=text) or by URI.
void VCardCardReader::readRelated(const VCardProperty& property) {
    const bool text = property.param(QStringLiteral("VALUE"))
                          .compare(QLatin1String("text"), Qt::CaseInsensitive) == 0;
    const QString name = text ? vcardtext::unescape(property.value) : property.value.trimmed();
    QString label = labelOf(property);
    if (label.isEmpty()) {
        const QStringList types = property.types();
        using vcardforeign::Relation;
        if (types.contains(QLatin1String("SPOUSE"))) {
            label = vcardforeign::relationLabel(Relation::Spouse);
        } else if (types.contains(QLatin1String("CHILD"))) {
            label = vcardforeign::relationLabel(Relation::Children);
        } else if (types.contains(QLatin1String("AGENT"))) {
            label = vcardforeign::relationLabel(Relation::Assistant);
        } else {
            const QStringList written = property.typesAsWritten();
            label = written.isEmpty() ? QStringLiteral("People") : written.front();
            label[0] = label[0].toUpper();
        }
        placePerson(label, name);
        return;
    }
    // A labelled entry is one of this program's own extended people.
    m_contact.record.extended.people.append({label, name});
}

// Spouse, children and assistant go to their fields while those are free;
// every other person to the people entries.
void VCardCardReader::placePerson(const QString& label, const QString& name) {
    if (name.isEmpty()) {
        return;
    }
    for (ContactField field :
         {ContactField::Spouse, ContactField::Children, ContactField::AssistantName}) {
        if (label == fieldLabel(field).wide && isFree(field)) {
            setField(field, name);
            return;
        }
    }
    m_contact.record.extended.people.append({label, name});
}

void VCardCardReader::readDateProperty(const VCardProperty& property, const QString& label) {
    const QString text = vcardtext::unescape(property.value).trimmed();
    if (text.isEmpty()) {
        return;
    }
    const std::optional<FileTime> time = vcarddate::parse(text);
    if (!time) {
        // A date without a year ("--0215"), or a text ("circa 1800").
        addOther(property.name, text);
        return;
    }
    if (property.name == kDate) {
        m_contact.record.extended.dates.append({label, *time});
        return;
    }
    placeDate(label, *time);
}

void VCardCardReader::placeDate(const QString& label, FileTime time) {
    ContactRecord& record = m_contact.record;
    if (label == loadString(kLabelBirthday) && record.birthday == 0) {
        record.birthday = time;
    } else if (label == loadString(kLabelAnniversary) && record.anniversary == 0) {
        record.anniversary = time;
    } else {
        record.extended.dates.append({label, time});
    }
}

}  // namespace kontavo
