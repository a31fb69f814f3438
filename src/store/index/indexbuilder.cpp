#include "store/index/indexbuilder.h"

#include <algorithm>

#include "store/index/heapcursor.h"
#include "store/index/indexheap.h"
#include "store/index/indexlayout.h"
#include "store/index/indexstore.h"
#include "store/index/treebuilder.h"

namespace kontavo {

using namespace indexlayout;

bool IndexBuilder::build(StoreMemory& memory, const IndexContents& contents, uint32_t changeCount) {
    if (contents.records.size() != contents.oids.size() || !IndexStore(memory).initialise()) {
        return false;
    }
    CheckedBytes bytes(memory);
    IndexHeap heap(bytes);
    // The empty items of a new store make way for the built ones.
    for (uint32_t at :
         {kRootAt[0], kMapAt[0], kRootAt[1], kMapAt[1], kListAt[0], kListAt[1], kRecordMapAt}) {
        heap.release(bytes.word(at), 4);
    }
    HeapCursor cursor(bytes, heap.top());
    bytes.setWord(kListAt[0], cursor.writeArray(contents.oids));
    bytes.setWord(kListAt[1], cursor.writeArray(contents.listOne));
    bytes.setWord(kRecordMapAt, cursor.writeArray(contents.oids, contents.records));
    const WordPostings none;
    for (int tree = 0; tree < 2; ++tree) {
        const WordPostings& words = contents.words[tree] ? *contents.words[tree] : none;
        TreeBuilder(heap, cursor, tree, words, contents.oids).build();
    }
    heap.setSpaceWord(kSpaceTopAt, cursor.end());
    heap.setSpaceWord(kSpaceChangeAt, changeCount);
    // A store built over a larger one (or grown in large steps) ends at its heap.
    memory.resize(std::min(IndexStore::sizeFor(cursor.end()), memory.capacity() & ~3u));
    return !bytes.fault();
}

}  // namespace kontavo
