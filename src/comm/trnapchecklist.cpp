#include "comm/trnapchecklist.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyleOptionButton>

#include "platform/screen.h"

namespace kontavo {

TrnApCheckList::TrnApCheckList(QWidget* parent) : QAbstractScrollArea(parent) {
    setObjectName(QString::fromLatin1(kWindowClass));
    setFocusPolicy(Qt::StrongFocus);
    setFrameShape(QFrame::Box);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    verticalScrollBar()->setSingleStep(1);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, viewport(),
            [this] { viewport()->update(); });
}

void TrnApCheckList::setSource(const CheckListSource* source) {
    m_source = source;
    reload();
}

int TrnApCheckList::rowCount() const {
    return m_source != nullptr ? m_source->rowCount() : 0;
}

void TrnApCheckList::reload() {
    if (m_current >= rowCount()) {
        m_current = rowCount() - 1;
    }
    syncScrollBar();
    viewport()->update();
}

int TrnApCheckList::rowHeight() const {
    return std::max(Screen::current().scaleY(18), fontMetrics().height() + 2);
}

int TrnApCheckList::ringtoneWidth() const {
    return Screen::current().scaleX(20);
}

QRect TrnApCheckList::rowRect(int row) const {
    const int top = (row - verticalScrollBar()->value()) * rowHeight();
    return {0, top, viewport()->width(), rowHeight()};
}

QRect TrnApCheckList::checkRect(int row) const {
    const QRect box = rowRect(row);
    const int side = Screen::current().scaleX(11);
    return {box.left() + Screen::current().scaleX(4), box.center().y() - side / 2, side, side};
}

QRect TrnApCheckList::ringtoneRect(int row) const {
    const QRect box = rowRect(row);
    return {box.right() + 1 - ringtoneWidth(), box.top(), ringtoneWidth(), box.height()};
}

int TrnApCheckList::rowAt(QPoint point) const {
    const int row = point.y() / rowHeight() + verticalScrollBar()->value();
    return point.y() >= 0 && row < rowCount() ? row : -1;
}

int TrnApCheckList::columnAt(QPoint point) const {
    return point.x() >= viewport()->width() - ringtoneWidth() ? kRingtoneColumn : kCheckColumn;
}

void TrnApCheckList::setCurrentRow(int row) {
    row = std::clamp(row, -1, rowCount() - 1);
    if (row >= 0) {
        const int visible = std::max(1, viewport()->height() / rowHeight());
        QScrollBar* bar = verticalScrollBar();
        if (row < bar->value()) {
            bar->setValue(row);
        } else if (row >= bar->value() + visible) {
            bar->setValue(row - visible + 1);
        }
    }
    if (row != m_current) {
        m_current = row;
        viewport()->update();
        emit currentRowChanged(row);
    }
}

void TrnApCheckList::syncScrollBar() {
    const int visible = std::max(1, viewport()->height() / rowHeight());
    verticalScrollBar()->setPageStep(visible);
    verticalScrollBar()->setRange(0, std::max(0, rowCount() - visible));
}

void TrnApCheckList::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    syncScrollBar();
}

void TrnApCheckList::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), palette().base());
    const int first = verticalScrollBar()->value();
    const int last = std::min(rowCount(), first + viewport()->height() / rowHeight() + 2);
    for (int row = first; row < last; ++row) {
        paintRow(painter, row);
    }
}

// The ringtone mark is a note; a note crossed out when its file is gone.
void TrnApCheckList::paintRow(QPainter& painter, int row) {
    const QRect box = rowRect(row);
    const bool current = row == m_current;
    if (current) {
        painter.fillRect(box, palette().highlight());
    }
    QStyleOptionButton check;
    check.initFrom(this);
    check.rect = checkRect(row);
    check.state =
        (m_source->isRowTicked(row) ? QStyle::State_On : QStyle::State_Off) | QStyle::State_Enabled;
    style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &check, &painter, this);
    painter.setPen(current ? palette().highlightedText().color() : palette().text().color());
    const int textLeft = check.rect.right() + Screen::current().scaleX(5);
    const QRect text(textLeft, box.top(), ringtoneRect(row).left() - textLeft, box.height());
    painter.drawText(
        text, Qt::AlignVCenter | Qt::AlignLeft,
        fontMetrics().elidedText(m_source->rowText(row), Qt::ElideRight, text.width()));
    const int state = m_source->ringtoneState(row);
    if (state != 0) {
        const QRect mark = ringtoneRect(row);
        painter.drawText(mark, Qt::AlignCenter, QString(QChar(0x266A)));
        if (state < 0) {
            painter.drawLine(mark.topLeft() + QPoint(3, 3), mark.bottomRight() - QPoint(3, 3));
        }
    }
}

void TrnApCheckList::mousePressEvent(QMouseEvent* event) {
    const int row = rowAt(event->position().toPoint());
    if (event->button() != Qt::LeftButton || row < 0) {
        return;
    }
    setFocus(Qt::MouseFocusReason);
    setCurrentRow(row);
    emit clicked(row, columnAt(event->position().toPoint()));
}

void TrnApCheckList::mouseDoubleClickEvent(QMouseEvent* event) {
    const int row = rowAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && row >= 0) {
        emit doubleClicked(row, columnAt(event->position().toPoint()));
    }
}

void TrnApCheckList::keyPressEvent(QKeyEvent* event) {
    const int page = verticalScrollBar()->pageStep();
    switch (event->key()) {
        case Qt::Key_Up:
            setCurrentRow(std::max(0, m_current - 1));
            return;
        case Qt::Key_Down:
            setCurrentRow(m_current + 1 < rowCount() ? m_current + 1 : m_current);
            return;
        case Qt::Key_PageUp:
            setCurrentRow(std::max(0, m_current - page));
            return;
        case Qt::Key_PageDown:
            setCurrentRow(std::min(rowCount() - 1, m_current + page));
            return;
        case Qt::Key_Space:
            if (m_current >= 0) {
                emit clicked(m_current, kCheckColumn);
            }
            return;
        default:
            QAbstractScrollArea::keyPressEvent(event);
    }
}

}  // namespace kontavo
