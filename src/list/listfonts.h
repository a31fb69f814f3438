#pragma once

#include <QFont>

#include "platform/screen.h"

namespace kontavo {

// The fonts of the list controls. "Tahoma" is requested by name (fontconfig
// substitutes when it is missing) and sized in pixels from the device DPI,
// never in points, so Qt's own DPI does not enter.

// Tahoma with a character height of `pixels`.
QFont tahomaFont(int pixels, bool bold = false);
// The program's standard font: Tahoma of 8 points at the vertical DPI.
QFont standardFont(const Screen& screen, bool bold = false);

}  // namespace kontavo
