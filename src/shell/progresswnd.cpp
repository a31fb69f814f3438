#include "shell/progresswnd.h"

#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

#include "platform/screen.h"
#include "ui/pumpmessages.h"
#include "ui/sharedfonts.h"

namespace kontavo {

ProgressWnd::ProgressWnd(const QString& title, QWidget* parent)
    : QWidget(parent),
      m_title(new QLabel(title, this)),
      m_text(new QLabel(this)),
      m_bar(new QProgressBar(this)) {
    setObjectName(QStringLiteral("Progress"));
    setAutoFillBackground(true);
    m_title->setFont(SharedFonts::current().bold);
    m_text->setFont(SharedFonts::current().normal);
    m_bar->setTextVisible(false);
    auto* column = new QVBoxLayout(this);
    column->addWidget(m_title);
    column->addWidget(m_text);
    column->addWidget(m_bar);
    setRange(1, 20);
    const Screen& screen = Screen::current();
    const int width = parent->width() - 2 * screen.scaleX(12);
    const int height = screen.scaleY(70);
    setGeometry((parent->width() - width) / 2, (parent->height() - height) / 3, width, height);
    show();
    raise();
    pumpMessages();
}

void ProgressWnd::setRange(int minimum, int maximum) {
    m_bar->setRange(minimum, qMax(minimum, maximum));
    m_bar->setValue(minimum);
}

void ProgressWnd::setStep(int step) {
    m_step = step;
}

void ProgressWnd::setText(const QString& text) {
    m_text->setText(text);
    pumpMessages();
}

void ProgressWnd::step() {
    m_bar->setValue(qMin(m_bar->maximum(), m_bar->value() + m_step));
    pumpMessages();
}

int ProgressWnd::position() const {
    return m_bar->value();
}

int ProgressWnd::minimum() const {
    return m_bar->minimum();
}

int ProgressWnd::maximum() const {
    return m_bar->maximum();
}

QString ProgressWnd::title() const {
    return m_title->text();
}

QString ProgressWnd::text() const {
    return m_text->text();
}

}  // namespace kontavo
