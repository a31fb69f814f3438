#pragma once

#include <QFont>

namespace kontavo {

class Screen;
class SettingsStore;

// "Tahoma" is requested by name (fontconfig substitutes when it is missing)
// and sized in pixels from the device DPI, never in points, so Qt's own DPI
// does not enter.

// Tahoma with a character height of `pixels` (at least 1).
QFont tahomaFont(int pixels, bool bold = false);
// The program's standard font: Tahoma of 8 points at the vertical DPI.
QFont standardFont(const Screen& screen, bool bold = false);

// The fonts every window shares: the list font made from the stored
// "ListFont" values, and "Tahoma" of 8 points at the screen's vertical DPI,
// normal and bold. Sizes are in pixels of the device DPI. A plain value.
struct SharedFonts {
    QFont list;
    QFont normal;
    QFont bold;

    static SharedFonts create(const SettingsStore& settings, const Screen& screen);

    // The fonts of the running program (set at start-up, cleared at
    // shut-down); default fonts before that.
    static const SharedFonts& current();
    static void setCurrent(const SharedFonts& fonts);
    static void release();
};

}  // namespace kontavo
