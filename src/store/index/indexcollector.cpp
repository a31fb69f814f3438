#include "store/index/indexcollector.h"

#include <algorithm>

#include "store/contacts/contactreader.h"
#include "store/index/contactwords.h"
#include "store/index/propsrecord.h"
#include "store/index/propsstore.h"

namespace kontavo {

IndexCollector::IndexCollector(const LetterGroupSet* groups, const Locale& locale, bool keepRecords)
    : m_groups(groups),
      m_locale(locale),
      m_keepRecords(keepRecords),
      m_recordStart{0},
      m_propsBytes(PropsStore::kHeaderBytes) {}

bool IndexCollector::add(const IndexedContact& contact) {
    const uint32_t oid = contact.record.oid;
    if (oid == 0 || !m_seen.insert(oid).second) {
        return false;
    }
    const uint32_t number = uint32_t(m_oids.size());
    m_oids.push_back(oid);
    if (m_keepRecords) {
        const QByteArray record = PropsRecord::encode(contact.record.extended);
        m_records.append(record);
        m_recordStart.push_back(uint32_t(m_records.size()));
        m_propsBytes +=
            uint64_t(PropsStore::blocksFor(uint32_t(record.size()))) * PropsStore::kBlockBytes;
    }
    const SearchWords words = contactWords(contact, m_groups, m_locale);
    for (const QString& word : words.plainWords()) {
        m_words[0].add(word, number);
    }
    for (const QString& word : words.groupWords()) {
        m_words[1].add(word, number);
    }
    return true;
}

void IndexCollector::finish() {
    std::vector<uint32_t> universe = m_oids;
    std::sort(universe.begin(), universe.end());
    finishWithin(universe);
}

void IndexCollector::finishWithin(const std::vector<uint32_t>& universe) {
    std::vector<uint32_t> rankOf(m_oids.size());
    m_contactOfRank.assign(universe.size(), kNone);
    for (uint32_t contact = 0; contact < m_oids.size(); ++contact) {
        const auto at = std::lower_bound(universe.begin(), universe.end(), m_oids[contact]);
        rankOf[contact] = uint32_t(at - universe.begin());
        m_contactOfRank[rankOf[contact]] = contact;
    }
    m_sortedOids = universe;
    m_words[0].finish(rankOf, uint32_t(universe.size()));
    m_words[1].finish(rankOf, uint32_t(universe.size()));
    std::unordered_set<uint32_t>().swap(m_seen);
}

QByteArrayView IndexCollector::record(uint32_t rank) const {
    const uint32_t contact = rank < m_contactOfRank.size() ? m_contactOfRank[rank] : kNone;
    if (!m_keepRecords || contact == kNone) {
        return {};
    }
    return QByteArrayView(m_records).sliced(m_recordStart[contact],
                                            m_recordStart[contact + 1] - m_recordStart[contact]);
}

}  // namespace kontavo
