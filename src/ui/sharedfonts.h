#pragma once

#include <QFont>

namespace kontavo {

class Screen;
class SettingsStore;

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
