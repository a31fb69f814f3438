#pragma once

#include <QRect>
#include <QSize>

#include "platform/screen.h"

namespace kontavo {

// Which ABC bar the contacts frame shows; values as stored in "AbcMode".
enum class AbcMode { Small = 0, Big = 1, Hidden = 2 };
// A stored value outside 0..2 reads as the small bar.
AbcMode abcModeFromSetting(int value);

// Where the contacts frame puts its parts, from top to bottom: the category
// button and the search field (one row), the small ABC bar, the list pane
// (the splitter with list and card, or the list alone) and, at the bottom,
// the big ABC bar. Lengths at 96 dpi scaled by the screen.
class ContactsFrameLayout {
public:
    struct Input {
        QRect client;  // the frame's client rectangle
        AbcMode abcMode = AbcMode::Small;
        bool splitVisible = true;
        bool sipUp = false;
        int sipTop = 0;          // the soft input panel's top edge, client coordinates
        int smallBarHeight = 0;  // SmallBarFitter::barHeight for the labels
        QSize bigBarSize;        // the big bar's bitmap
    };
    struct Rects {
        QRect categoryButton;
        QRect searchField;
        QRect smallBar;  // empty unless shown
        QRect bigBar;    // empty unless shown
        QRect pane;      // the splitter when shown, else the list
        bool smallBarShown = false;
        bool bigBarShown = false;
        bool splitterShown = false;
    };

    static constexpr int kTopRowHeight = 16;
    static constexpr int kSearchWidth = 100;

    explicit ContactsFrameLayout(const Screen& screen) : m_screen(screen) {}

    Rects compute(const Input& input) const;

private:
    Screen m_screen;
};

}  // namespace kontavo
