#include "card/picturedialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

#include "card/pictureview.h"
#include "diag/resources.h"
#include "platform/screen.h"
#include "store/pictures/imagefile.h"
#include "ui/messageboxes.h"
#include "ui/sharedfonts.h"

namespace kontavo {

namespace {

constexpr int kOkString = 105;
constexpr int kCancelString = 106;
constexpr int kBrowseString = 110;
constexpr int kClearString = 40205;
// The frame's side at 96 dpi.
constexpr int kFrameSide = 72;
// The largest JPEG reduction asked for.
constexpr int kMaxJpegReduction = 4;
// A page step of the zoom bar: a fifth of its range.
constexpr int kZoomPage = 19;

QString loadFailureText(int code) {
    switch (code) {
        case imagecode::kNoMemory:
            return QStringLiteral("Not enough memory to load image");
        case imagecode::kCannotOpen:
            return QStringLiteral("Cannot open picture file");
        default:
            return QStringLiteral("Image format is not supported");
    }
}

}  // namespace

PictureDialog::PictureDialog(const Picture& picture, Browse browse, QWidget* parent)
    : DialogBase(kTemplateId, true, parent),
      m_editor(Screen::current().scaleX(kFrameSide)),
      m_browse(std::move(browse)) {
    setWindowTitle(QStringLiteral("Picture"));
    m_editor.open(picture);
}

PictureDialog::~PictureDialog() = default;

bool PictureDialog::onInitDialog() {
    buildControls();
    createMenuBar(0);
    syncControls();
    if (!m_editor.hasPicture()) {
        QTimer::singleShot(0, this, &PictureDialog::browse);
    }
    return true;
}

QPushButton* PictureDialog::addButton(const QString& text, const QString& name) {
    auto* button = new QPushButton(text, body());
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

void PictureDialog::buildControls() {
    const Screen& screen = Screen::current();
    m_view = new PictureView(m_editor, body());
    m_view->setObjectName(QStringLiteral("view"));
    m_zoom = new QScrollBar(Qt::Horizontal, body());
    m_zoom->setObjectName(QStringLiteral("zoom"));
    m_zoom->setRange(0, PictureEditor::kZoomSteps);
    m_zoom->setSingleStep(1);
    m_zoom->setPageStep(kZoomPage);
    QPushButton* ok = addButton(loadString(kOkString), QStringLiteral("ok"));
    QPushButton* cancel = addButton(loadString(kCancelString), QStringLiteral("cancel"));
    QPushButton* rotate = addButton(QStringLiteral("Rotate"), QStringLiteral("rotate"));
    QPushButton* browse = addButton(loadString(kBrowseString), QStringLiteral("browse"));
    QPushButton* clear = addButton(loadString(kClearString), QStringLiteral("clear"));
    QPushButton* unit = addButton(QStringLiteral("1:1"), QStringLiteral("unit"));
    m_preview = new QCheckBox(QStringLiteral("Preview"), body());
    m_preview->setObjectName(QStringLiteral("preview"));

    auto* layout = new QVBoxLayout(body());
    layout->setContentsMargins(screen.scaleX(2), screen.scaleY(2), screen.scaleX(2),
                               screen.scaleY(2));
    layout->setSpacing(screen.scaleY(2));
    layout->addWidget(m_view, 1);
    layout->addWidget(m_zoom);
    auto* buttons = new QGridLayout;
    buttons->setSpacing(screen.scaleX(2));
    buttons->addWidget(ok, 0, 0);
    buttons->addWidget(cancel, 0, 1);
    buttons->addWidget(rotate, 0, 2);
    buttons->addWidget(browse, 1, 0);
    buttons->addWidget(clear, 1, 1);
    buttons->addWidget(unit, 0, 3);
    buttons->addWidget(m_preview, 1, 2, 1, 2);
    layout->addLayout(buttons);
    body()->setStyleSheet(QStringLiteral("QCheckBox::indicator { width: %1px; height: %1px; }")
                              .arg(screen.scaleX(13)));
    for (QWidget* child : body()->findChildren<QWidget*>()) {
        child->setFont(SharedFonts::current().normal);
    }

    connect(ok, &QPushButton::clicked, this, &PictureDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &PictureDialog::reject);
    connect(rotate, &QPushButton::clicked, this, [this] {
        m_editor.rotate();
        syncControls();
    });
    connect(browse, &QPushButton::clicked, this, &PictureDialog::browse);
    connect(clear, &QPushButton::clicked, this, [this] {
        m_editor.clear();
        m_view->pictureChanged();
        syncControls();
    });
    connect(unit, &QPushButton::clicked, this, [this] {
        m_editor.setOneToOne();
        syncControls();
    });
    connect(m_preview, &QCheckBox::toggled, this, [this](bool on) {
        m_editor.setPreview(on);
        m_view->update();
    });
    connect(m_zoom, &QScrollBar::valueChanged, this, [this](int position) {
        if (position != m_editor.zoom()) {
            m_editor.setZoom(position);
            m_view->update();
        }
    });
}

void PictureDialog::syncControls() {
    const QSignalBlocker blockZoom(m_zoom);
    const QSignalBlocker blockPreview(m_preview);
    m_zoom->setValue(m_editor.zoom());
    m_zoom->setEnabled(m_editor.hasPicture());
    m_preview->setChecked(m_editor.preview());
    m_view->update();
}

void PictureDialog::browse() {
    const std::optional<QString> path = m_browse ? m_browse() : std::nullopt;
    if (!path) {
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const ImageLoad load = loadImageFile(*path, kMaxJpegReduction);
    QApplication::restoreOverrideCursor();
    if (!load.ok()) {
        MessageBoxes::current().show(this, loadFailureText(load.code), windowTitle(),
                                     MessageBoxes::Icon::Error);
        return;
    }
    m_editor.replace(load.picture);
    m_view->pictureChanged();
    syncControls();
}

void PictureDialog::accept() {
    m_result = m_editor.result();
    DialogBase::accept();
}

}  // namespace kontavo
