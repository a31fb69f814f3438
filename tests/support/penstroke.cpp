#include "support/penstroke.h"

#include <QTest>

namespace kontavo::test {

void drawPenStroke(QWidget* surface, QPoint from, QPoint to) {
    QTest::mousePress(surface, Qt::LeftButton, {}, from);
    QTest::mouseMove(surface, (from + to) / 2);
    QTest::mouseMove(surface, to);
    QTest::mouseRelease(surface, Qt::LeftButton, {}, to);
}

}  // namespace kontavo::test
