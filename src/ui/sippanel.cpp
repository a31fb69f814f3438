#include "ui/sippanel.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "ui/shellui.h"

namespace kontavo {

namespace {
constexpr int kDefaultSlideMs = 120;
}  // namespace

SipPanel::SipPanel(ShellUi& shell, QWidget* parent)
    : QWidget(parent), m_shell(shell), m_slide(this, "pos") {
    setObjectName(QStringLiteral("SIP"));
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_slide.setDuration(kDefaultSlideMs);
    connect(&m_slide, &QPropertyAnimation::finished, this, [this] {
        if (!m_shell.isSipUp()) {
            hide();
        }
    });
    connect(&shell, &ShellUi::sipChanged, this, &SipPanel::follow);
    setGeometry(shell.sipRect());
    setVisible(shell.isSipUp());
    raise();
}

void SipPanel::setSlideDuration(int milliseconds) {
    m_slide.setDuration(milliseconds);
}

bool SipPanel::isSliding() const {
    return m_slide.state() == QAbstractAnimation::Running;
}

// Slides between just below the SIP's place (hidden behind the menu bar,
// which is drawn over it) and the SIP's place.
void SipPanel::follow(bool up) {
    const QRect target = m_shell.sipRect();
    const QPoint down(target.left(), target.top() + target.height());
    resize(target.size());
    m_slide.stop();
    if (up) {
        move(isVisible() ? pos() : down);
        show();
        raise();
    }
    m_slide.setStartValue(pos());
    m_slide.setEndValue(up ? target.topLeft() : down);
    if (m_slide.duration() == 0) {
        move(m_slide.endValue().toPoint());
        setVisible(up);
        return;
    }
    m_slide.start();
}

QPoint SipPanel::keyCenter(int index) const {
    return m_layout.keyRect(index, size()).center();
}

std::optional<int> SipPanel::findKey(const QString& text) const {
    for (int i = 0; i < m_layout.keys().size(); ++i) {
        if (m_layout.keys()[i].text == text) {
            return i;
        }
    }
    return std::nullopt;
}

void SipPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(0xD8, 0xD8, 0xD8));
    QFont font = painter.font();
    font.setPixelSize(qMax(6, height() * 6 / (10 * SipKeyLayout::kRows)));
    painter.setFont(font);
    for (int i = 0; i < m_layout.keys().size(); ++i) {
        const QRect key = m_layout.keyRect(i, size()).adjusted(0, 0, -1, -1);
        const bool down = m_pressed == i;
        painter.fillRect(key, down ? QColor(0x31, 0x5A, 0xA5) : Qt::white);
        painter.setPen(QColor(0x80, 0x80, 0x80));
        painter.drawRect(key);
        painter.setPen(down ? Qt::white : Qt::black);
        painter.drawText(key, Qt::AlignCenter, m_layout.label(i));
    }
}

void SipPanel::mousePressEvent(QMouseEvent* event) {
    m_pressed = m_layout.keyAt(event->position().toPoint(), size());
    update();
}

void SipPanel::mouseReleaseEvent(QMouseEvent* event) {
    const std::optional<int> released = m_layout.keyAt(event->position().toPoint(), size());
    const std::optional<int> pressed = m_pressed;
    m_pressed.reset();
    update();
    if (!released || released != pressed) {
        return;  // the pen slid off the key
    }
    if (const std::optional<SipStroke> stroke = m_layout.tap(*released)) {
        deliver(*stroke);
    }
}

void SipPanel::deliver(const SipStroke& stroke) {
    QWidget* target = QApplication::focusWidget();
    if (target == nullptr) {
        return;
    }
    QKeyEvent press(QEvent::KeyPress, stroke.qtKey, stroke.modifiers, stroke.text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, stroke.qtKey, stroke.modifiers, stroke.text);
    QApplication::sendEvent(target, &release);
}

}  // namespace kontavo
