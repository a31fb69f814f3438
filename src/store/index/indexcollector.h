#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <cstdint>
#include <unordered_set>
#include <vector>

#include "store/index/wordpostings.h"

namespace kontavo {

class Locale;
class LetterGroupSet;
struct IndexedContact;

// Gathers the contacts read for a full rebuild: each contact's property
// store record and its words for both trees, then orders them by Oid for
// IndexBuilder. Not thread-safe; `groups` and `locale` must outlive it.
class IndexCollector {
public:
    // Without `keepRecords` only the words are kept (rebuilding the words).
    IndexCollector(const LetterGroupSet* groups, const Locale& locale, bool keepRecords = true);

    // Takes a contact; one whose Oid was taken before, or Oid 0, is ignored
    // (false).
    bool add(const IndexedContact& contact);
    // Orders the contacts by Oid; add() may not be called afterwards.
    void finish();
    // As finish(), but the ranks are the positions in `universe` (ascending),
    // which must hold every Oid added; contacts of `universe` that were not
    // added have no words and no record.
    void finishWithin(const std::vector<uint32_t>& universe);

    uint32_t count() const { return uint32_t(m_oids.size()); }
    // After finish(): the Oids ascending, and by rank the record bytes.
    const std::vector<uint32_t>& oids() const { return m_sortedOids; }
    QByteArrayView record(uint32_t rank) const;
    const WordPostings& words(int tree) const { return m_words[tree]; }
    // PropsStore bytes the records take in 128-byte blocks, header included.
    uint64_t propsBytes() const { return m_propsBytes; }

private:
    static constexpr uint32_t kNone = UINT32_MAX;

    const LetterGroupSet* m_groups;
    const Locale& m_locale;
    bool m_keepRecords;
    std::unordered_set<uint32_t> m_seen;
    std::vector<uint32_t> m_oids;  // by contact number (the order added)
    QByteArray m_records;          // records back to back, by contact number
    std::vector<uint32_t> m_recordStart;
    std::vector<uint32_t> m_contactOfRank;
    std::vector<uint32_t> m_sortedOids;
    WordPostings m_words[2];
    uint64_t m_propsBytes;
};

}  // namespace kontavo
