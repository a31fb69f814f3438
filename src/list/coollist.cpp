#include "list/coollist.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>

#include "list/coollistowner.h"
#include "list/listkey.h"

namespace kontavo {

namespace {
constexpr int kScrollBarWidth = 13;  // at 96 dpi
constexpr int kWheelRows = 3;
}  // namespace

CoolList::CoolList(const Screen& screen, QWidget* parent)
    : QWidget(parent),
      m_screen(screen),
      m_controller(*this, screen),
      m_scrollBar(new QScrollBar(Qt::Vertical, this)),
      m_longPressTimer(new QTimer(this)),
      m_actionKeyTimer(new QTimer(this)) {
    setObjectName(QString::fromLatin1(kWindowClass));
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_scrollBar->setFocusPolicy(Qt::NoFocus);
    m_scrollBar->hide();
    connect(m_scrollBar, &QScrollBar::valueChanged, this, [this](int value) {
        if (!m_syncing) {
            m_controller.setTopRow(value);
        }
    });
    for (QTimer* each : {m_longPressTimer, m_actionKeyTimer}) {
        each->setSingleShot(true);
        each->setInterval(kLongPressMs);
    }
    m_longPressTimer->setObjectName(QStringLiteral("longPress"));
    m_actionKeyTimer->setObjectName(QStringLiteral("actionKey"));
    connect(m_longPressTimer, &QTimer::timeout, this, [this] { m_controller.longPressTimeout(); });
    connect(m_actionKeyTimer, &QTimer::timeout, this, &CoolList::actionKeyHeld);
}

CoolList::~CoolList() {
    qApp->removeEventFilter(this);
}

void CoolList::actionKeyHeld() {
    if (m_actionQtKey != 0) {
        m_heldKey.hold(m_actionQtKey);
        qApp->installEventFilter(this);
    }
    m_controller.actionKeyTimeout();
}

bool CoolList::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease) {
        return QWidget::eventFilter(watched, event);
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    switch (m_heldKey.check(event->type(), key->key(), key->isAutoRepeat())) {
        case HeldKeyGuard::Verdict::Swallow:
            return true;
        case HeldKeyGuard::Verdict::Released:
            qApp->removeEventFilter(this);
            m_controller.keyUp(vk::kAction);
            return false;
        case HeldKeyGuard::Verdict::Pass:
            if (!m_heldKey.isHolding()) {
                qApp->removeEventFilter(this);
            }
            return false;
    }
    return false;
}

void CoolList::redrawRow(int row) {
    update(m_controller.rowBox(row));
}

void CoolList::redrawAll() {
    syncScrollBar();
    update();
}

void CoolList::setTopBorder(bool on) {
    m_topBorder = on;
    update();
}

void CoolList::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    paintRows(painter, event->rect());
    if (m_topBorder) {
        painter.setPen(QColor::fromRgb(kBorderColor));
        painter.drawLine(0, 0, clientWidth() - 1, 0);
    }
}

void CoolList::paintRows(QPainter& painter, const QRect& area) {
    const ListViewport& view = m_controller.viewport();
    const int width = clientWidth();
    int bottom = 0;
    const int first = view.nearestRowAt(area.top());
    CoolListOwner* owner = m_controller.owner();
    for (int row = qMax(0, first); row >= 0 && row < view.rowCount(); ++row) {
        const QRect box = m_controller.rowBox(row);
        if (box.top() > area.bottom()) {
            break;
        }
        bottom = box.bottom() + 1;
        painter.save();
        painter.setClipRect(box.intersected(area));
        if (owner) {
            owner->drawRow(painter, box, row, m_controller.rowState(row));
        } else {
            painter.fillRect(box, Qt::white);
        }
        painter.restore();
    }
    if (bottom < height()) {
        painter.fillRect(QRect(0, bottom, width, height() - bottom), Qt::white);
    }
    if (view.rowCount() == 0 && owner != nullptr) {
        painter.save();
        owner->drawEmpty(painter, QRect(0, 0, width, height()));
        painter.restore();
    }
}

void CoolList::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    m_controller.clientResized();
}

void CoolList::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        m_controller.penDown(event->position().toPoint());
    }
}

void CoolList::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton) {
        m_controller.penMove(event->position().toPoint());
    }
}

void CoolList::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        m_controller.penUp(event->position().toPoint());
    }
}

void CoolList::keyPressEvent(QKeyEvent* event) {
    const ListKey key = listKeyFromEvent(*event);
    if (key.virtualKey == vk::kAction && !key.autoRepeat) {
        m_actionQtKey = event->key();
    }
    if (!m_drain.accept(key.virtualKey ? key.virtualKey : event->key(), key.autoRepeat)) {
        return;  // an auto-repeat that piled up behind the previous press
    }
    QMetaObject::invokeMethod(
        this, [this] { m_drain.drained(); }, Qt::QueuedConnection);
    if (!m_controller.keyDown(key)) {
        event->ignore();
    }
}

void CoolList::keyReleaseEvent(QKeyEvent* event) {
    if (event->isAutoRepeat()) {
        return;
    }
    m_controller.keyUp(listKeyFromEvent(*event).virtualKey);
}

void CoolList::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    m_controller.setHasFocus(true);
}

void CoolList::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    m_controller.setHasFocus(false);
}

void CoolList::wheelEvent(QWheelEvent* event) {
    const int steps = event->angleDelta().y() / 120;
    if (steps != 0) {
        m_controller.scrollRows(-steps * kWheelRows);
    }
}

void CoolList::takeFocus() {
    setFocus(Qt::MouseFocusReason);
}

void CoolList::startTimer(CoolListTimer which) {
    timer(which)->start();
}

void CoolList::stopTimer(CoolListTimer which) {
    timer(which)->stop();
}

int CoolList::clientWidth() const {
    return width() - (m_scrollBar->isVisibleTo(this) ? m_scrollBar->width() : 0);
}

QTimer* CoolList::timer(CoolListTimer which) {
    return which == CoolListTimer::LongPress ? m_longPressTimer : m_actionKeyTimer;
}

// Range 0..count-1 with a page of the whole rows that fit, as a scroll bar
// whose thumb ends at the last row.
void CoolList::syncScrollBar() {
    const ListViewport& view = m_controller.viewport();
    m_syncing = true;
    const bool needed = view.scrollBarNeeded();
    m_scrollBar->setRange(0, view.scrollBarMaximum());
    m_scrollBar->setPageStep(qMax(1, view.wholeRowsThatFit()));
    m_scrollBar->setValue(view.scrollBarPosition());
    const int barWidth = m_screen.scaleX(kScrollBarWidth);
    m_scrollBar->setGeometry(width() - barWidth, 0, barWidth, height());
    m_scrollBar->setVisible(needed);
    m_syncing = false;
}

}  // namespace kontavo
