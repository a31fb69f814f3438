#pragma once

#include <QPixmap>

#include "platform/screen.h"

namespace kontavo {

// Bitmaps and icons of the list controls from the compiled-in resources:
// the id of the 16-pixel set on a normal screen, the id of the 32-pixel set
// on a high-resolution one. Bitmaps are type "BITMAP"; icons are type
// "ICON16" or "ICON32" by set. A missing or undecodable resource yields a
// null pixmap; callers draw without it.

// A bitmap; `magentaIsTransparent` makes RGB 0xFF00FF see-through.
QPixmap loadBitmapOfSet(int normalId, int highResId, const Screen& screen,
                        bool magentaIsTransparent = false);
QPixmap loadIconOfSet(int normalId, int highResId, const Screen& screen);

}  // namespace kontavo
