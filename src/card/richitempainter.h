#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QList>
#include <QRect>

#include "card/richtextrenderer.h"
#include "platform/screen.h"

class QPainter;

namespace kontavo {

class RichFontCache;
struct RichItem;

// Measures and draws the items of a rich list. All lengths are given at
// 96 dpi and scaled by the screen.
//
// - Text: the label right-aligned in the label column, ending 5 pixels
//   before its edge, in the label font and grey (white when selected in a
//   focused list), shortened to "..." form ("Anniversa..") when wider than
//   the column less 10 pixels; the text word-wrapped from 5 pixels after the
//   column to 5 pixels before the right edge, less 16 + 2 pixels for an icon,
//   which stands at the right.
// - Header: the picture 2 pixels from the left and 3 from the top in its box
//   (stretched when the bitmap is larger, else unscaled); the text
//   word-wrapped from 5 pixels after it to 5 before the right edge, 3 pixels
//   down.
// - Separator: the caption centred in grey with a rule at mid-height on each
//   side (from 5 pixels inside the edges to 5 pixels from the caption); the
//   text below, inset by 5 pixels on both sides, or the item's note document
//   wrapped to that width (on white, its colours kept, when selected).
//
// An item's height is its text's height (a header at least its picture's
// height plus 3; a separator adds its caption line), plus 2 when the text is
// not empty, plus its spacing. Selected items are drawn white on dark blue
// while the list has the focus, black on light grey otherwise; markup
// colours are then ignored. UI thread only.
class RichItemPainter {
public:
    static constexpr QRgb kFocusedSelection = 0xFF000082;
    static constexpr QRgb kSelection = 0xFFBFBFBF;
    static constexpr QRgb kLabelColour = 0xFF7F7F7F;
    static constexpr int kIconWidth = 16;
    static constexpr int kIconMargin = 2;

    RichItemPainter(RichFontCache& cache, const Screen& screen, const QFont& labelFont);

    void setLabelFont(const QFont& font);
    const QFont& labelFont() const { return m_labelFont; }
    RichTextRenderer& renderer() { return m_renderer; }

    // The label column for `items` in a list `width` wide: the widest label
    // plus 10 pixels, at most two fifths of the width; 0 without labels.
    int labelColumn(const QList<RichItem>& items, int width) const;
    // The same from the widest label's width (widestLabel()).
    int labelColumn(int widestLabel, int width) const;
    int widestLabel(const QList<RichItem>& items) const;
    // Measures `item` for a list `width` wide and sets its height.
    int measure(RichItem& item, int width, int labelColumn);
    // Draws `item` into `box` (its width the list's, its height the item's).
    void draw(QPainter& painter, RichItem& item, const QRect& box, int labelColumn, bool selected,
              bool focused);

    // Where the item's text goes in `box`.
    QRect textBox(const RichItem& item, const QRect& box, int labelColumn) const;
    // `label` as it fits `width` pixels: itself, else cut by one more
    // character at a time and ended with ".." until it fits ("..": nothing
    // fits).
    QString fitLabel(const QString& label, int width) const;

private:
    int captionHeight() const { return m_labelMetrics.height(); }
    void drawText(QPainter& painter, RichItem& item, const QRect& box, int labelColumn,
                  bool selected, bool focused);
    void drawHeader(QPainter& painter, RichItem& item, const QRect& box, bool selected,
                    bool focused);
    void drawSeparator(QPainter& painter, RichItem& item, const QRect& box, bool selected,
                       bool focused);
    void drawItemText(QPainter& painter, RichItem& item, const QRect& box, bool selected,
                      bool focused);

    RichTextRenderer m_renderer;
    Screen m_screen;
    QFont m_labelFont;
    QFontMetrics m_labelMetrics;
};

}  // namespace kontavo
