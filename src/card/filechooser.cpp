#include "card/filechooser.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "card/picturepreviewloader.h"
#include "card/previewtext.h"
#include "diag/resources.h"
#include "platform/devicefs.h"
#include "platform/screen.h"
#include "platform/sound.h"
#include "store/pictures/imagefile.h"
#include "store/settings/settingsstore.h"
#include "ui/pictureimage.h"
#include "ui/sharedfonts.h"

namespace kontavo {

namespace {

constexpr int kOkString = 105;
constexpr int kCancelString = 106;
// The preview area, at 96 dpi.
constexpr int kPreviewWidth = 120;
constexpr int kPreviewHeight = 90;

const settings::StringValue& lastFolderValue(FileChooser::Kind kind) {
    return kind == FileChooser::Kind::Picture ? settings::kLastPicPath : settings::kLastSoundPath;
}

}  // namespace

std::optional<QString> FileChooser::choosePicture(QWidget* parent, const DeviceFs& fs,
                                                  SettingsStore& settings) {
    FileChooser chooser(Kind::Picture, fs, settings, nullptr, parent);
    if (chooser.doModal() != QDialog::Accepted) {
        return std::nullopt;
    }
    return chooser.chosen();
}

std::optional<QString> FileChooser::chooseSound(QWidget* parent, const DeviceFs& fs,
                                                SettingsStore& settings, Sound* sound) {
    FileChooser chooser(Kind::Sound, fs, settings, sound, parent);
    if (chooser.doModal() != QDialog::Accepted) {
        return std::nullopt;
    }
    return chooser.chosen();
}

QString FileChooser::caption(Kind kind) {
    return kind == Kind::Picture ? QStringLiteral("Select a picture...")
                                 : QStringLiteral("Select a sound...");
}

// Every extension the picture decoders read is offered (".gif" and ".jpe"
// included, each once).
QString FileChooser::filterText(Kind kind) {
    if (kind == Kind::Picture) {
        return QStringLiteral("Файлы картинок|") + pictureExtensions().join(QLatin1Char(';')) +
               QLatin1Char('|');
    }
    return QStringLiteral("Файлы мелодий|.wav;.mp3;.wma;.mid;.rmi|");
}

FileChooser::FileChooser(Kind kind, const DeviceFs& fs, SettingsStore& settings, Sound* sound,
                         QWidget* parent)
    : DialogBase(kTemplateId, true, parent),
      m_kind(kind),
      m_fs(fs),
      m_settings(settings),
      m_sound(sound),
      m_model(fs, FileFilter::parse(filterText(kind))) {
    setWindowTitle(caption(kind));
    m_model.setFolder(settings.get(lastFolderValue(kind)).left(FileChooserModel::kMaxPath));
    if (kind == Kind::Picture) {
        m_loader = std::make_unique<PicturePreviewLoader>([this](int request, const QString&,
                                                                 const ImageLoad& load) {
            QMetaObject::invokeMethod(
                this, [this, request, load] { onPreview(request, load); }, Qt::QueuedConnection);
        });
    }
}

FileChooser::~FileChooser() {
    m_loader.reset();  // stops the worker before the widgets go
    if (m_sound != nullptr) {
        m_sound->stop();
    }
}

bool FileChooser::onInitDialog() {
    buildControls();
    refresh();
    createMenuBar(0);
    return true;
}

void FileChooser::buildControls() {
    const Screen& screen = Screen::current();
    auto* title = new QLabel(caption(m_kind), body());
    title->setFont(SharedFonts::current().bold);
    m_folders = new QComboBox(body());
    m_folders->setObjectName(QStringLiteral("folders"));
    m_files = new QListWidget(body());
    m_files->setObjectName(QStringLiteral("files"));
    m_filter = new QComboBox(body());
    m_filter->setObjectName(QStringLiteral("filter"));
    for (const FileFilter::Entry& entry : m_model.filter().entries()) {
        m_filter->addItem(entry.description);
    }
    m_info = new QLabel(body());
    m_info->setObjectName(QStringLiteral("info"));
    m_ok = new QPushButton(loadString(kOkString), body());
    m_ok->setObjectName(QStringLiteral("ok"));
    auto* cancel = new QPushButton(loadString(kCancelString), body());
    cancel->setObjectName(QStringLiteral("cancel"));
    for (QPushButton* button : {m_ok, cancel}) {
        button->setAutoDefault(false);
    }

    auto* grid = new QGridLayout(body());
    grid->setContentsMargins(screen.scaleX(4), screen.scaleY(2), screen.scaleX(4),
                             screen.scaleY(2));
    grid->setSpacing(screen.scaleY(2));
    int row = 0;
    grid->addWidget(title, row++, 0, 1, 2);
    grid->addWidget(m_folders, row++, 0, 1, 2);
    grid->addWidget(m_files, row++, 0, 1, 2);
    grid->setRowStretch(2, 1);
    grid->addWidget(m_filter, row++, 0, 1, 2);
    grid->addWidget(m_info, row++, 0, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(cancel);
    if (m_kind == Kind::Picture) {
        m_preview = new QLabel(body());
        m_preview->setObjectName(QStringLiteral("preview"));
        m_preview->setAlignment(Qt::AlignCenter);
        m_preview->setFixedSize(screen.scaleX(kPreviewWidth), screen.scaleY(kPreviewHeight));
        grid->addWidget(m_preview, row, 0);
        grid->addLayout(buttons, row++, 1, Qt::AlignBottom);
    } else {
        grid->addLayout(buttons, row++, 0, 1, 2);
    }
    m_info->setWordWrap(true);
    for (QWidget* child : body()->findChildren<QWidget*>()) {
        if (child != title) {
            child->setFont(SharedFonts::current().normal);
        }
    }

    connect(m_folders, &QComboBox::activated, this, [this](int index) {
        m_model.goToLine(index);
        refresh();
    });
    connect(m_filter, &QComboBox::activated, this, [this](int index) {
        m_model.setFilterIndex(index);
        refresh();
    });
    connect(m_files, &QListWidget::currentRowChanged, this, &FileChooser::onRowChanged);
    connect(m_files, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { onActivated(m_files->row(item)); });
    connect(m_ok, &QPushButton::clicked, this, &FileChooser::accept);
    connect(cancel, &QPushButton::clicked, this, &FileChooser::reject);
}

void FileChooser::refresh() {
    const QSignalBlocker blockFolders(m_folders);
    const QSignalBlocker blockFiles(m_files);
    m_folders->clear();
    m_folders->addItems(m_model.folderLines());
    m_folders->setCurrentIndex(m_folders->count() - 1);
    m_files->clear();
    for (const FileChooserModel::Entry& entry : m_model.entries()) {
        auto* item = new QListWidgetItem(
            entry.isFolder && !entry.isParent ? QStringLiteral("[%1]").arg(entry.name) : entry.name,
            m_files);
        item->setData(Qt::UserRole, entry.isFolder);
    }
    m_files->setCurrentRow(-1);
    onRowChanged(-1);
}

void FileChooser::onRowChanged(int row) {
    const bool file = m_model.isFile(row);
    m_ok->setEnabled(file);
    if (m_kind == Kind::Sound) {
        const QString path = file ? m_model.pathOf(row) : QString();
        m_info->setText(file ? m_model.entries()[row].name : QString());
        if (file && path != m_playing && m_sound != nullptr) {
            m_sound->stop();
            m_sound->playFileAsync(m_fs.hostPath(path).value_or(QString()));
        }
        m_playing = path;
        return;
    }
    m_preview->clear();
    if (!file) {
        m_loader->cancel();
        m_pending = 0;
        m_info->setText(previewtext::noSelection());
        return;
    }
    m_info->setText(previewtext::loading());
    m_pending = m_loader->request(m_fs.hostPath(m_model.pathOf(row)).value_or(QString()));
}

void FileChooser::onActivated(int row) {
    if (m_model.open(row)) {
        refresh();
    } else if (m_model.isFile(row)) {
        accept();
    }
}

void FileChooser::onPreview(int request, const ImageLoad& load) {
    if (request != m_pending) {
        return;  // an earlier selection's
    }
    m_pending = 0;
    m_info->setText(previewtext::result(load));
    if (load.ok()) {
        showPreview(pictureImage(*load.picture));
    }
}

void FileChooser::showPreview(const QImage& image) {
    const QSize size = fitPreview(image.size(), m_preview->size());
    m_preview->setPixmap(QPixmap::fromImage(
        size == image.size() ? image
                             : image.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

void FileChooser::remember() {
    m_settings.set(lastFolderValue(m_kind), m_model.folder());
}

void FileChooser::accept() {
    const int row = m_files->currentRow();
    if (!m_model.isFile(row)) {
        return;
    }
    m_chosen = m_model.pathOf(row);
    remember();
    DialogBase::accept();
}

void FileChooser::reject() {
    remember();
    DialogBase::reject();
}

}  // namespace kontavo
