#pragma once

#include <cstdint>
#include <vector>

#include "store/index/storememory.h"
#include "store/index/wordpostings.h"

namespace kontavo {

// Everything an index store holds, gathered for a bulk build.
struct IndexContents {
    std::vector<uint32_t> oids;     // the contacts, ascending; a contact's rank is its position
    std::vector<uint32_t> records;  // each contact's PropsStore record, by rank
    std::vector<uint32_t> listOne;  // Oid list 1, ascending
    // The words of each tree (IndexStore::Tree order), finished with the
    // ranks of `oids`; null for an empty tree.
    const WordPostings* words[2] = {nullptr, nullptr};
};

// Writes a whole index store ("pim_index1.dat") in one pass, in the layout a
// store built contact by contact has: header, lists, record map and both
// word trees (see TreeBuilder). Much faster than filing word after word, and
// without the room lists leave behind when they grow.
class IndexBuilder {
public:
    // Replaces the contents of `memory` by `contents`. The store grows as
    // needed and ends sized for its heap (IndexStore::sizeFor). The space
    // table's change count becomes `changeCount`, so that readers of the
    // previous contents drop their caches. Ends the program when the store
    // would exceed its memory's capacity. False when the store cannot be
    // written.
    static bool build(StoreMemory& memory, const IndexContents& contents, uint32_t changeCount);
};

}  // namespace kontavo
