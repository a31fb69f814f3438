#include "comm/fontchooser.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "diag/resources.h"
#include "platform/screen.h"
#include "ui/sharedfonts.h"

namespace kontavo {

namespace {

constexpr int kOkString = 105;
constexpr int kCancelString = 106;

}  // namespace

FontChooser::FontChooser(const FontChoice& current, int dpiY, QWidget* parent)
    : DialogBase(kTemplateId, true, parent), m_start(current), m_dpiY(dpiY) {
    setWindowTitle(loadString(kTitleString));
}

QCheckBox* FontChooser::addCheck(const QString& text, int id, bool checked) {
    auto* box = new QCheckBox(text, body());
    box->setObjectName(QString::number(id));
    box->setChecked(checked);
    connect(box, &QCheckBox::clicked, this, &FontChooser::rebuildSample);
    return box;
}

bool FontChooser::onInitDialog() {
    const Screen& screen = Screen::current();
    m_face = new QComboBox(body());
    m_face->setObjectName(QString::number(kFaceId));
    QStringList families = QFontDatabase::families();
    families.sort(Qt::CaseInsensitive);
    m_face->addItems(families);
    m_face->setCurrentIndex(int(families.indexOf(m_start.face)));
    m_size = new QComboBox(body());
    m_size->setObjectName(QString::number(kSizeId));
    for (const int size : ListFont::chooserSizes()) {
        m_size->addItem(QString::number(size), size);
    }
    m_size->setCurrentIndex(int(ListFont::chooserSizes().indexOf(m_start.points)));
    m_bold = addCheck(QStringLiteral("Bold"), kBoldId, m_start.bold);
    m_italic = addCheck(QStringLiteral("Italic"), kItalicId, m_start.italic);
    m_underline = addCheck(QStringLiteral("Underline"), kUnderlineId, m_start.underline);
    m_strikeOut = addCheck(QStringLiteral("Strikethrough"), kStrikeOutId, m_start.strikeOut);
    m_sample = new QLabel(QStringLiteral("AaBbCcXxYyZz"), body());
    m_sample->setObjectName(QString::number(kSampleId));
    m_sample->setFrameShape(QFrame::Box);
    m_sample->setAlignment(Qt::AlignCenter);
    m_sample->setMinimumHeight(screen.scaleY(40));
    auto* ok = new QPushButton(loadString(kOkString), body());
    ok->setObjectName(QString::number(kOkString));
    auto* cancel = new QPushButton(loadString(kCancelString), body());
    cancel->setObjectName(QString::number(kCancelString));
    connect(ok, &QPushButton::clicked, this, [this] { done(kOk); });
    connect(cancel, &QPushButton::clicked, this, &FontChooser::reject);
    connect(m_face, &QComboBox::currentIndexChanged, this, &FontChooser::rebuildSample);
    connect(m_size, &QComboBox::currentIndexChanged, this, &FontChooser::rebuildSample);

    auto* grid = new QGridLayout(body());
    grid->setContentsMargins(screen.scaleX(4), screen.scaleY(4), screen.scaleX(4),
                             screen.scaleY(4));
    grid->setSpacing(screen.scaleY(3));
    grid->addWidget(new QLabel(QStringLiteral("Font:"), body()), 0, 0);
    grid->addWidget(m_face, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Size:"), body()), 1, 0);
    grid->addWidget(m_size, 1, 1);
    grid->addWidget(m_bold, 2, 0);
    grid->addWidget(m_italic, 2, 1);
    grid->addWidget(m_underline, 3, 0);
    grid->addWidget(m_strikeOut, 3, 1);
    grid->addWidget(m_sample, 4, 0, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    grid->addLayout(buttons, 5, 0, 1, 2);
    grid->setRowStretch(6, 1);
    grid->setColumnStretch(1, 1);
    body()->setStyleSheet(QStringLiteral("QCheckBox::indicator { width: %1px; height: %1px; }")
                              .arg(screen.scaleX(13)));
    for (QWidget* child : body()->findChildren<QWidget*>()) {
        if (child != m_sample) {
            child->setFont(SharedFonts::current().normal);
        }
    }
    rebuildSample();
    createMenuBar(0);
    return true;
}

FontChoice FontChooser::choice() const {
    FontChoice choice = m_start;
    if (m_face->currentIndex() >= 0) {
        choice.face = m_face->currentText();
    }
    if (m_size->currentIndex() >= 0) {
        choice.points = m_size->currentData().toInt();
    }
    choice.bold = m_bold->isChecked();
    choice.italic = m_italic->isChecked();
    choice.underline = m_underline->isChecked();
    choice.strikeOut = m_strikeOut->isChecked();
    return choice;
}

void FontChooser::rebuildSample() {
    ListFont sample;
    sample.face = m_start.face;
    sample.height = ListFont::heightOf(m_start.points, m_dpiY);
    sample.apply(choice(), m_dpiY);
    m_sample->setFont(sample.font());
}

void FontChooser::reject() {
    done(kCancel);
}

}  // namespace kontavo
