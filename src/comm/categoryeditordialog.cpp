#include "comm/categoryeditordialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "diag/resources.h"
#include "platform/screen.h"
#include "store/contacts/categorynamerule.h"
#include "ui/messageboxes.h"
#include "ui/sharedfonts.h"

namespace kontavo {

namespace {

constexpr int kOkString = 105;
constexpr int kCancelString = 106;
constexpr int kBrowseString = 110;
constexpr int kClearString = 40205;

}  // namespace

CategoryEditorDialog::CategoryEditorDialog(Mode mode, const QString& name, const QString& ringtone,
                                           SoundChooser chooseSound, QWidget* parent)
    : DialogBase(kTemplateId, true, parent),
      m_mode(mode),
      m_initialName(name),
      m_initialRingtone(ringtone),
      m_chooseSound(std::move(chooseSound)) {
    setWindowTitle(loadString(kTitleString));
}

bool CategoryEditorDialog::onInitDialog() {
    buildControls();
    createMenuBar(0);
    return true;
}

QPushButton* CategoryEditorDialog::addButton(int stringId) {
    auto* button = new QPushButton(loadString(stringId), body());
    button->setObjectName(QString::number(stringId));
    button->setAutoDefault(false);
    return button;
}

void CategoryEditorDialog::buildControls() {
    auto* title = new QLabel(loadString(kTitleString), body());
    title->setFont(SharedFonts::current().bold);
    auto* nameLabel = new QLabel(QStringLiteral("Name:"), body());
    m_name = new QLineEdit(m_initialName, body());
    m_name->setObjectName(QStringLiteral("name"));
    m_name->setReadOnly(m_mode == Mode::Ringtone);
    auto* ringtoneLabel = new QLabel(QStringLiteral("Ringtone"), body());
    m_ringtone = new QLineEdit(m_initialRingtone, body());
    m_ringtone->setObjectName(QStringLiteral("ringtone"));
    QPushButton* clear = addButton(kClearString);
    QPushButton* browse = addButton(kBrowseString);
    browse->setEnabled(bool(m_chooseSound));
    QPushButton* ok = addButton(kOkString);
    QPushButton* cancel = addButton(kCancelString);
    connect(clear, &QPushButton::clicked, m_ringtone, &QLineEdit::clear);
    connect(browse, &QPushButton::clicked, this, [this] {
        if (const auto chosen = m_chooseSound(m_ringtone->text(), this)) {
            m_ringtone->setText(*chosen);
        }
    });
    connect(ok, &QPushButton::clicked, this, &CategoryEditorDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &CategoryEditorDialog::reject);

    const Screen& screen = Screen::current();
    auto* grid = new QGridLayout(body());
    grid->setContentsMargins(screen.scaleX(4), screen.scaleY(4), screen.scaleX(4),
                             screen.scaleY(4));
    grid->setHorizontalSpacing(screen.scaleX(4));
    grid->setVerticalSpacing(screen.scaleY(3));
    grid->addWidget(title, 0, 0, 1, 3);
    grid->addWidget(nameLabel, 1, 0, 1, 3);
    grid->addWidget(m_name, 2, 0, 1, 3);
    grid->addWidget(ringtoneLabel, 3, 0, 1, 3);
    grid->addWidget(m_ringtone, 4, 0, 1, 3);
    grid->addWidget(clear, 5, 1);
    grid->addWidget(browse, 5, 2);
    grid->setRowStretch(6, 1);
    grid->addWidget(ok, 7, 1);
    grid->addWidget(cancel, 7, 2);
    grid->setColumnStretch(0, 1);
    for (QWidget* child : body()->findChildren<QWidget*>()) {
        if (child != title) {
            child->setFont(SharedFonts::current().normal);
        }
    }
    if (m_mode == Mode::NewCategory) {
        m_name->setFocus();
        m_name->selectAll();
    } else {
        m_ringtone->setFocus();
    }
}

QString CategoryEditorDialog::name() const {
    return m_name != nullptr ? m_name->text() : m_initialName;
}

QString CategoryEditorDialog::ringtone() const {
    return m_ringtone != nullptr ? m_ringtone->text() : m_initialRingtone;
}

void CategoryEditorDialog::accept() {
    if (m_mode == Mode::NewCategory) {
        if (const auto problem = checkCategoryName(name())) {
            MessageBoxes::current().show(this, problem->message, problem->caption,
                                         MessageBoxes::Icon::Warning);
            m_name->setFocus();
            return;
        }
    }
    done(1);
}

void CategoryEditorDialog::reject() {
    done(2);
}

}  // namespace kontavo
