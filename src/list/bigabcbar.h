#pragma once

#include <QPixmap>

#include "list/abcbar.h"
#include "list/bigbargeometry.h"

namespace kontavo {

// The big ABC bar: a 3 x 3 keypad drawn from bitmap 241 (normal look) and
// 242 (pressed cells), 268 and 269 on a high-resolution screen. Cell 0 is
// backspace, cells 1-8 show groups 0-7 with their labels centred and the
// alternate labels as a second line. Its size is the bitmap's size.
class BigAbcBar : public AbcBar {
    Q_OBJECT
public:
    static constexpr int kNormalBitmap = 241;
    static constexpr int kPressedBitmap = 242;
    static constexpr int kNormalBitmapHighRes = 268;
    static constexpr int kPressedBitmapHighRes = 269;
    static constexpr unsigned kTextColor = 0x4A4A4A;
    static constexpr unsigned kDisabledTextColor = 0x808080;

    explicit BigAbcBar(const Screen& screen = Screen::current(), QWidget* parent = nullptr);

    QSize sizeHint() const override { return m_geometry.size(); }
    const BigBarGeometry& geometry() const { return m_geometry; }

protected:
    int commandAt(QPoint pos) const override;
    QRect commandRect(int command) const override;
    void rebuild() override;
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void paintCell(QPainter& painter, int cell);
    void paintLabels(QPainter& painter, int group, const QRect& cell);

    QPixmap m_normal;
    QPixmap m_pressed;
    BigBarGeometry m_geometry;
};

}  // namespace kontavo
