#include "list/splitterwnd.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include "list/listimages.h"
#include "ui/sharedfonts.h"

namespace kontavo {

namespace {
constexpr int kCaptionIndent = 4;  // at 96 dpi
}  // namespace

SplitterWnd::SplitterWnd(const Screen& screen, QWidget* parent)
    : QWidget(parent),
      m_screen(screen),
      m_state(screen),
      m_background(loadBitmapOfSet(kBackgroundBitmap, kBackgroundBitmapHighRes, screen)) {
    setObjectName(QString::fromLatin1(kWindowClass));
}

void SplitterWnd::setPanes(QWidget* list, QWidget* card) {
    m_list = list;
    m_card = card;
    for (QWidget* pane : {list, card}) {
        if (pane) {
            pane->setParent(this);
            pane->show();
        }
    }
    relayout();
}

void SplitterWnd::loadSettings(const SettingsStore& settings) {
    m_state.load(settings);
    relayout();
}

void SplitterWnd::saveSettings(SettingsStore& settings) const {
    m_state.save(settings);
}

void SplitterWnd::relayout() {
    m_state.setArea(0, height());
    if (m_list) {
        m_list->setGeometry(0, 0, width(), m_state.listHeight());
    }
    if (m_card) {
        m_card->setGeometry(0, m_state.cardTop(), width(), m_state.cardHeight());
    }
    update();
}

void SplitterWnd::setCaption(const QString& caption) {
    m_caption = caption;
    update(barRect());
}

void SplitterWnd::setArrowsEnabled(bool previous, bool next) {
    m_previousEnabled = previous;
    m_nextEnabled = next;
    update(barRect());
}

QRect SplitterWnd::barRect() const {
    return QRect(0, m_state.barTop(), width(), m_state.barHeight());
}

QRect SplitterWnd::nextArrowRect() const {
    const int arrow = m_screen.scaleX(kArrowWidth);
    const QRect bar = barRect();
    return QRect(bar.right() + 1 - arrow, bar.top(), arrow, bar.height());
}

QRect SplitterWnd::previousArrowRect() const {
    return nextArrowRect().translated(-m_screen.scaleX(kArrowWidth), 0);
}

void SplitterWnd::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect bar = barRect();
    if (m_background.isNull()) {
        painter.fillRect(bar, QColor(0xD8, 0xD8, 0xD8));
    } else {
        painter.drawPixmap(bar, m_background);
    }
    QRect text = bar.adjusted(m_screen.scaleX(kCaptionIndent), 0, 0, 0);
    text.setRight(previousArrowRect().left() - 1);
    painter.setFont(standardFont(m_screen));
    painter.setPen(QColor::fromRgb(kCaptionColor));
    painter.drawText(text, Qt::AlignVCenter | Qt::AlignLeft, m_caption);
    paintArrow(painter, previousArrowRect(), true, m_previousEnabled,
               m_pressedArrow == Arrow::Previous);
    paintArrow(painter, nextArrowRect(), false, m_nextEnabled, m_pressedArrow == Arrow::Next);
}

void SplitterWnd::paintArrow(QPainter& painter, const QRect& box, bool up, bool enabled,
                             bool pressed) {
    if (pressed) {
        painter.fillRect(box.adjusted(1, 1, -1, -1), QColor(0, 0, 0, 40));
    }
    const double half = m_screen.scaleX(4);
    const QPointF centre = QRectF(box).center();
    const double tip = up ? -half / 2 - 0.5 : half / 2 + 0.5;
    QPainterPath triangle;
    triangle.moveTo(centre.x() - half, centre.y() - tip);
    triangle.lineTo(centre.x() + half, centre.y() - tip);
    triangle.lineTo(centre.x(), centre.y() + tip);
    triangle.closeSubpath();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(triangle, QColor::fromRgb(enabled ? kArrowColor : kDisabledArrowColor));
    painter.restore();
}

void SplitterWnd::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    relayout();
}

SplitterWnd::Arrow SplitterWnd::arrowAt(QPoint pos) const {
    if (previousArrowRect().contains(pos)) {
        return m_previousEnabled ? Arrow::Previous : Arrow::None;
    }
    if (nextArrowRect().contains(pos)) {
        return m_nextEnabled ? Arrow::Next : Arrow::None;
    }
    return Arrow::None;
}

void SplitterWnd::mousePressEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (event->button() != Qt::LeftButton || !barRect().contains(pos)) {
        return;
    }
    if (previousArrowRect().contains(pos) || nextArrowRect().contains(pos)) {
        m_pressedArrow = arrowAt(pos);
        update(barRect());
        return;
    }
    m_state.beginDrag(pos.y());
}

void SplitterWnd::mouseMoveEvent(QMouseEvent* event) {
    if (!m_state.isDragging()) {
        return;
    }
    const SplitMode mode = m_state.mode();
    const int top = m_state.barTop();
    m_state.dragTo(event->position().toPoint().y());
    if (m_state.mode() != mode || m_state.barTop() != top) {
        relayout();
        emit barMoved();
    }
}

void SplitterWnd::mouseReleaseEvent(QMouseEvent* event) {
    m_state.endDrag();
    const Arrow pressed = m_pressedArrow;
    m_pressedArrow = Arrow::None;
    if (pressed == Arrow::None) {
        return;
    }
    update(barRect());
    if (arrowAt(event->position().toPoint()) == pressed) {
        emit(pressed == Arrow::Previous ? previousRequested() : nextRequested());
    }
}

// The second tap of a double tap on an arrow is one more step.
void SplitterWnd::mouseDoubleClickEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (event->button() != Qt::LeftButton || !barRect().contains(pos)) {
        return;
    }
    if (previousArrowRect().contains(pos) || nextArrowRect().contains(pos)) {
        mousePressEvent(event);
        return;
    }
    m_state.doubleTap();
    relayout();
    emit barMoved();
}

}  // namespace kontavo
