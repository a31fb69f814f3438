#pragma once

#include <QList>
#include <QString>
#include <functional>

#include "comm/vcard.h"

namespace kontavo {

class CategoriesDBManager;
class ContactManager;
class ProgressSink;

// Adding the contacts of a vCard file to the store: the one way both the
// program (Tools > File > "Import vCards...", a .vcf file handed to it) and
// kontavo-store import do it. Each contact becomes a new record, member of
// the categories its card names (made when missing), with the card's
// picture when the framer makes one of it. A card counts as imported
// exactly when its contact was written. UI thread only.
class VCardImport {
public:
    enum class Outcome {
        Indexed,     // written and indexed
        NotIndexed,  // written; the index takes it in later
        Refused,     // not written
    };

    // Writes one new contact (its category mask already set); its Oid goes
    // to record.oid. `why` says why a refused contact was not written.
    using Writer = std::function<Outcome(ContactRecord& record, QString* why)>;
    // The contact's picture made of a card's picture; null when none can be.
    using PictureFramer = std::function<Picture(const VCardPicture& picture)>;
    // Told of each card's contact after it was written or refused (its
    // number counts from 1 among the contacts of the file).
    using Listener = std::function<void(int number, const ContactRecord& record, Outcome outcome,
                                        const QString& why)>;

    struct Report {
        int cards = 0;         // cards in the file
        int imported = 0;      // contacts written
        int notIndexed = 0;    // of those, not indexed yet
        int unreadable = 0;    // cards that gave no contact
        int refused = 0;       // contacts the store did not take
        int skippedLines = 0;  // malformed and stray lines
        // Pictures of imported cards that were not stored: further pictures
        // of a card (a LOGO, a second PHOTO) and pictures that could not be
        // decoded or framed.
        int picturesNotStored = 0;
        QList<Oid> oids;  // the new contacts, in card order

        // Cards that did not become a contact.
        int notImported() const { return cards - imported; }
    };

    // Imports every contact of `read`, each card's picture through `framer`
    // (none stored when it is empty); progress goes to `progress` (may be
    // null): shown with a range of one step per contact, text `caption`.
    static Report run(const VCardReadResult& read, CategoriesDBManager& categories,
                      const Writer& writer, const PictureFramer& framer, ProgressSink* progress,
                      const QString& caption = QString(), const Listener& listener = {});

    // A writer through the contact manager (notes rebuilt, picture saved,
    // contact indexed).
    static Writer throughManager(ContactManager& manager);

    // "N contacts imported, M cards could not be read", and a second line
    // for pictures that could not be stored.
    static QString summary(const Report& report);
};

// The contact `oid` as a card carries it: its record with the user note and
// extended properties, the names of its categories and its picture as a
// JPEG file; nullopt when it cannot be read. What export and beaming write.
std::optional<VCardContact> vcardContactOf(ContactManager& manager, Oid oid);

// A stored picture as a card carries it: a JPEG file (what phones and mail
// programs read); nullopt for no picture, or when it cannot be encoded.
std::optional<VCardPicture> vcardPictureOf(const Picture& picture);

}  // namespace kontavo
