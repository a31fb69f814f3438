#pragma once

#include <QString>

#include "store/contacts/contactindex.h"

namespace kontavo {

class IndexSharing;
class ProgressSink;

// What bringing the index up at program start did.
enum class IndexStartup {
    Current,       // usable and current: nothing to do
    Synchronised,  // stale, brought up to date record by record
    Rebuilt,       // missing, unusable or too far behind: built anew
    Failed,        // could not be built
};

// Opens `index` against the database `reader` reads, as the program does at
// start: a missing or unusable index is rebuilt, a stale one synchronised,
// and rebuilt when synchronising is not enough or fails; progress goes to
// `progress` (may be null). The caller must be the master of `sharing` (may
// be null); a rebuild is bracketed by rebuildIndex(). UI thread only.
IndexStartup startIndex(ContactIndex& index, ContactReader& reader, const DbInfo& database,
                        ProgressSink* progress, IndexSharing* sharing = nullptr);

// A full rebuild by the master of `sharing` (may be null): the other
// programs close their index files before it and open them again after it.
// False as well when this program stopped being the master while the others
// were told (the rebuild is then left to the new master).
bool rebuildIndex(ContactIndex& index, ContactReader& reader, ProgressSink* progress,
                  bool userRequested, IndexSharing* sharing);

// "current", "synchronised", "rebuilt" or "failed".
QString startupName(IndexStartup startup);

}  // namespace kontavo
