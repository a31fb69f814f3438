#pragma once

#include "platform/objectstore.h"

namespace kontavo {

// Whether a walk over a database goes on after reading its current record
// failed: a record another program deleted since the seek is passed over
// silently, and one whose stored bytes cannot be decoded is passed over with
// a line in the error log, so that one damaged record never hides the
// others. Any other failure ends the walk.
bool passOverFailedRead(const ObjectDatabase& db);

// Writes the error log's line for record `oid` of `db`, which cannot be
// decoded and is passed over.
void logUndecodableRecord(const ObjectDatabase& db, Oid oid);

}  // namespace kontavo
