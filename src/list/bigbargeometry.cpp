#include "list/bigbargeometry.h"

namespace kontavo {

QRect BigBarGeometry::cellRect(int cell) const {
    const int width = m_size.width() / 3;
    const int height = m_size.height() / 3;
    return QRect((cell % 3) * width, (cell / 3) * height, width, height);
}

int BigBarGeometry::cellAt(QPoint pos) const {
    const int width = m_size.width() / 3;
    const int height = m_size.height() / 3;
    if (width <= 0 || height <= 0 || pos.x() < 0 || pos.y() < 0 || pos.x() >= 3 * width ||
        pos.y() >= 3 * height) {
        return -1;
    }
    return (pos.y() / height) * 3 + pos.x() / width;
}

int BigBarGeometry::commandOfCell(int cell) const {
    if (cell == 0) {
        return m_groupCount;
    }
    if (cell > 0 && cell < kCells && cell - 1 < m_groupCount) {
        return cell - 1;
    }
    return -1;
}

int BigBarGeometry::cellOfCommand(int command) const {
    if (command == m_groupCount) {
        return 0;
    }
    if (command >= 0 && command < m_groupCount && command + 1 < kCells) {
        return command + 1;
    }
    return -1;
}

}  // namespace kontavo
