#pragma once

#include <QPoint>

class QWidget;

namespace kontavo::test {

// A pen stroke on `surface` with real mouse events: pressed at `from`,
// moved through the middle to `to` and lifted there.
void drawPenStroke(QWidget* surface, QPoint from, QPoint to);

}  // namespace kontavo::test
