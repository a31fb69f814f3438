#pragma once

#include <QProxyStyle>

namespace kontavo {

class Screen;

// The look of Qt's standard controls on the emulated screen: on a
// high-resolution screen the lengths that Qt gives at 96 dpi (menu margins,
// check marks, scroll bars and their arrows, message box icons) grow with
// the screen's DPI like every length of the program. At 96 dpi it changes
// nothing. Reads Screen::current() on every call.
class ScreenStyle final : public QProxyStyle {
    Q_OBJECT
public:
    ScreenStyle();

    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget = nullptr) const override;

    // Whether `metric` is one of the lengths scaled with the screen.
    static bool isScaled(PixelMetric metric);
};

// Gives Qt's standard controls the screen's look: the screen style (set
// once per process) and the program's standard font at the screen's DPI for
// every pop-up menu. Called when the shell is made; again after the screen
// changed.
void applyScreenLook(const Screen& screen);

}  // namespace kontavo
