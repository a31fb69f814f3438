#pragma once

#include <QRect>
#include <QRgb>
#include <optional>

#include "card/richtextlayout.h"

class QPainter;

namespace kontavo {

class RichFontCache;
class RichText;

// Measures and draws rich texts with the fonts of one cache (`Measure` /
// `Draw`). Lines are broken by breakRichLines(); each line is as high as the
// text's line height. Drawing skips lines outside the painter's clip,
// draws a separator as a one-pixel rule across the box at the middle of its
// line in the current colour, shortens a too-wide line for kEndEllipsis
// (characters dropped from its end until it fits with "...", then fewer
// dots if still needed; the dots in the last character's font), aligns each
// line, and draws runs of at most kMaxRun characters that share font and
// colour, each run's top at the line's top, clipped to the box unless
// kNoClip is set. UI thread only.
class RichTextRenderer {
public:
    static constexpr int kMaxRun = 256;

    explicit RichTextRenderer(RichFontCache& cache) : m_cache(cache) {}

    // Draws `text` into `box` with `flags` (richflag), measuring it first
    // when needed; colours come from the text, or all are `fixedColour`
    // (selected lines). Returns the height used: lines x line height. With
    // kMeasureOnly nothing is drawn (`painter` may be null) and `box` gets
    // the size the text needs (width of the widest line). An empty text
    // gives 0; a box narrower than one pixel draws nothing and gives 0
    // (unless only measuring).
    int draw(QPainter* painter, RichText& text, QRect& box, unsigned flags,
             std::optional<QRgb> fixedColour = std::nullopt);
    // The size `text` needs in a box `width` wide: draw() with kMeasureOnly.
    QSize measure(RichText& text, int width, unsigned flags);

private:
    struct Shortened {
        int end = 0;
        int dots = 0;
        int width = 0;
    };
    Shortened shorten(const RichText& text, const RichLine& line, int boxWidth) const;
    int dotsWidth(int font, int dots) const;
    void drawLine(QPainter& painter, const RichText& text, const RichLine& line, const QRect& box,
                  int top, unsigned flags, std::optional<QRgb> fixedColour) const;
    void drawRule(QPainter& painter, const RichText& text, const RichLine& line, const QRect& box,
                  int top, std::optional<QRgb> fixedColour) const;

    RichFontCache& m_cache;
};

}  // namespace kontavo
