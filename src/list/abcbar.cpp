#include "list/abcbar.h"

#include <QMouseEvent>
#include <QPainter>

#include "ui/wndmessages.h"

namespace kontavo {

AbcBar::AbcBar(const Screen& screen, QWidget* parent)
    : ChildControl(parent, parent), m_screen(screen), m_holdTimer(new QTimer(this)) {
    m_holdTimer->setSingleShot(true);
    m_holdTimer->setInterval(kHoldMs);
    m_holdTimer->setObjectName(QStringLiteral("backspaceHold"));
    connect(m_holdTimer, &QTimer::timeout, this, &AbcBar::holdTimeout);
    setFocusPolicy(Qt::NoFocus);
}

void AbcBar::setLabels(const AbcBarLabels& labels) {
    m_labels = labels;
    m_presses.reset(labels.groupCount());
    m_pen.cancel();
    m_holdTimer->stop();
    rebuild();
    update();
}

void AbcBar::groupAppended(int group) {
    m_presses.appended(group);
    redrawCommand(group);
}

void AbcBar::groupRemoved(int group) {
    m_presses.removed(group);
    redrawCommand(group);
}

void AbcBar::resetPresses() {
    m_presses.clear();
    update();
}

void AbcBar::paintGroupLabel(QPainter& painter, int group, const QRect& box, const QFont& labelFont,
                             const QFont& alternateFont) const {
    painter.setFont(labelFont);
    if (!m_labels.hasAlternate) {
        painter.drawText(box, Qt::AlignCenter, m_labels.labels.value(group));
        return;
    }
    QRect upper = box;
    upper.setBottom(box.center().y());
    QRect lower = box;
    lower.setTop(box.center().y() + 1);
    painter.drawText(upper, Qt::AlignHCenter | Qt::AlignBottom, m_labels.labels.value(group));
    painter.setFont(alternateFont);
    painter.drawText(lower, Qt::AlignHCenter | Qt::AlignTop, m_labels.alternate(group));
}

void AbcBar::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    const int command = commandAt(event->position().toPoint());
    if (m_pen.penDown(command, backspaceCommand())) {
        m_holdTimer->start();
    }
    redrawCommand(command);
}

void AbcBar::mouseMoveEvent(QMouseEvent* event) {
    const int before = m_pen.pressedButton();
    m_pen.penMove(commandAt(event->position().toPoint()));
    if (m_pen.pressedButton() != before) {
        redrawCommand(before);
        redrawCommand(m_pen.pressedButton());
    }
}

void AbcBar::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    m_holdTimer->stop();
    const int before = m_pen.pressedButton();
    const auto command = m_pen.penUp(commandAt(event->position().toPoint()));
    redrawCommand(before);
    if (command) {
        post(*command);
    }
}

void AbcBar::holdTimeout() {
    const int before = m_pen.pressedButton();
    const auto command = m_pen.holdTimeout(clearAllCommand());
    redrawCommand(before);
    if (command) {
        post(*command);
    }
}

void AbcBar::post(int command) {
    if (owner() != nullptr) {
        postWindowMessage(owner(), {wm::kCommand, wm::makeLong(uint32_t(command), 0), 0});
    }
    QMetaObject::invokeMethod(
        this, [this, command] { emit commandPosted(command); }, Qt::QueuedConnection);
}

void AbcBar::redrawCommand(int command) {
    if (command >= 0) {
        update(commandRect(command));
    }
}

}  // namespace kontavo
