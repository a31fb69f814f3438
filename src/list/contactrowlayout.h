#pragma once

#include <QPoint>
#include <QRect>

#include "platform/screen.h"

namespace kontavo {

// Where the parts of a contact row or a company header go within its box.
// Lengths are given at 96 dpi and scaled by the screen. A plain value.
class ContactRowLayout {
public:
    struct Options {
        bool twoLine = false;
        bool nameOnly = false;
        bool grouped = false;
        // The list font's maximum character width less 5 pixels.
        int tagColumnWidth = 0;
    };

    struct ContactParts {
        QRect picture;  // two-line mode: the square at the left
        QRect name;     // where the name (and the second name line) may go
        QRect label;    // two-line mode: the label box of the lower line
        QRect value;    // the detail value (right-aligned in one-line mode)
        QRect tag;      // the tag column
    };

    // The widths a one-line row's texts need, in pixels of the list font.
    struct TextWidths {
        int name = 0;          // the whole name
        int value = 0;         // the whole detail value; 0: no detail
        int ellipsis = 0;      // "..."
        int shortestName = 0;  // "Ab...": the least a shortened name keeps
    };

    struct HeaderParts {
        QRect icon;
        QRect text;
    };

    ContactRowLayout(const Screen& screen, Options options)
        : m_screen(screen), m_options(options) {}

    const Options& options() const { return m_options; }
    int indent() const;
    // The gap between the name and the second name line.
    int nameGap() const { return m_screen.scaleX(6); }

    // The parts of a contact row. In one-line mode the name and the detail
    // value share the line left of the tag column: each gets what it needs
    // when both fit; otherwise the name keeps at least half of the line (or
    // the width of "Ab..." on a narrow line) and the value, right-aligned,
    // gets the rest; a value shortened to less than "..." is left out.
    // Two-line mode places the parts by fixed rules and ignores `widths`.
    ContactParts contactParts(const QRect& box, const TextWidths& widths) const;
    ContactParts contactParts(const QRect& box) const { return contactParts(box, TextWidths()); }
    HeaderParts headerParts(const QRect& box, int iconSize) const;

    // Whether a pen at `pos` on a contact row in `box` is on the phone
    // strip: the right edge of the row as wide as the tag column plus 14
    // pixels, on the lower line in two-line mode. Never with the name only.
    bool isOnPhoneStrip(const QRect& box, QPoint pos) const;
    // The phone strip of a contact row in `box` (the phone menu's anchor).
    QRect phoneStrip(const QRect& box) const;

private:
    QRect tagColumn(const QRect& line) const;
    ContactParts oneLineParts(const QRect& box, const TextWidths& widths) const;

    Screen m_screen;
    Options m_options;
};

}  // namespace kontavo
