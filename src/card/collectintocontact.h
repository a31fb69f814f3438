#pragma once

#include <QList>

#include "card/formentry.h"

namespace kontavo {

class ContactTemplate;
struct ContactRecord;

// Saving the edit form (`CollectIntoContact`): a copy of `original` with its
// values cleared (its Oid, picture and, while that item still exists, its
// preferred item stay) and then filled from the blocks. Texts are trimmed;
// empty values, rows without a date and rejected dates are left out. A value
// goes to the first still-empty fixed field whose built-in label is the
// row's label text (so the first "Work" phone is WorkPhone, the second
// WorkPhone2), else, under its label, to the group's extended list; the
// first "Home", "Work" and "Other" addresses go to the fixed addresses with
// their format; links, other properties and messengers always go to their
// lists. Office, the categories, the note and the picture come from their
// blocks; an empty File As gets defaultFileAs().
ContactRecord collectIntoContact(const QList<FormEntry>& blocks, const ContactRecord& original);

// Collecting the template editor's form into `tpl`: reset, Office and
// Category hidden, then `NameColl` from the name block, each block's rows as
// the group's rows (labels looked up by text or appended; Msg with the
// messenger types, Addr with the formats), an Office or Category block
// showing its group.
void collectIntoTemplate(const QList<FormEntry>& blocks, ContactTemplate& tpl);

}  // namespace kontavo
