#pragma once

#include <QImage>
#include <QString>
#include <QStringList>
#include <QWidget>

#include "list/coollistowner.h"

namespace kontavo::test {

// Saves a widget's picture as <build>/screenshots/list/<name>.png and
// returns the picture.
QImage saveScreenshot(QWidget& widget, const QString& name);

// Shows a top-level widget, makes it the active window and waits for it.
bool showActive(QWidget& widget);

// A list owner that records every call as text ("focus 3", "tapped 3 1",
// "longpress 10,45", "activate 2", "key 65 a") and draws sample contact
// rows: a name on the left and a number on the right, white or selected.
class RecordingOwner : public CoolListOwner {
public:
    bool onKey(const ListKey& key) override;
    void onRowTapped(int row, bool wasSelected) override;
    void onFocusChanged(int row) override;
    void onLongPress(QPoint pos) override;
    void onActivate(int row) override;
    void drawRow(QPainter& painter, const QRect& box, int row, unsigned state) override;
    bool hitTest(QPoint pos) override;

    // Taps at x >= takeTapsFromX are taken by the owner (-1: none).
    int takeTapsFromX = -1;
    QStringList events;
    QList<unsigned> drawnStates;  // state of each row as last drawn, by row
};

}  // namespace kontavo::test
