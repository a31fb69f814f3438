#pragma once

#include <QByteArray>
#include <QList>
#include <QStringList>
#include <optional>

#include "comm/vcardphoto.h"
#include "platform/locale.h"
#include "store/record/contactrecord.h"

namespace kontavo {

// A contact as a vCard carries it: the record (its Oid, category mask,
// notes blob, picture, picture name and checksum are not part of a card),
// the names of its categories and the picture the card holds inline.
// docs/formats/vcard.md has the mapping.
struct VCardContact {
    ContactRecord record;
    QStringList categories;
    // The card's PHOTO as it came; the import frames it into the
    // contact's picture, the export writes the stored picture here.
    std::optional<VCardPicture> picture;
    // Further pictures of the card (a LOGO, a second PHOTO) and pictures
    // whose data cannot be decoded: counted, not kept.
    int picturesLeftOut = 0;
};

// The vCard versions this program writes.
enum class VCardVersion { V30, V40 };

// One contact as a vCard 3.0 (RFC 2426) or 4.0 (RFC 6350): UTF-8, CR LF line
// ends, lines folded at 75 octets. The user note is written as plain text
// (noteToText() with `locale` for an 8-bit note). Safe on any thread (the
// locale is only read).
QByteArray writeVCard(const VCardContact& contact, const Locale& locale = Locale::user(),
                      VCardVersion version = VCardVersion::V30);

// The contacts of a vCard file (4.0, 3.0 or 2.1, the version read per card,
// any number of cards). Each record is new (Oid 0, member of no category);
// its user note is plain UTF-16 text. A card that gives an empty contact
// (nothing but malformed lines, or only properties that hold no value of
// a contact) is not a contact: it is counted in `unreadableCards`. Safe on
// any bytes; UI thread (labels come from the string table).
struct VCardReadResult {
    QList<VCardContact> contacts;
    int skippedLines = 0;     // malformed lines and lines outside a card
    int unreadableCards = 0;  // cards that gave no contact
};
VCardReadResult readVCards(const QByteArray& bytes);

// The versions `export --version` and the program accept: "3.0" and "4.0".
std::optional<VCardVersion> vcardVersionNamed(const QString& name);

}  // namespace kontavo
