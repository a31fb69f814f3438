#include "list/smallbarfitter.h"

#include <numeric>

#include "list/bartextmeasurer.h"

namespace kontavo {

namespace {
constexpr int kStartPixels = 10;  // label character height at 96 dpi
constexpr int kLastPixels = 5;    // the last attempt, taken whether it fits or not
constexpr int kMargin = 2;
constexpr int kMinButton = 5;
}  // namespace

QList<QRect> SmallBarFit::buttonRects(int height) const {
    QList<QRect> rects;
    int x = 0;
    for (const int width : widths) {
        rects.append(QRect(x, 0, width, height));
        x += width;
    }
    return rects;
}

int SmallBarFitter::barHeight(bool hasAlternate, const Screen& screen) {
    return screen.scaleY(hasAlternate ? 26 : 20);
}

SmallBarFit SmallBarFitter::fit(const AbcBarLabels& labels, int barWidth,
                                QSize backspaceBitmap) const {
    const int backspaceWidth = backspaceBitmap.width() + 2 * m_screen.scaleX(kMargin);
    SmallBarFit result;
    for (int pixels = m_screen.scaleY(kStartPixels);; --pixels) {
        result.fontPixels = pixels;
        result.widths = widthsAt(pixels, labels, backspaceWidth);
        if (pixels <= kLastPixels || fits(pixels, result.widths, labels, barWidth)) {
            break;
        }
    }
    shareOut(result.widths, barWidth);
    return result;
}

QList<int> SmallBarFitter::widthsAt(int pixels, const AbcBarLabels& labels,
                                    int backspaceWidth) const {
    const int margins = 2 * m_screen.scaleX(kMargin);
    QList<int> widths;
    for (int group = 0; group < labels.groupCount(); ++group) {
        const int text = qMax(m_measurer.textWidth(pixels, labels.labels[group]),
                              m_measurer.textWidth(pixels, labels.alternate(group)));
        widths.append(qMax(text + margins, m_screen.scaleX(kMinButton)));
    }
    widths.append(backspaceWidth);
    return widths;
}

bool SmallBarFitter::fits(int pixels, const QList<int>& widths, const AbcBarLabels& labels,
                          int barWidth) const {
    const int total = std::accumulate(widths.begin(), widths.end(), 0);
    const int lines = labels.hasAlternate ? 2 : 1;
    const int tallest = lines * m_measurer.lineHeight(pixels) + 2 * m_screen.scaleY(kMargin);
    return total <= barWidth && tallest <= barHeight(labels.hasAlternate, m_screen);
}

// The spare width is divided by the number of buttons, rounded down to an
// even number, and added to each; what remains goes to the last button. A
// bar too narrow even at the smallest font keeps the natural widths.
void SmallBarFitter::shareOut(QList<int>& widths, int barWidth) {
    const int spare = barWidth - std::accumulate(widths.begin(), widths.end(), 0);
    if (spare <= 0 || widths.isEmpty()) {
        return;
    }
    const int each = (spare / int(widths.size())) & ~1;
    for (int& width : widths) {
        width += each;
    }
    widths.last() += spare - each * int(widths.size());
}

}  // namespace kontavo
