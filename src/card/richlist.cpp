#include "card/richlist.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>

#include "platform/keymap.h"
#include "ui/sharedfonts.h"

namespace kontavo {

namespace {
constexpr int kScrollBarWidth = 13;  // at 96 dpi, as the contact list's
constexpr int kWheelLines = 3;
}  // namespace

RichList::RichList(const Screen& screen, QWidget* parent)
    : QWidget(parent),
      m_screen(screen),
      m_cache(standardFont(screen), screen.dpiY()),
      m_painter(m_cache, screen, standardFont(screen)),
      m_controller(*this, screen),
      m_scrollBar(new QScrollBar(Qt::Vertical, this)) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_scrollBar->setFocusPolicy(Qt::NoFocus);
    m_scrollBar->hide();
    connect(m_scrollBar, &QScrollBar::valueChanged, this, [this](int value) {
        if (!m_syncing) {
            m_controller.scrollTo(value);
        }
    });
    RichListController::Listener listener;
    listener.activated = [this](int index) { emit itemActivated(index); };
    listener.focusChanged = [this](int index) { emit focusItemChanged(index); };
    m_controller.setListener(std::move(listener));
    m_controller.setLineStep(QFontMetrics(m_cache.baseFont()).height());
}

RichList::~RichList() = default;

void RichList::setItems(QList<RichItem> items, bool keepPosition) {
    m_items = std::move(items);
    relayout(keepPosition);
}

void RichList::setBaseFont(const QFont& font) {
    if (m_cache.setBaseFont(font)) {
        m_controller.setLineStep(QFontMetrics(font).height());
        relayout(true);
    }
}

void RichList::setLabelFont(const QFont& font) {
    m_painter.setLabelFont(font);
    relayout(true);
}

QRect RichList::itemRect(int index) const {
    if (index < 0 || index >= m_controller.count()) {
        return {};
    }
    return QRect(0, m_controller.itemTop(index), m_measuredWidth, m_controller.itemHeight(index));
}

QRect RichList::contentRect() const {
    return QRect(0, 0, m_scrollBar->isVisible() ? m_scrollBar->x() : width(), height());
}

void RichList::relayout(bool keepPosition) {
    const int barWidth = m_screen.scaleX(kScrollBarWidth);
    const int widestLabel = m_painter.widestLabel(m_items);
    int width = this->width();
    if (measureAll(width, widestLabel) > height() && width > barWidth) {
        width -= barWidth;
        measureAll(width, widestLabel);
    }
    m_measuredWidth = width;
    QList<int> heights;
    heights.reserve(m_items.size());
    for (const RichItem& item : m_items) {
        heights.append(item.height);
    }
    m_controller.setClientHeight(height());
    m_controller.setHeights(heights, keepPosition);
}

int RichList::measureAll(int width, int widestLabel) {
    m_labelColumn = m_painter.labelColumn(widestLabel, width);
    int total = 0;
    for (RichItem& item : m_items) {
        total += m_painter.measure(item, width, m_labelColumn);
    }
    return total;
}

void RichList::redrawAll() {
    syncScrollBar();
    update(contentRect());
}

void RichList::redrawItem(int index) {
    update(itemRect(index));
}

void RichList::takeFocus() {
    setFocus(Qt::MouseFocusReason);
}

void RichList::syncScrollBar() {
    m_syncing = true;
    const bool needed = m_controller.maxPosition() > 0;
    m_scrollBar->setRange(0, m_controller.maxPosition());
    m_scrollBar->setPageStep(qMax(1, m_controller.clientHeight()));
    m_scrollBar->setSingleStep(m_controller.lineStep());
    m_scrollBar->setValue(m_controller.position());
    const int barWidth = m_screen.scaleX(kScrollBarWidth);
    m_scrollBar->setGeometry(width() - barWidth, 0, barWidth, height());
    m_scrollBar->setVisible(needed);
    m_syncing = false;
}

void RichList::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect area = event->rect();
    int bottom = 0;
    for (int i = 0; i < m_controller.count(); ++i) {
        const QRect box = itemRect(i);
        bottom = box.bottom() + 1;
        if (box.bottom() < area.top()) {
            continue;
        }
        if (box.top() > area.bottom()) {
            break;
        }
        paintItem(painter, i, box);
    }
    if (bottom < height()) {
        painter.fillRect(QRect(0, qMax(0, bottom), m_measuredWidth, height() - qMax(0, bottom)),
                         Qt::white);
    }
    if (m_measuredWidth < width() && !m_scrollBar->isVisible()) {
        painter.fillRect(QRect(m_measuredWidth, 0, width() - m_measuredWidth, height()), Qt::white);
    }
}

// Each item is drawn into an off-screen bitmap of its size, then copied.
void RichList::paintItem(QPainter& painter, int index, const QRect& box) {
    if (box.width() <= 0 || box.height() <= 0) {
        return;
    }
    if (m_buffer.width() < box.width() || m_buffer.height() < box.height()) {
        m_buffer = QImage(qMax(m_buffer.width(), box.width()),
                          qMax(m_buffer.height(), box.height()), QImage::Format_RGB32);
    }
    {
        QPainter offscreen(&m_buffer);
        const QRect local(QPoint(0, 0), box.size());
        offscreen.setClipRect(local);
        const bool selected = index == m_controller.focusItem();
        m_painter.draw(offscreen, m_items[index], local, m_labelColumn, selected,
                       m_controller.hasFocus());
    }
    painter.drawImage(box.topLeft(), m_buffer, QRect(QPoint(0, 0), box.size()));
}

void RichList::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    relayout(true);
}

void RichList::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        m_controller.penDown(event->position().toPoint());
    }
}

void RichList::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton) {
        m_controller.penMove(event->position().toPoint());
    }
}

void RichList::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        m_controller.penUp(event->position().toPoint());
    }
}

void RichList::keyPressEvent(QKeyEvent* event) {
    if (!m_controller.keyDown(virtualKey(event->key(), event->modifiers()),
                              event->isAutoRepeat())) {
        event->ignore();
    }
}

void RichList::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    m_controller.setHasFocus(true);
}

void RichList::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    m_controller.setHasFocus(false);
}

void RichList::wheelEvent(QWheelEvent* event) {
    const int steps = event->angleDelta().y() / 120;
    if (steps != 0) {
        m_controller.scrollBy(-steps * kWheelLines * m_controller.lineStep());
    }
}

}  // namespace kontavo
