#pragma once

#include <QPixmap>

#include "list/abcbar.h"
#include "list/smallbarfitter.h"

namespace kontavo {

// The small ABC bar: one row of buttons across the top of the list pane,
// one per letter group and a backspace button at the end (bitmap 166, 273 on
// a high-resolution screen). The buttons are refitted whenever the width or
// the labels change.
class SmallAbcBar : public AbcBar {
    Q_OBJECT
public:
    // Button faces by press depth 0-3; text; light edge.
    static constexpr unsigned kFaceColors[4] = {0xF2F2F2, 0xC4C4C4, 0xADADAD, 0x858585};
    static constexpr unsigned kTextColor = 0x4A4A4A;
    static constexpr unsigned kLightColor = 0xFFFFFF;
    static constexpr int kBackspaceBitmap = 166;
    static constexpr int kBackspaceBitmapHighRes = 273;

    explicit SmallAbcBar(const Screen& screen = Screen::current(), QWidget* parent = nullptr);

    // The bar's height for the current labels.
    int barHeight() const { return SmallBarFitter::barHeight(labels().hasAlternate, screen()); }
    const SmallBarFit& currentFit() const { return m_fit; }
    QSize sizeHint() const override;

protected:
    int commandAt(QPoint pos) const override;
    QRect commandRect(int command) const override;
    void rebuild() override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void paintButton(QPainter& painter, int command, const QRect& rect);
    void paintLabel(QPainter& painter, int group, const QRect& rect, bool inverted);

    QPixmap m_backspace;
    SmallBarFit m_fit;
    QList<QRect> m_rects;  // groups, then backspace
    int m_fittedWidth = -1;
};

}  // namespace kontavo
