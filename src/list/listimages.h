#pragma once

#include <QPixmap>

#include "platform/screen.h"

namespace kontavo {

// Bitmaps and icons of the list controls from the compiled-in resources
// (types "BITMAP" and "ICON"): the 16-pixel set id on a normal screen, the
// 32-pixel set id on a high-resolution one. A missing or undecodable
// resource yields a null pixmap; callers draw without it.

// A bitmap; `magentaIsTransparent` makes RGB 0xFF00FF see-through.
QPixmap loadBitmap(int normalId, int highResId, const Screen& screen,
                   bool magentaIsTransparent = false);
QPixmap loadIcon(int normalId, int highResId, const Screen& screen);

}  // namespace kontavo
