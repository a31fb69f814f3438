#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace kontavo {

// Where pop-ups go on the program's screen (the 240 x 320 or 480 x 640
// window, in global coordinates). Every rectangle returned lies inside the
// screen when its size fits; a pop-up larger than the screen keeps to the
// screen's top left edges.

// A menu of `size` asked to open with its top left at `requested`: moved
// left and up as far as it needs to stay on the screen.
QRect placePopup(const QRect& screen, QPoint requested, QSize size);

// A submenu of `size` opened from the item `item` of the menu `parent`:
// to the right of the parent when it fits there, else to its left, else
// over the parent at the screen's right edge. Its top is the item's top,
// moved up as far as it needs to stay on the screen.
QRect placeSubmenu(const QRect& screen, const QRect& parent, const QRect& item, QSize size);

// A box of `size` in the middle of the screen.
QRect centerOnScreen(const QRect& screen, QSize size);

}  // namespace kontavo
