#include "store/contacts/keyranking.h"

#include <algorithm>
#include <numeric>

#include "store/contacts/collationkeys.h"

namespace kontavo {

KeyRanking::KeyRanking(const CollationKeys& keys)
    : m_keys(keys), m_order(size_t(keys.size())) {
    std::iota(m_order.begin(), m_order.end(), 0);
}

// Runs are merged pairwise in passes from the front (a bottom-up merge
// sort), so merged runs are of about equal size and the largest step is the
// last merge.
bool KeyRanking::step(size_t count) {
    if (m_done) {
        return true;
    }
    const auto before = [this](int a, int b) { return m_keys.compare(a, b) < 0; };
    if (m_sorted < m_order.size()) {
        const size_t end = std::min(m_order.size(), m_sorted + std::max<size_t>(count, 1));
        std::sort(m_order.begin() + qsizetype(m_sorted), m_order.begin() + qsizetype(end), before);
        m_runEnds.push_back(end);
        m_sorted = end;
        return false;
    }
    if (m_runEnds.size() > 1) {
        if (m_mergeAt + 1 >= m_runEnds.size()) {
            m_mergeAt = 0;  // the next pass
        }
        const size_t begin = m_mergeAt == 0 ? 0 : m_runEnds[m_mergeAt - 1];
        std::inplace_merge(m_order.begin() + qsizetype(begin),
                           m_order.begin() + qsizetype(m_runEnds[m_mergeAt]),
                           m_order.begin() + qsizetype(m_runEnds[m_mergeAt + 1]), before);
        m_runEnds.erase(m_runEnds.begin() + qsizetype(m_mergeAt));
        ++m_mergeAt;
        return false;
    }
    m_ranks.assign(m_order.size(), 0);
    int rank = 0;
    for (size_t i = 0; i < m_order.size(); ++i) {
        if (i > 0 && m_keys.compare(m_order[i - 1], m_order[i]) != 0) {
            ++rank;
        }
        m_ranks[size_t(m_order[i])] = rank;
    }
    m_done = true;
    return true;
}

}  // namespace kontavo
