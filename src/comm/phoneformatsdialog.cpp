#include "comm/phoneformatsdialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "comm/phonetemplateset.h"
#include "diag/resources.h"
#include "platform/screen.h"
#include "store/settings/settingsstore.h"
#include "ui/sharedfonts.h"

namespace kontavo {

namespace {

constexpr int kAddString = 107;
constexpr int kDeleteString = 108;
constexpr int kUpString = 41265;
constexpr int kDownString = 41266;
constexpr int kDefaultString = 111;
constexpr int kOkString = 105;
constexpr int kCancelString = 106;

QString controlName(int id) {
    return QString::number(id);
}

}  // namespace

PhoneFormatsDialog::PhoneFormatsDialog(SettingsStore& settings, QWidget* parent)
    : DialogBase(kTemplateId, true, parent),
      m_settings(settings),
      m_editor(PhoneFormatsEditor::load(settings)) {
    setWindowTitle(loadString(kTitleString));
}

bool PhoneFormatsDialog::onInitDialog() {
    buildControls();
    connectControls();
    refreshList();
    refreshExample();
    createMenuBar(0);
    return true;
}

QPushButton* PhoneFormatsDialog::addButton(int stringId, void (PhoneFormatsDialog::*slot)()) {
    auto* button = new QPushButton(loadString(stringId), body());
    button->setObjectName(controlName(stringId));
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, slot);
    return button;
}

void PhoneFormatsDialog::buildControls() {
    auto* title = new QLabel(loadString(kTitleString), body());
    title->setFont(SharedFonts::current().bold);
    m_list = new QListWidget(body());
    m_list->setObjectName(controlName(kListId));
    m_edit = new QLineEdit(body());
    m_edit->setObjectName(controlName(kEditId));
    m_edit->setMaxLength(PhoneTemplateSet::kMaxTemplateLength);
    auto* exampleLabel = new QLabel(QStringLiteral("Example:"), body());
    exampleLabel->setObjectName(controlName(kExampleLabelId));
    m_example = new QLabel(body());
    m_example->setObjectName(controlName(kExampleId));
    m_ignore = new QCheckBox(QStringLiteral("Ignore existing \"-\" symbols"), body());
    m_ignore->setObjectName(controlName(kIgnoreId));
    m_ignore->setChecked(m_editor.ignoreDashes());
    m_add = addButton(kAddString, &PhoneFormatsDialog::onAdd);
    m_delete = addButton(kDeleteString, &PhoneFormatsDialog::onDelete);
    m_up = addButton(kUpString, &PhoneFormatsDialog::onUp);
    m_down = addButton(kDownString, &PhoneFormatsDialog::onDown);
    m_default = addButton(kDefaultString, &PhoneFormatsDialog::onDefault);
    m_ok = addButton(kOkString, &PhoneFormatsDialog::onOk);
    m_cancel = addButton(kCancelString, &PhoneFormatsDialog::reject);

    // Laid out to keep working above the input panel: the list takes what
    // the other rows leave.
    const Screen& screen = Screen::current();
    auto* grid = new QGridLayout(body());
    grid->setContentsMargins(screen.scaleX(4), screen.scaleY(2), screen.scaleX(4),
                             screen.scaleY(2));
    grid->setHorizontalSpacing(screen.scaleX(4));
    grid->setVerticalSpacing(screen.scaleY(2));
    auto* side = new QVBoxLayout;
    side->setSpacing(screen.scaleY(2));
    side->addWidget(m_up);
    side->addWidget(m_down);
    side->addStretch(1);
    auto* example = new QHBoxLayout;
    example->setSpacing(screen.scaleX(4));
    example->addWidget(exampleLabel);
    example->addWidget(m_example, 1);
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(screen.scaleX(3));
    buttons->addWidget(m_delete);
    buttons->addWidget(m_default);
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    int row = 0;
    grid->addWidget(title, row++, 0, 1, 2);
    grid->addWidget(m_list, row, 0);
    grid->addLayout(side, row++, 1);
    grid->addWidget(m_edit, row, 0);
    grid->addWidget(m_add, row++, 1);
    grid->addLayout(example, row++, 0, 1, 2);
    grid->addWidget(m_ignore, row++, 0, 1, 2);
    grid->addLayout(buttons, row++, 0, 1, 2);
    grid->setRowStretch(1, 1);
    m_list->setMinimumHeight(0);
    // The check marks grow with the screen like the text beside them.
    body()->setStyleSheet(QStringLiteral("QCheckBox::indicator { width: %1px; height: %1px; }")
                              .arg(screen.scaleX(13)));
    m_edit->setFocus();
    for (QWidget* child : body()->findChildren<QWidget*>()) {
        if (child != title) {
            child->setFont(SharedFonts::current().normal);
        }
    }
}

void PhoneFormatsDialog::connectControls() {
    connect(m_list, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row == m_editor.selected()) {
            return;
        }
        m_editor.select(row);
        m_edit->setText(m_editor.editText());
        refreshExample();
    });
    connect(m_edit, &QLineEdit::textEdited, this, [this](const QString& text) {
        m_editor.setEditText(text);
        refreshExample();
    });
    connect(m_ignore, &QCheckBox::toggled, this, [this](bool on) { m_editor.setIgnoreDashes(on); });
}

void PhoneFormatsDialog::refreshList() {
    const QSignalBlocker block(m_list);
    m_list->clear();
    m_list->addItems(m_editor.templates());
    m_list->setCurrentRow(m_editor.selected());
    if (m_editor.selected() >= 0) {
        m_list->scrollToItem(m_list->currentItem());
    }
}

void PhoneFormatsDialog::refreshExample() {
    m_example->setText(m_editor.example());
}

// After a change of the list the edit field shows the editor's text.
void PhoneFormatsDialog::onAdd() {
    if (m_editor.add()) {
        refreshList();
        refreshExample();
    }
}

void PhoneFormatsDialog::onDelete() {
    if (m_editor.remove()) {
        refreshList();
        m_edit->setText(m_editor.editText());
        refreshExample();
    }
}

void PhoneFormatsDialog::onUp() {
    if (m_editor.moveUp()) {
        refreshList();
    }
}

void PhoneFormatsDialog::onDown() {
    if (m_editor.moveDown()) {
        refreshList();
    }
}

void PhoneFormatsDialog::onDefault() {
    m_editor.resetToDefault();
    refreshList();
    m_edit->setText(m_editor.editText());
    refreshExample();
}

void PhoneFormatsDialog::onOk() {
    m_editor.save(m_settings);
    done(kOk);
}

void PhoneFormatsDialog::reject() {
    done(kCancel);
}

}  // namespace kontavo
