#include "ui/screenmessagebox.h"

#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

#include "platform/screen.h"
#include "ui/popupplacement.h"
#include "ui/sharedfonts.h"

namespace kontavo {

namespace {

// Lengths at 96 dpi.
constexpr int kOuterMargin = 8;  // between the box and the screen's edges
constexpr int kInnerMargin = 6;  // around the box's content
constexpr int kIconSize = 32;
constexpr int kScreenWidth = 240;
constexpr int kScreenHeight = 320;

QStyle::StandardPixmap standardIcon(MessageBoxes::Icon icon) {
    switch (icon) {
        case MessageBoxes::Icon::Information:
            return QStyle::SP_MessageBoxInformation;
        case MessageBoxes::Icon::Warning:
            return QStyle::SP_MessageBoxWarning;
        case MessageBoxes::Icon::Error:
            return QStyle::SP_MessageBoxCritical;
        case MessageBoxes::Icon::None:
            break;
    }
    return QStyle::SP_CustomBase;
}

// The width of the text's widest paragraph on one line.
int naturalWidth(const QFontMetrics& metrics, const QString& text) {
    int widest = 0;
    for (const QString& line : text.split(u'\n')) {
        widest = std::max(widest, metrics.horizontalAdvance(line));
    }
    return widest + 1;
}

}  // namespace

int ScreenMessageBox::textWidthLimit(int screenWidth, int iconWidth) {
    const Screen& screen = Screen::current();
    const int chrome = 2 * screen.scaleX(kOuterMargin) + 2 * screen.scaleX(kInnerMargin);
    const int beside = iconWidth > 0 ? iconWidth + screen.scaleX(kInnerMargin) : 0;
    return std::max(1, screenWidth - chrome - beside);
}

ScreenMessageBox::ScreenMessageBox(QWidget* parent, const QString& text, const QString& caption,
                                   MessageBoxes::Icon icon, Buttons buttons)
    : QDialog(parent), m_text(new QLabel(text, this)) {
    const Screen& screen = Screen::current();
    setObjectName(QStringLiteral("MessageBox"));
    setWindowTitle(caption);
    setFont(standardFont(screen));
    auto* column = new QVBoxLayout(this);
    const int inner = screen.scaleX(kInnerMargin);
    column->setContentsMargins(inner, inner, inner, inner);
    column->setSpacing(inner);
    auto* row = new QHBoxLayout;
    row->setSpacing(inner);
    int iconWidth = 0;
    if (icon != MessageBoxes::Icon::None) {
        auto* picture = new QLabel(this);
        iconWidth = screen.scaleX(kIconSize);
        picture->setPixmap(style()->standardIcon(standardIcon(icon)).pixmap(iconWidth, iconWidth));
        picture->setAlignment(Qt::AlignTop);
        row->addWidget(picture, 0, Qt::AlignTop);
    }
    m_text->setObjectName(QStringLiteral("MessageText"));
    m_text->setWordWrap(true);
    m_text->setTextFormat(Qt::PlainText);
    m_text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    const int limit = textWidthLimit(screenRect().width(), iconWidth);
    m_text->setFixedWidth(std::min(limit, naturalWidth(m_text->fontMetrics(), text)));
    row->addWidget(m_text, 1);
    column->addLayout(row);
    auto* box = new QDialogButtonBox(this);
    box->setCenterButtons(true);
    if (buttons == Buttons::YesNo) {
        m_buttons = {box->addButton(QDialogButtonBox::Yes), box->addButton(QDialogButtonBox::No)};
        connect(m_buttons[0], &QPushButton::clicked, this, &QDialog::accept);
        connect(m_buttons[1], &QPushButton::clicked, this, &QDialog::reject);
        m_buttons[1]->setDefault(true);
    } else {
        m_buttons = {box->addButton(QDialogButtonBox::Ok)};
        connect(m_buttons[0], &QPushButton::clicked, this, &QDialog::accept);
        m_buttons[0]->setDefault(true);
    }
    column->addWidget(box);
    column->setSizeConstraint(QLayout::SetFixedSize);
}

QRect ScreenMessageBox::screenRect() const {
    if (const QWidget* owner = parentWidget()) {
        const QWidget* window = owner->window();
        return {window->mapToGlobal(QPoint(0, 0)), window->size()};
    }
    const Screen& screen = Screen::current();
    const QScreen* display = QGuiApplication::primaryScreen();
    const QPoint corner = display != nullptr ? display->geometry().topLeft() : QPoint();
    return {corner, QSize(screen.scaleX(kScreenWidth), screen.scaleY(kScreenHeight))};
}

void ScreenMessageBox::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    adjustSize();
    setGeometry(centerOnScreen(screenRect(), size()));
}

}  // namespace kontavo
