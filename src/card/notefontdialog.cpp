#include "card/notefontdialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

#include "card/notetextformat.h"
#include "diag/resources.h"
#include "platform/screen.h"
#include "ui/sharedfonts.h"

namespace kontavo {

namespace {

constexpr int kCaptionString = 115;
constexpr int kOkString = 105;
constexpr int kCancelString = 106;

}  // namespace

void NoteFontChoice::applyTo(QTextCharFormat& format, int zoom) const {
    if (!face.isEmpty() && face.size() <= kMaxFace) {
        format.setFontFamilies({face});
    }
    if (size > 0) {
        notetext::setPoints(format, size, Screen::current(), zoom);
    }
    format.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(italic);
    format.setFontUnderline(underline);
    format.setFontStrikeOut(strikethrough);
}

const QList<int>& NoteFontDialog::sizes() {
    static const QList<int> sizes{6,  7,  8,  9,  10, 11, 12, 14, 16,
                                  18, 20, 22, 24, 26, 28, 36, 48, 72};
    return sizes;
}

NoteFontDialog::NoteFontDialog(const NoteFontChoice& start, QWidget* parent)
    : DialogBase(kTemplateId, true, parent), m_start(start) {
    setWindowTitle(loadString(kCaptionString));
}

bool NoteFontDialog::onInitDialog() {
    const Screen& screen = Screen::current();
    auto* title = new QLabel(loadString(kCaptionString), body());
    title->setFont(SharedFonts::current().bold);
    m_face = new QComboBox(body());
    m_face->setObjectName(QStringLiteral("face"));
    m_face->addItems(QFontDatabase::families());
    if (m_face->findText(m_start.face) < 0 && !m_start.face.isEmpty()) {
        m_face->addItem(m_start.face);
    }
    m_face->setCurrentIndex(m_face->findText(m_start.face));
    m_size = new QComboBox(body());
    m_size->setObjectName(QStringLiteral("size"));
    for (int size : sizes()) {
        m_size->addItem(QString::asprintf("%d", size), size);
    }
    if (m_start.size > 0 && m_size->findData(m_start.size) < 0) {
        m_size->addItem(QString::asprintf("%d", m_start.size), m_start.size);
    }
    m_size->setCurrentIndex(m_start.size > 0 ? m_size->findData(m_start.size) : -1);
    m_bold = new QCheckBox(QStringLiteral("Bold"), body());
    m_italic = new QCheckBox(QStringLiteral("Italic"), body());
    m_underline = new QCheckBox(QStringLiteral("Underline"), body());
    m_strike = new QCheckBox(QStringLiteral("Strikethrough"), body());
    m_bold->setObjectName(QStringLiteral("bold"));
    m_italic->setObjectName(QStringLiteral("italic"));
    m_underline->setObjectName(QStringLiteral("underline"));
    m_strike->setObjectName(QStringLiteral("strikethrough"));
    m_bold->setChecked(m_start.bold);
    m_italic->setChecked(m_start.italic);
    m_underline->setChecked(m_start.underline);
    m_strike->setChecked(m_start.strikethrough);
    m_sample = new QLabel(QStringLiteral("Sample text"), body());
    m_sample->setObjectName(QStringLiteral("sample"));
    m_sample->setAlignment(Qt::AlignCenter);
    m_sample->setMinimumHeight(screen.scaleY(40));
    auto* ok = new QPushButton(loadString(kOkString), body());
    auto* cancel = new QPushButton(loadString(kCancelString), body());
    ok->setObjectName(QStringLiteral("ok"));
    cancel->setObjectName(QStringLiteral("cancel"));

    auto* grid = new QGridLayout(body());
    grid->setContentsMargins(screen.scaleX(4), screen.scaleY(2), screen.scaleX(4),
                             screen.scaleY(2));
    grid->addWidget(title, 0, 0, 1, 2);
    grid->addWidget(m_face, 1, 0, 1, 2);
    grid->addWidget(m_size, 2, 0, 1, 2);
    grid->addWidget(m_bold, 3, 0);
    grid->addWidget(m_italic, 3, 1);
    grid->addWidget(m_underline, 4, 0);
    grid->addWidget(m_strike, 4, 1);
    grid->addWidget(m_sample, 5, 0, 1, 2);
    grid->setRowStretch(6, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    grid->addLayout(buttons, 7, 0, 1, 2);
    body()->setStyleSheet(QStringLiteral("QCheckBox::indicator { width: %1px; height: %1px; }")
                              .arg(screen.scaleX(13)));
    for (QWidget* child : body()->findChildren<QWidget*>()) {
        if (child != title && child != m_sample) {
            child->setFont(SharedFonts::current().normal);
        }
    }
    for (QCheckBox* box : {m_bold, m_italic, m_underline, m_strike}) {
        connect(box, &QCheckBox::toggled, this, &NoteFontDialog::updateSample);
    }
    connect(m_face, &QComboBox::currentIndexChanged, this, &NoteFontDialog::updateSample);
    connect(m_size, &QComboBox::currentIndexChanged, this, &NoteFontDialog::updateSample);
    connect(ok, &QPushButton::clicked, this, &NoteFontDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &NoteFontDialog::reject);
    createMenuBar(0);
    updateSample();
    return true;
}

NoteFontChoice NoteFontDialog::choice() const {
    NoteFontChoice chosen;
    chosen.face = m_face->currentText();
    chosen.size = m_size->currentIndex() >= 0 ? m_size->currentData().toInt() : 0;
    chosen.bold = m_bold->isChecked();
    chosen.italic = m_italic->isChecked();
    chosen.underline = m_underline->isChecked();
    chosen.strikethrough = m_strike->isChecked();
    return chosen;
}

void NoteFontDialog::updateSample() {
    const NoteFontChoice chosen = choice();
    QFont font(chosen.face.isEmpty() ? m_sample->font().family() : chosen.face);
    font.setPixelSize(
        notetext::pixelSize(chosen.size > 0 ? chosen.size : 10, Screen::current(), 100));
    font.setBold(chosen.bold);
    font.setItalic(chosen.italic);
    font.setUnderline(chosen.underline);
    font.setStrikeOut(chosen.strikethrough);
    m_sample->setFont(font);
}

}  // namespace kontavo
