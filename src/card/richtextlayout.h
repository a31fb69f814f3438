#pragma once

#include <QList>

namespace kontavo {

class RichText;

// The flags of measuring and drawing a rich text.
namespace richflag {
inline constexpr unsigned kCentre = 0x1;         // centre each line horizontally
inline constexpr unsigned kRight = 0x2;          // right-align each line
inline constexpr unsigned kVCentre = 0x4;        // centre the block vertically in the box
inline constexpr unsigned kBottom = 0x8;         // align the block to the bottom of the box
inline constexpr unsigned kWordWrap = 0x10;      // break a too-long line after its last blank
inline constexpr unsigned kSingleLine = 0x20;    // no breaks: line feeds are ordinary characters
inline constexpr unsigned kEndEllipsis = 0x40;   // shorten a too-wide line and end it with "..."
inline constexpr unsigned kNoClip = 0x100;       // do not clip to the box
inline constexpr unsigned kMeasureOnly = 0x400;  // return the box the text needs, draw nothing
}  // namespace richflag

// One line of a laid-out rich text: the characters [start, end) it draws
// (without the line break that ends it or the blank it was wrapped after),
// or the rule of a separator.
struct RichLine {
    int start = 0;
    int end = 0;
    bool rule = false;

    bool operator==(const RichLine&) const = default;
};

// Breaks a measured text into lines for a box `width` pixels wide.
// Unless kSingleLine is set: a CR or LF ends a line (CR LF and LF CR count as
// one break); the separator's line feed is a line of its own (the rule);
// when a character would make a line that already has one wider than the
// box, the line breaks before it, or with kWordWrap after the line's last
// blank (that character included), the blank not starting the next line. A
// break at the very end adds no empty line. With kSingleLine the whole text
// is one line.
QList<RichLine> breakRichLines(const RichText& text, int width, unsigned flags);

// The width of the characters [start, end) of a measured text.
int richWidth(const RichText& text, int start, int end);

}  // namespace kontavo
