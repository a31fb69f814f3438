#include "list/searchedit.h"

#include <QElapsedTimer>
#include <QKeyEvent>
#include <QPainter>

#include "diag/resources.h"
#include "list/listimages.h"
#include "list/searchlineedit.h"
#include "ui/sharedfonts.h"

namespace kontavo {

namespace {

constexpr int kButtonSide = 12;  // at 96 dpi

qint64 monotonicMs() {
    static QElapsedTimer clock;
    if (!clock.isValid()) {
        clock.start();
    }
    return clock.elapsed();
}

}  // namespace

SearchEdit::SearchEdit(const Screen& screen, QWidget* parent)
    : QWidget(parent),
      m_screen(screen),
      m_edit(new SearchLineEdit(*this, this)),
      m_glyph(loadIconOfSet(kGlyphIcon, kGlyphIconHighRes, screen)),
      m_busyTimer(new QTimer(this)),
      m_clock(monotonicMs) {
    setObjectName(QString::fromLatin1(kWindowClass));
    setFocusProxy(m_edit);
    for (int frame = 0; frame < BusyAnimation::kFrames; ++frame) {
        m_busyFrames[frame] = loadIconOfSet(kBusyIcon + frame, kBusyIconHighRes + frame, screen);
    }
    QPalette palette = m_edit->palette();
    palette.setColor(QPalette::PlaceholderText, QColor::fromRgb(kGrayTextColor));
    m_edit->setPalette(palette);
    connect(m_edit, &QLineEdit::textChanged, this, &SearchEdit::editTextChanged);
    m_busyTimer->setInterval(BusyAnimation::kStepMs);
    m_busyTimer->setObjectName(QStringLiteral("busyAnimation"));
    connect(m_busyTimer, &QTimer::timeout, this, &SearchEdit::busyStep);
    setMode(SearchMode::Text);
    showPlaceholder(true);
}

// The line edit goes first, while this object is still whole: a focused
// field loses its focus as it goes, and that still reaches this object.
SearchEdit::~SearchEdit() {
    delete m_edit;
}

void SearchEdit::setMode(SearchMode mode) {
    m_mode = mode;
    const bool group = mode == SearchMode::Group;
    m_edit->setFont(standardFont(m_screen, group));
    QPalette palette = m_edit->palette();
    palette.setColor(QPalette::Text, group ? QColor::fromRgb(kGroupTextColor)
                                           : palette.color(QPalette::WindowText));
    m_edit->setPalette(palette);
}

void SearchEdit::setGroupText(const QString& text) {
    setTextSilently(text);
    m_edit->end(false);
}

void SearchEdit::clear() {
    setTextSilently(QString());
    setMode(SearchMode::Text);
}

void SearchEdit::typeKey(const ListKey& key) {
    switch (m_state.keyAction(m_mode, key)) {
        case SearchEditState::KeyAction::ToOwner:
            if (key.virtualKey == vk::kBack) {
                emit groupBackspacePressed(m_edit->cursorPosition(), m_edit->selectionStart(),
                                           int(m_edit->selectedText().size()));
            }
            return;
        case SearchEditState::KeyAction::LeaveGroupSwallow:
            leaveGroupMode();
            return;
        case SearchEditState::KeyAction::Swallow:
            return;
        case SearchEditState::KeyAction::LeaveGroupThenEdit:
            leaveGroupMode();
            break;
        case SearchEditState::KeyAction::Edit:
            break;
    }
    if (key.virtualKey == vk::kBack) {
        m_edit->backspace();
    } else if (key.typesText()) {
        m_edit->insert(key.text);
    }
}

QString SearchEdit::text() const {
    return m_edit->text();
}

QLineEdit* SearchEdit::lineEdit() const {
    return m_edit;
}

QRect SearchEdit::clearButtonRect() const {
    const int side = m_screen.scaleX(kButtonSide);
    const int high = m_screen.scaleY(kButtonSide);
    return QRect(width() - 1 - side, (height() - high) / 2, side, high);
}

void SearchEdit::busyStart() {
    m_busy.start(m_clock());
    m_busyTimer->start();
    relayout();
    repaint(clearButtonRect());
}

void SearchEdit::busyStep() {
    if (m_busy.step(m_clock())) {
        repaint(clearButtonRect());  // a refill on this thread gives the loop no chance
    }
}

void SearchEdit::busyEnd() {
    m_busy.end();
    m_busyTimer->stop();
    relayout();
}

void SearchEdit::setSipHooks(std::function<bool()> isUp, std::function<void(bool)> setUp) {
    m_sipIsUp = std::move(isUp);
    m_setSipUp = std::move(setUp);
}

void SearchEdit::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.setPen(QColor::fromRgb(kFrameColor));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    const QPixmap& image = m_busy.isRunning() ? m_busyFrames[m_busy.frame()] : m_glyph;
    if (buttonShown() && !image.isNull()) {
        painter.drawPixmap(clearButtonRect(), image);
    }
}

