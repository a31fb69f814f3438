#pragma once

#include <QList>

#include "platform/objectstore.h"
#include "store/record/contactrecord.h"

namespace kontavo {

// How a contact record maps onto the properties of the contacts database.
// Pure functions; safe on any thread.

// The 47 properties read when the notes are not needed (list building,
// index checks): the 43 string fields in table order, Birthday,
// Anniversary, the preferred item and the category mask.
const QList<PropTag>& contactTagsWithoutNotes();
// The seven properties a list query reads of every candidate: LastName,
// FirstName, Company, Title, WorkPhone, WorkPhone2, CategoryMask.
const QList<PropTag>& listEntryTags();
// The four name properties that locate a contact's picture: Title,
// FirstName, MiddleName, LastName.
const QList<PropTag>& pictureNameTags();

// Puts the properties of `read` into `record`, dispatching by property id:
// the 43 string ids to their fields, 0x4001 and 0x4003 (FILETIME) to the
// dates, 0x0050 (integer) to the preferred item, 0x0016 and 0x0017 (blobs)
// to the category mask and the notes. Other ids, values of another type than
// expected, and properties reported as not found are skipped. Sets and
// returns the record's Oid.
Oid applyContactProps(const DbRecord& read, ContactRecord& record);

enum class ContactWrite {
    // A new record: only fields that hold something are written.
    Create,
    // An existing record: every field is written, empty ones as deletions.
    Update,
};

// The properties to write for `record`: the 43 strings in table order, the
// notes when `notesRebuilt` (the caller has just rebuilt them from the user
// note and the extended properties), the category mask, the two dates and
// the preferred item. On create only what holds something is written (a
// non-empty string or notes blob, a mask of non-zero length, a date or item
// other than 0). On update every one of them is written, and an empty one
// carries the delete flag, so the stored record ends up equal to `record`
// (and the category references, moved to `record`'s mask, stay true).
PropList contactWriteProps(const ContactRecord& record, ContactWrite mode, bool notesRebuilt);

}  // namespace kontavo
