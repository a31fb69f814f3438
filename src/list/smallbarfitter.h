#pragma once

#include <QList>
#include <QRect>
#include <QSize>

#include "list/abcbarlabels.h"
#include "platform/screen.h"

namespace kontavo {

class BarTextMeasurer;

// The small bar's buttons for a width: the label font size and each button's
// width, group buttons first and the backspace button last.
struct SmallBarFit {
    int fontPixels = 0;
    QList<int> widths;

    // The buttons side by side from x = 0, each `height` high.
    QList<QRect> buttonRects(int height) const;
};

// Fits the small bar's buttons into a width. The label font starts at a
// character height of 10 pixels (at 96 dpi) and loses a pixel per attempt
// until every button fits; the attempt at 5 pixels is taken regardless. A
// button is its label (or its wider alternate label) plus 2 pixels each
// side, at least 5 pixels; the backspace button is its bitmap plus the same
// margins. Width left over is shared out in even steps, the rest to the last
// button.
class SmallBarFitter {
public:
    SmallBarFitter(const Screen& screen, const BarTextMeasurer& measurer)
        : m_screen(screen), m_measurer(measurer) {}

    // The bar's height: 20 pixels, 26 with alternate labels (at 96 dpi).
    static int barHeight(bool hasAlternate, const Screen& screen);

    SmallBarFit fit(const AbcBarLabels& labels, int barWidth, QSize backspaceBitmap) const;

private:
    QList<int> widthsAt(int pixels, const AbcBarLabels& labels, int backspaceWidth) const;
    bool fits(int pixels, const QList<int>& widths, const AbcBarLabels& labels, int barWidth) const;
    static void shareOut(QList<int>& widths, int barWidth);

    Screen m_screen;
    const BarTextMeasurer& m_measurer;
};

}  // namespace kontavo
