#include "list/bigabcbar.h"

#include <QEvent>
#include <QPainter>

#include "list/listimages.h"
#include "ui/sharedfonts.h"

namespace kontavo {

namespace {
constexpr int kLabelPixels = 11;      // at 96 dpi
constexpr int kAlternatePixels = 10;  // at 96 dpi
constexpr int kDepthShade = 28;       // extra darkening per press beyond the first
}  // namespace

BigAbcBar::BigAbcBar(const Screen& screen, QWidget* parent)
    : AbcBar(screen, parent),
      m_normal(loadBitmapOfSet(kNormalBitmap, kNormalBitmapHighRes, screen)),
      m_pressed(loadBitmapOfSet(kPressedBitmap, kPressedBitmapHighRes, screen)),
      m_geometry(m_normal.size(), 0) {
    setObjectName(QStringLiteral("BigAbcBar"));
}

int BigAbcBar::commandAt(QPoint pos) const {
    return m_geometry.commandOfCell(m_geometry.cellAt(pos));
}

QRect BigAbcBar::commandRect(int command) const {
    const int cell = m_geometry.cellOfCommand(command);
    return cell < 0 ? QRect() : m_geometry.cellRect(cell);
}

void BigAbcBar::rebuild() {
    m_geometry = BigBarGeometry(m_normal.size(), groupCount());
    updateGeometry();
}

void BigAbcBar::changeEvent(QEvent* event) {
    AbcBar::changeEvent(event);
    if (event->type() == QEvent::EnabledChange) {
        update();
    }
}

void BigAbcBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.drawPixmap(0, 0, m_normal);
    for (int cell = 0; cell < BigBarGeometry::kCells; ++cell) {
        paintCell(painter, cell);
    }
}

// Pressed cells come from the pressed bitmap; a group picked more than once
// is shaded darker by its press depth.
void BigAbcBar::paintCell(QPainter& painter, int cell) {
    const int command = m_geometry.commandOfCell(cell);
    if (command < 0) {
        return;
    }
    const QRect box = m_geometry.cellRect(cell);
    const bool isGroup = command < groupCount();
    const int level = isGroup ? depth(command) : 0;
    if (pressedCommand() == command || level > 0) {
        painter.drawPixmap(box.topLeft(), m_pressed, box);
    }
    if (level > 1) {
        painter.fillRect(box.adjusted(1, 1, -1, -1), QColor(0, 0, 0, kDepthShade * (level - 1)));
    }
    if (isGroup) {
        paintLabels(painter, command, box);
    }
}

void BigAbcBar::paintLabels(QPainter& painter, int group, const QRect& cell) {
    painter.setPen(QColor::fromRgb(isEnabled() ? kTextColor : kDisabledTextColor));
    paintGroupLabel(painter, group, cell, tahomaFont(screen().scaleY(kLabelPixels), true),
                    tahomaFont(screen().scaleY(kAlternatePixels)));
}

}  // namespace kontavo
