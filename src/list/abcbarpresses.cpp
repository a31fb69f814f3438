#include "list/abcbarpresses.h"

namespace kontavo {

void AbcBarPresses::reset(int groupCount) {
    m_counts = QList<int>(qMax(0, groupCount), 0);
}

void AbcBarPresses::appended(int group) {
    if (group >= 0 && group < m_counts.size()) {
        ++m_counts[group];
    }
}

void AbcBarPresses::removed(int group) {
    if (group >= 0 && group < m_counts.size() && m_counts[group] > 0) {
        --m_counts[group];
    }
}

void AbcBarPresses::clear() {
    m_counts.fill(0);
}

}  // namespace kontavo
