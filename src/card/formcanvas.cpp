#include "card/formcanvas.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include "card/contactform.h"

namespace kontavo {

FormCanvas::FormCanvas(ContactForm& form) : QWidget(nullptr), m_form(form) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAutoFillBackground(false);
}

void FormCanvas::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), Qt::white);
    m_form.paintCanvas(painter, event->rect());
}

void FormCanvas::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        m_form.tapAt(event->position().toPoint());
    }
}

}  // namespace kontavo
