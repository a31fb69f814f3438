#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace kontavo {

// One parameter of a vCard property: its upper-case name and its values.
// A bare vCard 2.1 type ("TEL;HOME;VOICE") is read as TYPE=HOME, TYPE=VOICE.
struct VCardParam {
    QString name;
    QStringList values;
};

// One content line of a vCard, decoded: quoted-printable and the character
// set are undone, the value is still escaped (see vcardtext.h). A plain value.
struct VCardProperty {
    QString name;   // upper case, without its group
    QString group;  // upper case ("ITEM1" of "item1.TEL"); empty when none
    QList<VCardParam> params;
    QString value;

    // The values of every TYPE parameter, upper case.
    QStringList types() const;
    // The same, as written (Android writes custom labels as types: "X-Boat").
    QStringList typesAsWritten() const;
    bool hasType(const QString& type) const;
    // The first value of parameter `name` (upper case); empty when absent.
    QString param(const QString& name) const;

    void addType(const QString& type);
    void addParam(const QString& name, const QString& value);
};

// The properties of one card between BEGIN:VCARD and END:VCARD, in order.
using VCardCard = QList<VCardProperty>;

}  // namespace kontavo
