#include "comm/vcardfields.h"

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

ContactField phoneFieldOf(const QStringList& types) {
    const bool second = types.contains(kSecond);
    if (types.contains(QStringLiteral("X-ASSISTANT"))) {
        return ContactField::AssistantPhone;
    }
    if (types.contains(QStringLiteral("X-RADIO"))) {
        return ContactField::RadioPhone;
    }
    if (types.contains(QStringLiteral("PAGER"))) {
        return ContactField::Pager;
    }
    if (types.contains(QStringLiteral("CAR"))) {
        return ContactField::CarPhone;
    }
    if (types.contains(kFax)) {
        return types.contains(kHome) ? ContactField::HomeFax : ContactField::WorkFax;
    }
    if (types.contains(QStringLiteral("CELL"))) {
        return ContactField::MobilePhone;
    }
    if (types.contains(kHome)) {
        return second ? ContactField::HomePhone2 : ContactField::HomePhone;
    }
    return second ? ContactField::WorkPhone2 : ContactField::WorkPhone;
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
