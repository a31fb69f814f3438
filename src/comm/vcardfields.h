#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

#include "store/record/contactfields.h"
#include "store/record/extendedproperties.h"

namespace kontavo {

// The tables shared by the vCard writer and reader (see docs/formats/vcard.md).
namespace vcardfields {

// The parameter that carries the label of an extended entry, and the one
// that carries an address's country format code.
inline const QString kLabelParam = QStringLiteral("X-LABEL");
inline const QString kFormatParam = QStringLiteral("X-KONTAVO-FORMAT");
inline const QString kPrefix = QStringLiteral("X-KONTAVO-");
// The parameter of an IMPP that names the messenger service.
inline const QString kServiceTypeParam = QStringLiteral("X-SERVICE-TYPE");

// A standard phone and the TYPE values it is written with.
struct PhoneType {
    ContactField field;
    QStringList types;
};
// The eleven standard phones in phone group order.
const QList<PhoneType>& phoneTypes();
// The field a phone goes to when its own field is taken: the second work or
// home phone; nullopt for the others.
std::optional<ContactField> secondPhoneOf(ContactField field);

// The components of a structured value (N, ADR, ORG), unescaped, padded
// with empty ones to `count`.
QStringList components(const QString& value, int count);
// The five slots of an ADR value: PO box, extended address and street
// joined as the street (one line each, street first), city, region, postal
// code, country.
QStringList addressSlots(const QString& value);

// The TYPE values that mark the second and third e-mail.
inline const QString kEmail2Type = QStringLiteral("X-EMAIL2");
inline const QString kEmail3Type = QStringLiteral("X-EMAIL3");

// The string fields written as X-KONTAVO-<NAME> (upper-case field name).
const QList<ContactField>& ownFields();

// The extended (label, value) lists and their property names.
struct PairKind {
    QString property;  // "X-KONTAVO-PHONE"
    QList<LabeledValue> ExtendedProperties::*list;
    QString defaultLabel;  // for a card that gives none
};
const QList<PairKind>& pairKinds();
inline const QString kMessenger = QStringLiteral("X-KONTAVO-MESSENGER");
inline const QString kAddress = QStringLiteral("X-KONTAVO-ADDRESS");
inline const QString kDate = QStringLiteral("X-KONTAVO-DATE");
inline const QString kAnniversary = QStringLiteral("X-ANNIVERSARY");

}  // namespace vcardfields

}  // namespace kontavo
