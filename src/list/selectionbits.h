#pragma once

#include <QList>
#include <cstdint>

namespace kontavo {

// The selected rows of a list: one bit per row, 32 rows per 32-bit word
// (word = row / 32, bit = row mod 32). Rows outside 0..rowCount-1 are never
// selected; setting them is ignored.
class SelectionBits {
public:
    // Resizes to `rowCount` rows; rows below the new count keep their state.
    void resize(int rowCount);
    int rowCount() const { return m_rowCount; }

    bool isSelected(int row) const;
    void set(int row, bool selected);
    void clear();
    // The selected rows in ascending order.
    QList<int> selectedRows() const;

    const QList<uint32_t>& words() const { return m_words; }

private:
    int m_rowCount = 0;
    QList<uint32_t> m_words;
};

}  // namespace kontavo
