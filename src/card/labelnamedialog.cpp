#include "card/labelnamedialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "card/formblockrules.h"
#include "diag/resources.h"
#include "platform/screen.h"
#include "ui/sharedfonts.h"

namespace kontavo {

namespace {

constexpr int kWidth = 200;
constexpr int kOkString = 105;
constexpr int kCancelString = 106;
constexpr int kBracketString = 42408;  // A label cannot begin with "[".

}  // namespace

LabelNameDialog::LabelNameDialog(const QString& caption, const QString& text, const Screen& screen,
                                 QWidget* parent)
    : QDialog(parent),
      m_field(new QLineEdit(this)),
      m_note(new QLabel(loadString(kBracketString), this)),
      m_buttons(new QDialogButtonBox(this)) {
    setWindowTitle(caption);
    setFont(SharedFonts::current().normal);
    auto* layout = new QVBoxLayout(this);
    auto* title = new QLabel(caption, this);
    layout->addWidget(title);
    m_field->setMaxLength(formrules::kMaxLabelLength);
    m_field->setText(text);
    m_field->selectAll();
    layout->addWidget(m_field);
    m_note->setWordWrap(true);
    m_note->hide();
    layout->addWidget(m_note);
    m_buttons->addButton(loadString(kOkString), QDialogButtonBox::AcceptRole);
    m_buttons->addButton(loadString(kCancelString), QDialogButtonBox::RejectRole);
    layout->addWidget(m_buttons);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_field, &QLineEdit::textChanged, this, &LabelNameDialog::textChanged);
    setFixedWidth(screen.scaleX(kWidth));
    textChanged(text);
}

QString LabelNameDialog::text() const {
    return m_field->text();
}

void LabelNameDialog::textChanged(const QString& text) {
    m_note->setVisible(text.startsWith(QLatin1Char('[')));
    m_buttons->buttons().first()->setEnabled(formrules::isAcceptableLabel(text));
}

}  // namespace kontavo
