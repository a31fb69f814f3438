#include "list/listdownbutton.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>

#include "list/listimages.h"

namespace kontavo {

ListDownButton::ListDownButton(const Screen& screen, QWidget* parent)
    : QWidget(parent),
      m_screen(screen),
      m_arrow(loadIconOfSet(kArrowIcon, kArrowIconHighRes, screen)) {
    setObjectName(QLatin1String(kWindowClass));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ListDownButton::setCaption(const QString& caption) {
    if (caption != m_caption) {
        m_caption = caption;
        update();
    }
}

void ListDownButton::setPressed(bool pressed) {
    if (pressed != m_pressed) {
        m_pressed = pressed;
        update();
    }
}

void ListDownButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect box = rect();
    painter.fillRect(box, m_pressed ? QColor(QRgb(kPressedColor)) : QColor(Qt::white));
    painter.setPen(QColor(QRgb(kFrameColor)));
    painter.drawRect(box.adjusted(0, 0, -1, -1));

    const int margin = m_screen.scaleX(3);
    const int arrowWidth = m_screen.scaleX(kArrowWidth);
    const QRect arrow(box.right() - margin - arrowWidth, box.top(), arrowWidth, box.height());
    paintArrow(painter, arrow);

    const QRect textBox(box.left() + margin, box.top(), arrow.left() - margin - box.left() - margin,
                        box.height());
    painter.setPen(QColor(QRgb(kTextColor)));
    painter.setFont(font());
    const QString shown =
        painter.fontMetrics().elidedText(m_caption, Qt::ElideRight, qMax(0, textBox.width()));
    painter.drawText(textBox, Qt::AlignLeft | Qt::AlignVCenter, shown);
}

// The arrow icon centred in `box`; without it, a filled triangle pointing
// down.
void ListDownButton::paintArrow(QPainter& painter, const QRect& box) {
    if (!m_arrow.isNull()) {
        QRect target(QPoint(), m_arrow.deviceIndependentSize().toSize());
        target.moveCenter(box.center());
        painter.drawPixmap(target, m_arrow);
        return;
    }
    const int half = qMax(2, box.width() / 2);
    const int height = qMax(2, half);
    const QPoint centre = box.center();
    const int top = centre.y() - height / 2;
    QPolygon triangle;
    triangle << QPoint(centre.x() - half, top) << QPoint(centre.x() + half, top)
             << QPoint(centre.x(), top + height);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(QRgb(kTextColor)));
    painter.drawPolygon(triangle);
}

void ListDownButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    m_penDown = true;
    setPressed(true);
}

void ListDownButton::mouseMoveEvent(QMouseEvent* event) {
    if (m_penDown) {
        setPressed(rect().contains(event->position().toPoint()));
    }
}

void ListDownButton::mouseReleaseEvent(QMouseEvent* event) {
    if (!m_penDown || event->button() != Qt::LeftButton) {
        return;
    }
    m_penDown = false;
    const bool inside = rect().contains(event->position().toPoint());
    setPressed(false);
    if (inside) {
        emit tapped();
    }
}

}  // namespace kontavo
