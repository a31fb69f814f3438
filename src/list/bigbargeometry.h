#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace kontavo {

// The big bar's keypad: a 3 x 3 grid of equal thirds of its bitmap, cells
// numbered row by row from the top left. Cell 0 is backspace (command N,
// N = number of groups); cells 1-8 are groups 0-7; a group past the eighth
// has no cell, and a cell past the last group is no button.
class BigBarGeometry {
public:
    static constexpr int kCells = 9;

    BigBarGeometry(QSize bitmapSize, int groupCount)
        : m_size(bitmapSize), m_groupCount(groupCount) {}

    QSize size() const { return m_size; }
    QRect cellRect(int cell) const;
    // The cell under `pos`, or -1.
    int cellAt(QPoint pos) const;
    // The command of a cell, or -1 for a cell that is no button.
    int commandOfCell(int cell) const;
    // The cell showing a command, or -1.
    int cellOfCommand(int command) const;

private:
    QSize m_size;
    int m_groupCount;
};

}  // namespace kontavo