void SearchEdit::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    relayout();
}

void SearchEdit::mousePressEvent(QMouseEvent* event) {
    m_buttonPressed = event->button() == Qt::LeftButton && m_hasText && !m_busy.isRunning() &&
                      clearButtonRect().contains(event->position().toPoint());
}

// The clear button empties the field as the user's own change.
void SearchEdit::mouseReleaseEvent(QMouseEvent* event) {
    const bool inside = clearButtonRect().contains(event->position().toPoint());
    if (m_buttonPressed && inside && event->button() == Qt::LeftButton) {
        setMode(SearchMode::Text);
        m_edit->setText(QString());
    }
    m_buttonPressed = false;
}

bool SearchEdit::fieldKey(QKeyEvent& event) {
    const ListKey key = listKeyFromEvent(event);
    switch (m_state.keyAction(m_mode, key)) {
        case SearchEditState::KeyAction::Edit:
            return false;
        case SearchEditState::KeyAction::LeaveGroupThenEdit:
            leaveGroupMode();
            return false;
        case SearchEditState::KeyAction::LeaveGroupSwallow:
            leaveGroupMode();
            return true;
        case SearchEditState::KeyAction::Swallow:
            return true;
        case SearchEditState::KeyAction::ToOwner:
            break;
    }
    if (key.virtualKey == vk::kBack) {
        emit groupBackspacePressed(m_edit->cursorPosition(), m_edit->selectionStart(),
                                   int(m_edit->selectedText().size()));
    } else {
        emit upDownPressed(key.virtualKey);
    }
    return true;
}

void SearchEdit::fieldTapped() {
    emit tapped();
}

void SearchEdit::afterFieldTap() {
    if (m_state.clickSelectsAll()) {
        m_edit->selectAll();
    }
}

void SearchEdit::fieldFocusChanged(bool focused) {
    if (focused) {
        m_state.focusGained(m_hasText, m_sipIsUp && m_sipIsUp());
        showPlaceholder(false);
        return;
    }
    if (m_state.focusLost() && m_setSipUp) {
        m_setSipUp(false);
    }
    showPlaceholder(true);
}

void SearchEdit::editTextChanged(const QString& text) {
    const bool hasText = !text.isEmpty();
    if (hasText != m_hasText) {
        m_hasText = hasText;
        relayout();
    }
    if (!m_suppress) {
        emit textChanged(text);
    }
}

// Any typed character ends group mode: the group text goes, and the owner
// hears of the empty field before the character arrives.
void SearchEdit::leaveGroupMode() {
    setMode(SearchMode::Text);
    m_edit->setText(QString());
}

void SearchEdit::setTextSilently(const QString& text) {
    m_suppress = true;
    m_edit->setText(text);
    m_suppress = false;
}

// The placeholder shows only while the field is empty and unfocused.
void SearchEdit::showPlaceholder(bool show) {
    m_edit->setPlaceholderText(show ? loadString(kPlaceholderString) : QString());
}

void SearchEdit::relayout() {
    QRect area = rect().adjusted(1, 1, -1, -1);
    if (buttonShown()) {
        area.setRight(clearButtonRect().left() - 1);
    }
    m_edit->setGeometry(area);
    update();
}

}  // namespace kontavo
