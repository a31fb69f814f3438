#include "shell/progresswnd.h"

#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

#include "platform/screen.h"
#include "ui/pumpmessages.h"
#include "ui/sharedfonts.h"

namespace kontavo {

namespace {

// Lengths at 96 dpi.
constexpr int kSideMargin = 12;
constexpr int kPadding = 4;
constexpr QRgb kCaptionColor = 0x316AC5;

}  // namespace

ProgressWnd::ProgressWnd(const QString& title, QWidget* parent)
    : QFrame(parent),
      m_caption(new QLabel(title, this)),
      m_text(new QLabel(this)),
      m_bar(new QProgressBar(this)) {
    const Screen& screen = Screen::current();
    setObjectName(QStringLiteral("Progress"));
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(std::max(1, screen.scaleX(1)));
    setAutoFillBackground(true);
    QPalette colors = palette();
    colors.setColor(QPalette::Window, Qt::white);
    colors.setColor(QPalette::WindowText, Qt::black);
    setPalette(colors);

    m_caption->setObjectName(QStringLiteral("ProgressCaption"));
    m_caption->setFont(SharedFonts::current().bold);
    m_caption->setAutoFillBackground(true);
    QPalette caption = m_caption->palette();
    caption.setColor(QPalette::Window, QColor(kCaptionColor));
    caption.setColor(QPalette::WindowText, Qt::white);
    m_caption->setPalette(caption);
    const int padding = screen.scaleX(kPadding);
    m_caption->setContentsMargins(padding, padding / 2, padding, padding / 2);
    m_text->setFont(SharedFonts::current().normal);
    m_text->setWordWrap(true);
    m_text->hide();
    m_bar->setTextVisible(false);
    m_bar->setFixedHeight(screen.scaleY(12));

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(m_caption);
    auto* body = new QVBoxLayout;
    body->setContentsMargins(padding * 2, padding * 2, padding * 2, padding * 2);
    body->setSpacing(padding * 2);
    body->addWidget(m_text);
    body->addWidget(m_bar);
    column->addLayout(body);
    setRange(1, 20);
    fitToParent();
    show();
    raise();
    pumpMessages();
}

QRect ProgressWnd::placement(QSize parentSize, int height) {
    const int width = parentSize.width() - 2 * Screen::current().scaleX(kSideMargin);
    return {(parentSize.width() - width) / 2, (parentSize.height() - height) / 3, width, height};
}

void ProgressWnd::fitToParent() {
    const QRect place = placement(parentWidget()->size(), 0);
    const int height = layout()->hasHeightForWidth() ? layout()->totalHeightForWidth(place.width())
                                                     : sizeHint().height();
    setGeometry(placement(parentWidget()->size(), height));
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
    const bool shown = !text.trimmed().isEmpty() && text != m_caption->text();
    if (shown != m_text->isVisibleTo(this)) {
        m_text->setVisible(shown);
        fitToParent();
    }
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

void ProgressWnd::setTitle(const QString& title) {
    m_caption->setText(title);
    setText(text());
}

QString ProgressWnd::title() const {
    return m_caption->text();
}

QString ProgressWnd::text() const {
    return m_text->text();
}

bool ProgressWnd::showsText() const {
    return m_text->isVisibleTo(this);
}

}  // namespace kontavo
