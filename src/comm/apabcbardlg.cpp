#include "comm/apabcbardlg.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "diag/resources.h"
#include "platform/screen.h"
#include "ui/messageboxes.h"
#include "ui/sharedfonts.h"

namespace kontavo {

namespace {

constexpr int kOkString = 105;
constexpr int kCancelString = 106;

}  // namespace

ApABCBarDlg::ApABCBarDlg(SettingsStore& settings, const Locale& locale, QWidget* parent)
    : DialogBase(kTemplateId, true, parent), m_settings(settings), m_options(settings, locale) {
    setWindowTitle(QStringLiteral("ABC bar language"));
    m_customText = m_options.texts().value(0);
}

bool ApABCBarDlg::onInitDialog() {
    const Screen& screen = Screen::current();
    auto* title = new QLabel(QStringLiteral("ABC bar language"), body());
    title->setFont(SharedFonts::current().bold);
    m_list = new QListWidget(body());
    m_list->setObjectName(QString::number(kListId));
    m_list->addItems(m_options.names());
    m_text = new QLineEdit(body());
    m_text->setObjectName(QString::number(kTextId));
    auto* ok = new QPushButton(loadString(kOkString), body());
    ok->setObjectName(QString::number(kOkString));
    auto* cancel = new QPushButton(loadString(kCancelString), body());
    cancel->setObjectName(QString::number(kCancelString));
    connect(ok, &QPushButton::clicked, this, &ApABCBarDlg::onOk);
    connect(cancel, &QPushButton::clicked, this, &ApABCBarDlg::reject);
    connect(m_list, &QListWidget::currentRowChanged, this, &ApABCBarDlg::showSet);
    connect(m_text, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (m_options.isCustom(m_list->currentRow())) {
            m_customText = text;
        }
    });

    auto* column = new QVBoxLayout(body());
    column->setContentsMargins(screen.scaleX(4), screen.scaleY(4), screen.scaleX(4),
                               screen.scaleY(4));
    column->setSpacing(screen.scaleY(3));
    column->addWidget(title);
    column->addWidget(m_list, 1);
    column->addWidget(new QLabel(QStringLiteral("Letter groups:"), body()));
    column->addWidget(m_text);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    column->addLayout(buttons);
    for (QWidget* child : body()->findChildren<QWidget*>()) {
        if (child != title) {
            child->setFont(SharedFonts::current().normal);
        }
    }
    m_list->setCurrentRow(m_options.selected());
    showSet(m_options.selected());
    createMenuBar(0);
    return true;
}

// The custom text can be typed; a built-in set's text is shown as it is.
void ApABCBarDlg::showSet(int index) {
    const bool custom = m_options.isCustom(index);
    m_text->setReadOnly(!custom);
    m_text->setText(custom ? m_customText : m_options.texts().value(index));
    m_text->setCursorPosition(0);
}

void ApABCBarDlg::onOk() {
    const int index = m_list->currentRow();
    if (m_options.apply(m_settings, index, m_text->text()) == AbcBarOptions::Result::Stored) {
        done(kOk);
        return;
    }
    MessageBoxes::current().show(this, loadString(AbcBarOptions::kWrongFormatString),
                                 loadString(kTitleString), MessageBoxes::Icon::Warning);
    m_text->selectAll();
    m_text->setFocus();
}

void ApABCBarDlg::reject() {
    done(kCancel);
}

}  // namespace kontavo
