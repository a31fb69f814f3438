#include "list/listviewport.h"

#include <algorithm>

namespace kontavo {

void ListViewport::setRowCount(int count) {
    m_rowCount = qMax(0, count);
}

void ListViewport::setRowHeight(int height) {
    const int top = topRow();
    m_rowHeight = qMax(1, height);
    m_position = qint64(top) * m_rowHeight;
}

void ListViewport::setClientHeight(int height) {
    m_clientHeight = qMax(0, height);
}

int ListViewport::rowTop(int row) const {
    return int(qint64(row) * m_rowHeight - m_position);
}

int ListViewport::rowAt(int y) const {
    if (y < 0 || y >= m_clientHeight) {
        return -1;
    }
    const qint64 row = (m_position + y) / m_rowHeight;
    return row < m_rowCount ? int(row) : -1;
}

int ListViewport::nearestRowAt(int y) const {
    if (m_rowCount == 0) {
        return -1;
    }
    const int inside = std::clamp(y, 0, qMax(0, m_clientHeight - 1));
    const qint64 row = (m_position + inside) / m_rowHeight;
    return int(qMin<qint64>(row, m_rowCount - 1));
}

bool ListViewport::isWhollyVisible(int row) const {
    const int top = rowTop(row);
    return row >= 0 && row < m_rowCount && top >= 0 && top + m_rowHeight <= m_clientHeight;
}

int ListViewport::firstWholeRow() const {
    return topRow() + (pixelOffset() > 0 ? 1 : 0);
}

int ListViewport::lastWholeRow() const {
    const qint64 last = (m_position + m_clientHeight) / m_rowHeight - 1;
    return int(qMin<qint64>(last, m_rowCount - 1));
}

bool ListViewport::scrollIntoView(int row) {
    if (row < 0 || row >= m_rowCount) {
        return false;
    }
    const qint64 rowY = qint64(row) * m_rowHeight;
    if (rowY < m_position || m_rowHeight > m_clientHeight) {
        return setPosition(rowY);
    }
    if (rowY + m_rowHeight > m_position + m_clientHeight) {
        return setPosition(rowY + m_rowHeight - m_clientHeight);
    }
    return false;
}

bool ListViewport::scrollRows(int delta) {
    const qint64 target = m_position + qint64(delta) * m_rowHeight;
    return setPosition(std::clamp<qint64>(target, 0, qMax(m_position, lastPosition())));
}

bool ListViewport::setTopRow(int row) {
    const int top = std::clamp(row, 0, qMax(0, m_rowCount - 1));
    return setPosition(qint64(top) * m_rowHeight);
}

void ListViewport::clampPosition() {
    const int lastTop = scrollBarMaximum();
    if (topRow() > lastTop) {
        m_position = qint64(lastTop) * m_rowHeight;
    }
}

int ListViewport::scrollBarMaximum() const {
    return qMax(0, m_rowCount - wholeRowsThatFit());
}

bool ListViewport::setPosition(qint64 position) {
    position = qMax<qint64>(0, position);
    if (position == m_position) {
        return false;
    }
    m_position = position;
    return true;
}

// The position that shows the last row at the bottom edge.
qint64 ListViewport::lastPosition() const {
    return qMax<qint64>(0, qint64(m_rowCount) * m_rowHeight - m_clientHeight);
}

}  // namespace kontavo
