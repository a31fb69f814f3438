#include "card/notetoolicons.h"

#include <QPainter>
#include <QPainterPath>

namespace kontavo {

namespace {

constexpr int kIconCount = 10;
constexpr int kSide = 24;  // drawn on a 24-unit grid, scaled for high resolution

void arrowDown(QPainter& p, QPointF at) {
    QPainterPath path(at + QPointF(-3, 0));
    path.lineTo(at + QPointF(3, 0));
    path.lineTo(at + QPointF(0, 3));
    path.closeSubpath();
    p.fillPath(path, Qt::black);
}

void lines(QPainter& p, double left, double right, double top, int count) {
    for (int i = 0; i < count; ++i) {
        p.drawLine(QPointF(left, top + 4 * i), QPointF(right, top + 4 * i));
    }
}

void drawIcon(QPainter& p, int index) {
    p.setPen(QPen(Qt::black, 1.5));
    switch (index) {
        case 0:  // page with arrow
            p.drawRect(QRectF(4, 3, 11, 15));
            lines(p, 6, 13, 7, 3);
            arrowDown(p, QPointF(19, 12));
            break;
        case 1:  // pencil
            p.drawLine(QPointF(5, 19), QPointF(17, 7));
            p.drawLine(QPointF(8, 20), QPointF(20, 8));
            p.drawLine(QPointF(17, 7), QPointF(20, 8));
            p.drawLine(QPointF(5, 19), QPointF(4, 21));
            break;
        case 2:  // pen with colour bar
            p.drawLine(QPointF(7, 15), QPointF(15, 4));
            p.fillRect(QRectF(4, 18, 14, 3), QColor(255, 0, 0));
            arrowDown(p, QPointF(20, 12));
            break;
        case 3:
        case 4: {  // "F", "B"
            QFont font(QStringLiteral("Tahoma"));
            font.setPixelSize(15);
            font.setBold(index == 4);
            p.setFont(font);
            p.drawText(QRectF(0, 0, kSide, kSide), Qt::AlignCenter,
                       index == 3 ? QStringLiteral("F") : QStringLiteral("B"));
            break;
        }
        case 5:  // bullet list
            for (int i = 0; i < 3; ++i) {
                p.fillRect(QRectF(4, 6 + 5 * i, 2.5, 2.5), Qt::black);
                p.drawLine(QPointF(9, 7 + 5 * i), QPointF(20, 7 + 5 * i));
            }
            break;
        case 6:    // indent left
        case 7: {  // indent right
            lines(p, 10, 20, 5, 4);
            QPainterPath path(QPointF(index == 6 ? 8 : 4, 8));
            path.lineTo(QPointF(index == 6 ? 4 : 8, 11));
            path.lineTo(QPointF(index == 6 ? 8 : 4, 14));
            path.closeSubpath();
            p.fillPath(path, Qt::black);
            break;
        }
        case 8:  // alignment with arrow
            lines(p, 3, 15, 5, 4);
            arrowDown(p, QPointF(19, 12));
            break;
        case 9: {  // undo arrow
            QPainterPath path(QPointF(18, 17));
            path.cubicTo(QPointF(18, 8), QPointF(10, 6), QPointF(6, 11));
            p.drawPath(path);
            QPainterPath head(QPointF(3, 8));
            head.lineTo(QPointF(9, 9));
            head.lineTo(QPointF(5, 14));
            head.closeSubpath();
            p.fillPath(head, Qt::black);
            break;
        }
        default:
            break;
    }
}

}  // namespace

QPixmap noteToolStrip(bool highResolution) {
    const int scale = highResolution ? 2 : 1;
    QPixmap strip(kIconCount * kSide * scale, kSide * scale);
    strip.fill(Qt::transparent);
    QPainter painter(&strip);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(scale, scale);
    for (int i = 0; i < kIconCount; ++i) {
        painter.save();
        painter.translate(i * kSide, 0);
        drawIcon(painter, i);
        painter.restore();
    }
    return strip;
}

QList<QIcon> noteToolIcons(bool highResolution) {
    const QPixmap strip = noteToolStrip(highResolution);
    const int side = strip.height();
    QList<QIcon> icons;
    for (int i = 0; i < kIconCount; ++i) {
        icons.append(QIcon(strip.copy(i * side, 0, side, side)));
    }
    return icons;
}

}  // namespace kontavo
