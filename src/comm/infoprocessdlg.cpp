#include "comm/infoprocessdlg.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

#include "diag/resources.h"
#include "ui/sharedfonts.h"

namespace kontavo {

namespace {

// Size and margin at 96 dpi.
constexpr int kWidth = 200;
constexpr int kHeight = 90;
constexpr int kMargin = 6;
constexpr int kButtonWidth = 60;
constexpr int kButtonHeight = 22;

}  // namespace

InfoProcessDlg::InfoProcessDlg(const QString& number, std::function<void(const QString&)> play,
                               QWidget* owner, const Screen& screen)
    : DialogBase(kTemplateId, false, owner),
      m_countdown(number),
      m_play(std::move(play)),
      m_screen(screen),
      m_text(new QLabel(body())),
      m_cancel(new QPushButton(loadString(kCancelString), body())) {
    m_text->setObjectName(QString::number(kTextId));
    m_cancel->setObjectName(QString::number(kCancelId));
    m_text->setAlignment(Qt::AlignCenter);
    m_text->setWordWrap(true);
    for (QWidget* control : {static_cast<QWidget*>(m_text), static_cast<QWidget*>(m_cancel)}) {
        control->setFont(SharedFonts::current().normal);
    }
    m_cancel->setAutoDefault(false);
    connect(m_cancel, &QPushButton::clicked, this, &InfoProcessDlg::reject);
    m_timer.setInterval(DialCountdown::kTickMs);
    connect(&m_timer, &QTimer::timeout, this, &InfoProcessDlg::tick);
    setFixedSize(screen.scaleX(kWidth), screen.scaleY(kHeight));
    place();
}

bool InfoProcessDlg::onInitDialog() {
    dropQueuedKeys();
    m_timer.start();
    m_countdown.open(m_timer.isActive());
    sync();
    return true;
}

void InfoProcessDlg::showEvent(QShowEvent* event) {
    DialogBase::showEvent(event);
    if (QWidget* owner = parentWidget()) {
        const QRect area = owner->window()->geometry();
        move(area.center() - rect().center());
    }
}

// The keys that were already waiting are delivered in the event loop's
// first round, before the queued call that ends the dropping.
void InfoProcessDlg::dropQueuedKeys() {
    m_dropKeys = true;
    qApp->installEventFilter(this);
    QMetaObject::invokeMethod(
        this,
        [this] {
            qApp->removeEventFilter(this);
            m_dropKeys = false;
        },
        Qt::QueuedConnection);
}

bool InfoProcessDlg::eventFilter(QObject* watched, QEvent* event) {
    if (m_dropKeys && (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease ||
                       event->type() == QEvent::ShortcutOverride)) {
        return true;
    }
    return DialogBase::eventFilter(watched, event);
}

void InfoProcessDlg::tick() {
    if (m_countdown.tick() == DialCountdown::Action::PlayAndClose) {
        m_timer.stop();
        sync();
        if (!m_countdown.number().isEmpty() && m_play) {
            m_play(m_countdown.number());
        }
        m_countdown.played();
        done(1);
        return;
    }
    sync();
}

void InfoProcessDlg::reject() {
    m_countdown.cancel();
    if (m_countdown.phase() == DialCountdown::Phase::Closed) {
        m_timer.stop();
        done(1);
    }
}

void InfoProcessDlg::sync() {
    m_text->setText(m_countdown.text());
    m_cancel->setVisible(m_countdown.isCancelVisible());
}

void InfoProcessDlg::place() {
    const int margin = m_screen.scaleX(kMargin);
    const QSize button(m_screen.scaleX(kButtonWidth), m_screen.scaleY(kButtonHeight));
    body()->setGeometry(rect());
    const QRect area = rect().adjusted(margin, margin, -margin, -margin);
    m_cancel->setGeometry(
        QRect(area.bottomRight() - QPoint(button.width(), button.height()) + QPoint(1, 1), button));
    m_text->setGeometry(area.adjusted(0, 0, 0, -button.height()));
}

}  // namespace kontavo
