#include "list/vcardfiledialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/screen.h"
#include "ui/sharedfonts.h"

namespace kontavo {

VCardFileDialog::VCardFileDialog(VCardFileChoice choice, const QString& caption,
                                 const QString& name, QWidget* parent)
    : QDialog(parent),
      m_choice(std::move(choice)),
      m_files(new QListWidget(this)),
      m_name(new QLineEdit(name, this)),
      m_ok(new QPushButton(QStringLiteral("OK"), this)) {
    setWindowTitle(caption);
    setObjectName(QStringLiteral("VCardFileDialog"));
    const Screen& screen = Screen::current();
    setFont(standardFont(screen));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(screen.scaleX(4), screen.scaleY(4), screen.scaleX(4),
                               screen.scaleY(4));
    layout->setSpacing(screen.scaleY(3));
    auto* title = new QLabel(caption, this);
    title->setFont(standardFont(screen, true));
    layout->addWidget(title);
    m_files->addItems(m_choice.files());
    layout->addWidget(m_files, 1);
    layout->addWidget(m_name);
    auto* buttons = new QHBoxLayout();
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    m_ok->setDefault(true);
    connect(m_files, &QListWidget::currentTextChanged, m_name, &QLineEdit::setText);
    connect(m_files, &QListWidget::itemActivated, this, [this] {
        if (m_ok->isEnabled()) {
            accept();
        }
    });
    connect(m_name, &QLineEdit::textChanged, this, &VCardFileDialog::updateOk);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    updateOk();
}

std::optional<QString> VCardFileDialog::chosenFile() const {
    return result() == QDialog::Accepted ? m_choice.resolve(m_name->text()) : std::nullopt;
}

void VCardFileDialog::updateOk() {
    m_ok->setEnabled(m_choice.resolve(m_name->text()).has_value());
}

void VCardFileDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // The program's screen, whatever the list holds.
    if (const QWidget* owner = parentWidget()) {
        const QWidget* window = owner->window();
        setGeometry({window->mapToGlobal(QPoint(0, 0)), window->size()});
    }
}

}  // namespace kontavo
