#pragma once

#include <QPoint>
#include <QRect>

#include "list/listkey.h"

class QPainter;

namespace kontavo {

// Bits of the state a row is drawn in.
namespace rowstate {
inline constexpr unsigned kSelected = 0x5;     // bits 0 and 2 together
inline constexpr unsigned kListFocused = 0x2;  // the list has the keyboard focus
}  // namespace rowstate

// What the owner of a CoolList provides: the drawing of each row and the
// reactions to taps, keys and long presses. The list owns no rows. All calls
// arrive on the UI thread; the owner may change the list (row count,
// selection) from inside them.
class CoolListOwner {
public:
    virtual ~CoolListOwner() = default;

    // A key the list does not use itself; returns whether the owner used it
    // (an unused key goes on to the list's parent).
    virtual bool onKey(const ListKey& key) = 0;
    // A tap (pen down and up without a drag or long press) made `row` the
    // only selected row; `wasSelected` tells whether it was selected before
    // the pen went down.
    virtual void onRowTapped(int row, bool wasSelected) = 0;
    virtual void onFocusChanged(int row) = 0;
    // A tap-and-hold at `pos` (list coordinates).
    virtual void onLongPress(QPoint pos) = 0;
    // Enter or the action key on the focus row.
    virtual void onActivate(int row) = 0;
    // Draws row `row` into `box`; `state` holds rowstate bits.
    virtual void drawRow(QPainter& painter, const QRect& box, int row, unsigned state) = 0;
    // Asked at pen down on a row, before any selection change: true when the
    // owner takes the tap itself (the list then does nothing more with it).
    virtual bool hitTest(QPoint pos) = 0;
    // Draws over the white client area `area` of a list without rows (a
    // hint of why it is empty); the default draws nothing.
    virtual void drawEmpty(QPainter& painter, const QRect& area) {
        (void)painter;
        (void)area;
    }
};

}  // namespace kontavo
