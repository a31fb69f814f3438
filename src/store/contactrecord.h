#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <optional>

#include "store/contactfields.h"
#include "store/extendedproperties.h"
#include "store/filetime.h"
#include "store/picturebitmap.h"
#include "store/proptag.h"

namespace kontavo {

// The kind of an extended item named by a preferred-item key.
enum class ExtendedItemKind { Phone = 1, Email = 2 };

// The extended phone or e-mail a preferred-item key names.
struct PreferredExtended {
    QString label;
    QString value;
    ExtendedItemKind kind;
};

// The two name lines of the list and the card.
struct NameLines {
    QString first;
    QString second;
};

// The in-memory contact: the standard properties of one record of the
// contacts database, the extended properties kept in its notes, and the
// loaded picture. A plain copyable value; copies share the blobs and the
// picture. An empty string and an absent property are the same thing.
// Not thread-safe; a record belongs to one thread at a time.
struct ContactRecord {
    Oid oid = 0;               // 0 until the record exists in the database
    FileTime anniversary = 0;  // kTagAnniversary; 0 = not set
    FileTime birthday = 0;     // kTagBirthday; 0 = not set
    // kTagPreferredItem: the tag of a standard phone or e-mail field or the
    // itemKey() of an extended one; 0 = none. Held as the bit pattern of the
    // signed 32-bit property.
    uint32_t preferredItemTag = 0;
    std::array<QString, kContactFieldCount> fields;  // indexed by ContactField
    // kTagCategoryMask: bit p (bit p mod 8 of byte p div 8) set = member of
    // the category at position p. A new record is member of nothing.
    QByteArray categoryMask = QByteArray(1, '\0');
    QByteArray notesBlob;  // kTagNotes exactly as stored: user note plus block
    ExtendedProperties extended;
    QByteArray userNote;  // the notes without the extended property block
    Picture picture;      // the decoded picture named by extended.image

    const QString& field(ContactField f) const { return fields[size_t(f)]; }
    void setField(ContactField f, const QString& text) { fields[size_t(f)] = text; }

    // Empties every field; unlike a new record, the category mask and the
    // notes become zero-length blobs.
    void clear();
    // Copies every field; blobs and the picture are shared, not duplicated.
    void copy(const ContactRecord& from) { *this = from; }
    // Every field: strings, oid, dates, preferred item, mask, notes blob,
    // extended properties (checksum included), picture and user note.
    bool equals(const ContactRecord& other) const;
    // As equals(), without the notes blob, the picture name and the checksum:
    // tells whether the user changed anything in the editor.
    bool sameContent(const ContactRecord& other) const;
    // True when the record holds nothing (its oid is not considered).
    bool isEmpty() const;

    // First line: "Last, First Middle", else "First Middle", else the company,
    // else the title, else the suffix; second line: the company unless it
    // already is the first line.
    NameLines nameLines() const;
    // "Last, First" when both are set, else the one that is set, else `fallback`.
    static QString shortDisplayName(const QString& lastName, const QString& firstName,
                                    const QString& fallback);

    // (label, number) of the non-empty standard phones in the phone list
    // order, then every extended phone with a non-empty value.
    QList<LabeledValue> phoneList() const;
    // The numbers of phoneList() without labels.
    QStringList allPhoneNumbers() const;

    // The identifiers a preferred item can take, in the order the phone menu
    // steps through them: non-empty standard phones, extended phones, the
    // non-empty e-mails, extended e-mails.
    QList<uint32_t> preferredCandidates() const;
    // The candidate `step` places after the current preferred item (the first
    // when it is not a candidate), wrapping at both ends; nullopt with fewer
    // than two candidates. The record is not changed.
    std::optional<uint32_t> nextPreferredItem(int step) const;
    // The extended phone (searched first) or e-mail whose itemKey() equals
    // preferredItemTag.
    std::optional<PreferredExtended> findPreferredExtended() const;

private:
    bool sameBase(const ContactRecord& other) const;
};

}  // namespace kontavo
