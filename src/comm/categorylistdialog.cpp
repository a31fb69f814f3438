#include "comm/categorylistdialog.h"

#include <QCheckBox>
#include <QFrame>
#include <QPushButton>
#include <QVBoxLayout>

#include "diag/resources.h"
#include "platform/devicefs.h"
#include "platform/screen.h"
#include "platform/sound.h"
#include "ui/messageboxes.h"
#include "ui/sharedfonts.h"
#include "ui/shellui.h"

namespace kontavo {

namespace {

constexpr int kOkString = 105;
constexpr int kCancelString = 106;

QFrame* separatorLine(QWidget* parent) {
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Plain);
    return line;
}

}  // namespace

CategoryListDialog::CategoryListDialog(const CategoryListServices& services, Mode mode,
                                       QList<Oid> ticked, QWidget* parent)
    : DialogBase(kTemplateId, true, parent),
      m_services(services),
      m_mode(mode),
      m_ringtones(*services.device, *services.settings, services.windows),
      m_model(*services.categories, m_ringtones, mode != Mode::Filter, std::move(ticked),
              services.device->isPhoneDevice()) {
    setWindowTitle(QStringLiteral("Categories"));
}

CategoryListDialog::~CategoryListDialog() {
    stopPreview();
}

bool CategoryListDialog::onInitDialog() {
    if (ShellUi* shell = ShellUi::current()) {
        shell->setSipUp(false);
    }
    buildControls();
    createMenuBar(kMenuId);
    m_model.fill();
    m_ringtones.load();
    showRows(0);
    return true;
}

void CategoryListDialog::buildControls() {
    const Screen& screen = Screen::current();
    m_list = new TrnApCheckList(body());
    m_list->setObjectName(QString::number(kListId));
    m_list->setFont(SharedFonts::current().normal);
    m_list->setSource(this);
    connect(m_list, &TrnApCheckList::clicked, this, &CategoryListDialog::tapped);
    connect(m_list, &TrnApCheckList::doubleClicked, this, &CategoryListDialog::doubleTapped);
    m_showAll = new QCheckBox(QStringLiteral("Show All Categories"), body());
    m_showAll->setObjectName(QString::number(kShowAllId));
    m_showAll->setFont(SharedFonts::current().normal);
    m_showAll->setVisible(!m_model.showAllMode());
    m_showAll->setStyleSheet(QStringLiteral("QCheckBox::indicator { width: %1px; height: %1px; }")
                                 .arg(screen.scaleX(13)));
    connect(m_showAll, &QCheckBox::toggled, this, [this](bool on) {
        stopPreview();
        m_model.setShowAll(on);
        showRows(0);
    });
    auto* ok = new QPushButton(loadString(kOkString), body());
    auto* cancel = new QPushButton(loadString(kCancelString), body());
    ok->setObjectName(QString::number(kOk));
    cancel->setObjectName(QString::number(kCancel));
    for (QPushButton* button : {ok, cancel}) {
        button->setAutoDefault(false);
        button->setFont(SharedFonts::current().normal);
    }
    connect(ok, &QPushButton::clicked, this, [this] {
        m_result = m_model.tickedOids();
        finish(kOk);
    });
    connect(cancel, &QPushButton::clicked, this, &CategoryListDialog::reject);

    // The list takes what the rows under it leave, also above the input panel.
    auto* column = new QVBoxLayout(body());
    column->setContentsMargins(screen.scaleX(4), screen.scaleY(4), screen.scaleX(4),
                               screen.scaleY(4));
    column->setSpacing(screen.scaleY(3));
    column->addWidget(m_list, 1);
    column->addWidget(m_showAll);
    column->addWidget(separatorLine(body()));
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(screen.scaleX(4));
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    column->addLayout(buttons);
    column->addWidget(separatorLine(body()));
    m_list->setMinimumHeight(0);
    m_list->setFocus();
}

void CategoryListDialog::onCommand(int, int id, QObject*) {
    switch (id) {
        case kCmdNew:
            newCategory();
            break;
        case kCmdDelete:
            deleteSelected();
            break;
        default:
            break;
    }
}

void CategoryListDialog::showRows(int select) {
    m_list->reload();
    m_list->setCurrentRow(select);
    m_list->viewport()->update();
}

void CategoryListDialog::stopPreview() {
    if (m_services.sound != nullptr) {
        m_services.sound->stop();
    }
}

void CategoryListDialog::tapped(int row, int column) {
    stopPreview();
    if (column == TrnApCheckList::kCheckColumn) {
        m_model.toggle(row);
        m_list->viewport()->update();
        return;
    }
    QString path;
    if (m_model.ringtoneState(row, &path) == CategoryRingtones::Present &&
        m_services.sound != nullptr) {
        m_services.sound->playFileAsync(m_services.device->hostPath(path).value_or(QString()));
    }
}

void CategoryListDialog::doubleTapped(int row, int column) {
    if (column == TrnApCheckList::kRingtoneColumn && m_model.isPhoneDevice()) {
        stopPreview();
        editRingtone(row);
    }
}

void CategoryListDialog::editRingtone(int row) {
    QString path;
    m_model.ringtoneState(row, &path);
    CategoryEditorDialog editor(CategoryEditorDialog::Mode::Ringtone, m_model.row(row).name, path,
                                m_services.chooseSound, this);
    m_editor = &editor;
    const int result = editor.doModal();
    m_editor = nullptr;
    if (result == kOk && m_model.changeRingtone(row, editor.ringtone())) {
        m_list->viewport()->update();
    }
    m_list->setFocus();
}

void CategoryListDialog::newCategory() {
    stopPreview();
    CategoryEditorDialog editor(CategoryEditorDialog::Mode::NewCategory, QString(), QString(),
                                m_services.chooseSound, this);
    m_editor = &editor;
    const int result = editor.doModal();
    m_editor = nullptr;
    if (result == kOk && !editor.name().isEmpty()) {
        if (const std::optional<int> row = m_model.addCategory(editor.name(), editor.ringtone())) {
            if (!m_model.showAllMode()) {
                const QSignalBlocker quiet(m_showAll);
                m_showAll->setChecked(true);
            }
            showRows(*row);
        }
    }
    m_list->setFocus();
}

void CategoryListDialog::deleteSelected() {
    stopPreview();
    const int row = m_list->currentRow();
    if (row >= 0) {
        const std::optional<int> next = m_model.deleteRow(row);
        showRows(next.value_or(std::min(row, m_model.rowCount() - 1)));
    }
    m_list->setFocus();
}

void CategoryListDialog::saveRingtones() {
    while (m_ringtones.save() == CategoryRingtones::SaveResult::Failed) {
        const bool retry = MessageBoxes::current().askYesNo(
            this,
            QStringLiteral("The category ringtones could not be saved. Try again?\n"
                           "(No closes the list without them.)"),
            QStringLiteral("Category ringtones"), MessageBoxes::Icon::Error);
        if (!retry) {
            return;
        }
    }
}

void CategoryListDialog::finish(int result) {
    stopPreview();
    saveRingtones();
    done(result);
}

void CategoryListDialog::reject() {
    finish(kCancel);
}

std::optional<QList<Oid>> runCategoryList(const CategoryListServices& services,
                                          CategoryListDialog::Mode mode, const QList<Oid>& ticked,
                                          QWidget* parent) {
    CategoryListDialog dialog(services, mode, ticked, parent);
    if (dialog.doModal() != CategoryListDialog::kOk) {
        return std::nullopt;
    }
    return dialog.result();
}

}  // namespace kontavo
