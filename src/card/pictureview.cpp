#include "card/pictureview.h"

#include <QMouseEvent>
#include <QPainter>

#include "card/pictureeditor.h"
#include "ui/pictureimage.h"

namespace kontavo {

PictureView::PictureView(PictureEditor& editor, QWidget* parent)
    : QWidget(parent), m_editor(editor) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    pictureChanged();
}

void PictureView::pictureChanged() {
    m_image = m_editor.picture() ? pictureImage(*m_editor.picture()) : QImage();
    update();
}

void PictureView::resizeEvent(QResizeEvent*) {
    m_editor.setViewSize(size());
}

void PictureView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Dark));
    const QRectF frame = m_editor.frameRect();
    if (!m_image.isNull()) {
        painter.save();
        if (m_editor.preview()) {
            painter.setClipRect(frame);
        }
        const QRectF image = m_editor.imageRect();
        painter.translate(image.center());
        painter.rotate(90.0 * m_editor.rotation());
        painter.scale(m_editor.scale(), m_editor.scale());
        painter.drawImage(QPointF(-m_image.width() / 2.0, -m_image.height() / 2.0), m_image);
        painter.restore();
    }
    if (!m_editor.preview() || m_image.isNull()) {
        painter.setPen(QPen(Qt::white, 1, Qt::DashLine));
        painter.drawRect(frame.adjusted(0, 0, -1, -1));
    }
}

void PictureView::mousePressEvent(QMouseEvent* event) {
    m_lastPen = event->position();
}

void PictureView::mouseMoveEvent(QMouseEvent* event) {
    if ((event->buttons() & Qt::LeftButton) == 0) {
        return;
    }
    m_editor.dragBy(event->position() - m_lastPen);
    m_lastPen = event->position();
    update();
}

}  // namespace kontavo
