#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <cstdint>
#include <functional>
#include <optional>
#include <unordered_map>
#include <utility>
#include <vector>

#include "store/index/checkedbytes.h"
#include "store/index/indexheap.h"
#include "store/index/mappedstore.h"
#include "store/index/oidunion.h"

namespace kontavo {

using Oid = uint32_t;

// The search index ("pim_index1.dat"): two ternary search trees of words
// (plain words, and words rewritten to letter-group codes) with an Oid map
// each, Oid list 0 (every indexed contact), Oid list 1, and the record map
// from each contact to its PropsStore record. The byte layout is written up in
// docs/formats/index-files.md; short prefixes are answered from prefix lists
// kept for the nodes of the first two characters.
//
// Works on memory owned by the caller (a MappedStore, or a buffer). Every
// offset read from the store is checked: a damaged store gives wrong answers
// or failures, never reads or writes outside its memory. A store written by
// another program (no space table) is read as it is and rebuilt in this
// program's layout on its first change.
//
// Not thread-safe; one object changes a store at a time.
class IndexStore {
public:
    enum class Tree { Words = 0, Groups = 1 };
    static constexpr int kAllContacts = 0;  // Oid list 0
    static constexpr int kListOne = 1;      // Oid list 1, kept by the caller

    explicit IndexStore(StoreMemory& memory);

    // Size of a new store for an expected `expectedBytes`: 10284 below 10240,
    // else (n + 47) rounded down to a multiple of 4.
    static uint32_t sizeFor(uint32_t expectedBytes);

    // Writes an empty store (growing the memory to hold it when needed).
    bool initialise();
    // Checks magic 1 and version 5; false when unusable.
    bool open();
    bool isOpen() const { return m_open; }

    // Adds a contact to list 0 and files its PropsStore record offset.
    bool addContact(Oid oid, uint32_t record);
    std::optional<uint32_t> recordOf(Oid oid) const;
    // The number of contacts in the record map.
    uint32_t recordCount() const;
    // Every (Oid, record offset), in Oid order.
    std::vector<std::pair<Oid, uint32_t>> records() const;
    // Takes a contact out of both trees, both lists and the record map.
    bool removeContact(Oid oid);
    // Adds or removes a contact in list 0 or 1.
    bool setListed(int list, Oid oid, bool listed);
    std::vector<Oid> oids(int list) const;

    // Files `word` (lower-cased by the caller, not empty, without NUL
    // characters, which end strings in the store) under `oid`.
    bool insertWord(Tree tree, QStringView word, Oid oid);
    // Takes every word of `oid` out of one tree.
    bool removeWords(Tree tree, Oid oid);
    // Empties both trees and their Oid maps; the lists and records stay.
    bool clearWords();

    // The contacts with a word beginning with `prefix`, sorted ascending
    // without duplicates, narrowed to list 0 or 1 when `narrowTo` is given.
    std::vector<Oid> findPrefix(Tree tree, QStringView prefix,
                                std::optional<int> narrowTo = std::nullopt) const;
    // As findPrefix, into `out` (cleared first): a caller that keeps `out`
    // between lookups saves allocating the result each time.
    void findPrefix(Tree tree, QStringView prefix, std::vector<Oid>& out,
                    std::optional<int> narrowTo = std::nullopt) const;
    // The intersection of findPrefix over `prefixes`; no prefix at all gives
    // every contact of the narrowing list (list 0 when none is given).
    std::vector<Oid> findAll(Tree tree, const QStringList& prefixes,
                             std::optional<int> narrowTo = std::nullopt) const;
    // As findAll, into `found` (cleared first; its capacity is reused).
    void findAll(Tree tree, const QStringList& prefixes, std::vector<Oid>& found,
                 std::optional<int> narrowTo = std::nullopt) const;
    // The words of a contact in one tree (through its node list).
    QStringList wordsOf(Tree tree, Oid oid) const;
    // Every word of a tree with the contacts filed under it.
    void forEachWord(
        Tree tree, const std::function<void(const QString&, const std::vector<Oid>&)>& visit) const;

    // Walks the whole store and checks every link, list, ring, prefix list and
    // the heap's accounting; false with a description when something is wrong.
    bool check(QString* problem = nullptr) const;
    // True when an operation met a damaged part of the store.
    bool hasFault() const { return m_bytes.fault(); }

    // How the store's bytes are used.
    struct Usage {
        uint32_t size = 0;       // bytes in the store
        uint32_t heapTop = 0;    // end of the items handed out so far
        uint64_t freeBytes = 0;  // bytes on the free lists below the top
    };
    Usage usage() const;

private:
    // Results of short prefixes that no prefix list answers, kept in this
    // process until the store's change count moves on.
    struct LookupCache {
        uint32_t changeCount = 0;
        std::unordered_map<QString, std::vector<Oid>> results[2];
    };
    static constexpr qsizetype kCachedPrefixLength = 2;
    static constexpr size_t kCachedResults = 512;

    // One prefix of a lookup: the lists of its words, or its cached result.
    struct Term {
        OidUnion lists;
        std::vector<Oid> own;
        std::vector<Oid> littleEndian;
        void addSorted(const std::vector<Oid>& oids);
    };
    // The cached result of a short prefix (computed now when missing); null
    // for prefixes the cache does not keep.
    const std::vector<Oid>* cachedLookup(int tree, QStringView prefix) const;
    void makeCacheRoom(size_t room) const;
    bool writable();
    bool adopt();
    bool finish();
    uint32_t headerWord(uint32_t at) const { return m_bytes.word(at); }

    StoreMemory& m_memory;
    mutable CheckedBytes m_bytes;
    IndexHeap m_heap;
    bool m_open = false;
    bool m_deepListsDropped = false;  // since the last open()
    mutable LookupCache m_cache;
};

}  // namespace kontavo
