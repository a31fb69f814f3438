#include "comm/vcardfields.h"

#include "comm/vcardtext.h"

namespace kontavo::vcardfields {

namespace {

const QString kWork = QStringLiteral("WORK");
const QString kHome = QStringLiteral("HOME");
const QString kVoice = QStringLiteral("VOICE");
const QString kFax = QStringLiteral("FAX");
const QString kSecond = QStringLiteral("X-SECOND");

}  // namespace

const QList<PhoneType>& phoneTypes() {
    static const QList<PhoneType> table = {
        {ContactField::WorkPhone, {kWork, kVoice}},
        {ContactField::WorkPhone2, {kWork, kVoice, kSecond}},
        {ContactField::HomePhone, {kHome, kVoice}},
        {ContactField::HomePhone2, {kHome, kVoice, kSecond}},
        {ContactField::MobilePhone, {QStringLiteral("CELL"), kVoice}},
        {ContactField::HomeFax, {kHome, kFax}},
        {ContactField::WorkFax, {kWork, kFax}},
        {ContactField::Pager, {QStringLiteral("PAGER")}},
        {ContactField::CarPhone, {QStringLiteral("CAR"), kVoice}},
        {ContactField::RadioPhone, {QStringLiteral("X-RADIO")}},
        {ContactField::AssistantPhone, {QStringLiteral("X-ASSISTANT")}},
    };
    return table;
}

std::optional<ContactField> secondPhoneOf(ContactField field) {
    if (field == ContactField::WorkPhone) {
        return ContactField::WorkPhone2;
    }
    if (field == ContactField::HomePhone) {
        return ContactField::HomePhone2;
    }
    return std::nullopt;
}

QStringList components(const QString& value, int count) {
    QStringList parts = vcardtext::split(value, QLatin1Char(';'));
    while (parts.size() < count) {
        parts.append(QString());
    }
    return parts;
}

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

const QList<ContactField>& ownFields() {
    static const QList<ContactField> fields = {ContactField::Spouse, ContactField::Children,
                                               ContactField::AssistantName, ContactField::Office,
                                               ContactField::FileAs};
    return fields;
}

const QList<PairKind>& pairKinds() {
    static const QList<PairKind> kinds = {
        {QStringLiteral("X-KONTAVO-PHONE"), &ExtendedProperties::phones, QStringLiteral("Phone")},
        {QStringLiteral("X-KONTAVO-EMAIL"), &ExtendedProperties::emails, QStringLiteral("E-mail")},
        {QStringLiteral("X-KONTAVO-WEBPAGE"), &ExtendedProperties::webPages, QStringLiteral("Web")},
        {QStringLiteral("X-KONTAVO-PEOPLE"), &ExtendedProperties::people, QStringLiteral("People")},
        {QStringLiteral("X-KONTAVO-LINK"), &ExtendedProperties::links, QStringLiteral("Link")},
        {QStringLiteral("X-KONTAVO-OTHERPROP"), &ExtendedProperties::otherProps,
         QStringLiteral("Other")},
    };
    return kinds;
}

}  // namespace kontavo::vcardfields
