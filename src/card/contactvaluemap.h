#pragma once

#include <QList>
#include <QString>

#include "card/addressformat.h"
#include "store/record/filetime.h"

namespace kontavo {

struct ContactRecord;

// A text value under a label (a name part, phone, e-mail, web page, person,
// linked file or other property).
struct LabelledText {
    QString label;
    QString text;
    bool operator==(const LabelledText&) const = default;
};

// A date under a label; 0 = no date.
struct LabelledDate {
    QString label;
    FileTime date = 0;
    bool operator==(const LabelledDate&) const = default;
};

// A messenger account under a label, with its messenger type ("ICQ").
struct LabelledMessenger {
    QString label;
    QString account;
    QString type;
    bool operator==(const LabelledMessenger&) const = default;
};

// A postal address under a label: its five parts by slot and its index in
// the address-format table; kNoAddressFormat when the contact keeps none
// (a stored code of 0), and then the table's default applies wherever it
// is shown.
inline constexpr int kNoAddressFormat = -1;
struct LabelledAddress {
    QString label;
    AddressParts parts;
    int format = kNoAddressFormat;
    bool operator==(const LabelledAddress&) const = default;
};

// The labelled values of a contact (`ContactValueMap`): the one form the
// card and the edit form read a contact in, per template group the
// contact's values in order, each under its label text. Each list holds
// first the fixed fields of the record under their built-in labels (the
// string-table texts of today; a missing text is fatal), in the order below,
// empty fields left out, then the entries of the group's extended list in
// their stored order, as stored:
//
//   name       Title, First, Middle@Mid., Last, Suffix@Suf., Job Title@Job,
//              Company@Comp., Department@Dept., File As@FileAs
//   phones     Work (WorkPhone, WorkPhone2), Home (HomePhone, HomePhone2),
//              Mobile, Home fax, Work fax, Pager, Car, Radio, Assistant; Phones
//   emails     E-mail, E-mail 2, E-mail 3; Emails
//   webPages   Web; WebPages
//   dates      Birthday, Anniversary (when set); Dates
//   people     Spouse, Assistant (AssistantName), Children; People
//   messengers Messengers
//   links      Links
//   others     OtherProps
//   addresses  Home, Work, Other (each when one of its five parts is set,
//              with its format code); Addresses. A format code of 0 means
//              none is set (the store does not even write it).
//
// A plain value.
struct ContactValueMap {
    QList<LabelledText> name;
    QList<LabelledText> phones;
    QList<LabelledText> emails;
    QList<LabelledText> webPages;
    QList<LabelledDate> dates;
    QList<LabelledText> people;
    QList<LabelledMessenger> messengers;
    QList<LabelledText> links;
    QList<LabelledText> others;
    QList<LabelledAddress> addresses;

    static ContactValueMap fromContact(const ContactRecord& contact);

    // The text list of template group `type` (Name, Phone, EMail, Web,
    // People, Link, Other); nullptr for the other groups.
    const QList<LabelledText>* textList(int type) const;

    bool operator==(const ContactValueMap&) const = default;
};

}  // namespace kontavo
