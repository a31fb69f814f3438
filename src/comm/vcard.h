#pragma once

#include <QByteArray>
#include <QList>
#include <QStringList>

#include "platform/locale.h"
#include "store/record/contactrecord.h"

namespace kontavo {

// A contact as a vCard carries it: the record (its Oid, category mask,
// notes blob, picture, picture name and checksum are not part of a card)
// and the names of its categories. docs/formats/vcard.md has the mapping.
struct VCardContact {
    ContactRecord record;
    QStringList categories;
};

// One contact as a vCard 3.0 (UTF-8, CR LF line ends, lines folded at 75
// octets). The user note is written as plain text (noteToText() with
// `locale` for an 8-bit note). Safe on any thread (the locale is only read).
QByteArray writeVCard(const VCardContact& contact, const Locale& locale = Locale::user());

// The contacts of a vCard file (3.0 or 2.1, any number of cards). Each
// record is new (Oid 0, member of no category); its user note is plain
// UTF-16 text. Cards that hold no property this program reads still count:
// they give empty contacts. Safe on any bytes.
struct VCardReadResult {
    QList<VCardContact> contacts;
    int skippedLines = 0;  // malformed lines and lines outside a card
};
VCardReadResult readVCards(const QByteArray& bytes);

}  // namespace kontavo
