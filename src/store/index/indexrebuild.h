#pragma once

#include <cstdint>

namespace kontavo {

class IndexCollector;
class IndexFiles;

// Fills the index files in bulk from contacts gathered by an IndexCollector.
class IndexRebuild {
public:
    // Creates both stores anew (emptying regions other processes hold),
    // stores every contact's record and builds the index store, then records
    // `databaseTime` and clears the busy flag. `collector` must be finished.
    // False (the busy flag set, or the stores closed) when anything fails.
    static bool storeAll(IndexFiles& files, const IndexCollector& collector, uint64_t databaseTime);
    // Rebuilds the index store of open files with new words, keeping every
    // contact, its record and Oid list 1; the property store is not touched
    // beyond its busy flag. `collector` must be finished within the indexed
    // contacts (IndexCollector::finishWithin).
    static bool storeWords(IndexFiles& files, const IndexCollector& collector);
};

}  // namespace kontavo
