#pragma once

#include <QtGlobal>

namespace kontavo {

// The vertical geometry of a list of rows of one height: which rows show in
// a client area of a given height, scrolled by a pixel position. The first
// shown row (top row) may be partly scrolled out (pixel offset). Rows are
// 0..rowCount-1; the position never goes below 0.
class ListViewport {
public:
    void setRowCount(int count);
    void setRowHeight(int height);  // at least 1
    void setClientHeight(int height);

    int rowCount() const { return m_rowCount; }
    int rowHeight() const { return m_rowHeight; }
    int clientHeight() const { return m_clientHeight; }
    int topRow() const { return int(m_position / m_rowHeight); }
    int pixelOffset() const { return int(m_position % m_rowHeight); }
    // Whole rows that fit the client area (page size of the scroll bar).
    int wholeRowsThatFit() const { return m_clientHeight / m_rowHeight; }

    // Client y of the row's top edge.
    int rowTop(int row) const;
    // The row at client y, or -1 when y is outside the client area or below
    // the last row.
    int rowAt(int y) const;
    // The row at y with y clamped into the client area and the result into
    // the rows: -1 only when there are no rows.
    int nearestRowAt(int y) const;
    bool isWhollyVisible(int row) const;
    // The first and last rows shown in full (last < first when none is).
    int firstWholeRow() const;
    int lastWholeRow() const;

    // Scrolls the least distance that shows the row in full.
    bool scrollIntoView(int row);
    // Scrolls by whole rows, never past the first row or past the position
    // that shows the last row at the bottom edge.
    bool scrollRows(int delta);
    // Shows `row` at the top, unscrolled (the scroll bar's positions).
    bool setTopRow(int row);
    void resetPosition() { m_position = 0; }
    // After a change of count: a top row beyond the last page moves back to it.
    void clampPosition();

    bool scrollBarNeeded() const { return m_rowCount > wholeRowsThatFit(); }
    int scrollBarMaximum() const;
    // Top row, or top row + 1 while the first row is partly scrolled.
    int scrollBarPosition() const { return topRow() + (pixelOffset() > 0 ? 1 : 0); }

private:
    bool setPosition(qint64 position);
    qint64 lastPosition() const;

    int m_rowCount = 0;
    int m_rowHeight = 1;
    int m_clientHeight = 0;
    qint64 m_position = 0;  // top row * row height + pixel offset
};

}  // namespace kontavo
