#pragma once

#include <QString>

#include "storecommand.h"

namespace kontavo {

struct ContactRecord;

// Writes `record` to the contacts database as another program writes a
// contact, leaving the index to the program that keeps it: the notes are
// rebuilt from the user note and the extended properties, the category
// references counted. A created record's Oid goes to record.oid. Returns an
// empty text, or why nothing was written.
QString writeContact(StoreContext& context, ContactRecord& record, bool create);

// With --wait, after a command changed the database: success only once the
// index has taken the changes in. Another program that keeps the index is
// waited for (answering the other programs meanwhile); with none, the tool
// brings the index up itself and writes it back. Prints why not and returns
// false.
bool waitForIndex(StoreContext& context);

}  // namespace kontavo
