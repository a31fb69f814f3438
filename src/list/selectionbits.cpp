#include "list/selectionbits.h"

namespace kontavo {

void SelectionBits::resize(int rowCount) {
    m_rowCount = qMax(0, rowCount);
    m_words.resize((m_rowCount + 31) / 32, 0u);
    const int spare = m_rowCount % 32;
    if (spare != 0) {
        m_words.last() &= (1u << spare) - 1u;  // rows past the end are never selected
    }
}

bool SelectionBits::isSelected(int row) const {
    if (row < 0 || row >= m_rowCount) {
        return false;
    }
    return (m_words[row / 32] >> (row % 32)) & 1u;
}

void SelectionBits::set(int row, bool selected) {
    if (row < 0 || row >= m_rowCount) {
        return;
    }
    const uint32_t mask = 1u << (row % 32);
    if (selected) {
        m_words[row / 32] |= mask;
    } else {
        m_words[row / 32] &= ~mask;
    }
}

void SelectionBits::clear() {
    m_words.fill(0u);
}

QList<int> SelectionBits::selectedRows() const {
    QList<int> rows;
    for (int word = 0; word < m_words.size(); ++word) {
        for (uint32_t bits = m_words[word]; bits != 0; bits &= bits - 1) {
            rows.append(word * 32 + __builtin_ctz(bits));
        }
    }
    return rows;
}

}  // namespace kontavo
