#include "comm/optiondlg.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "comm/abcbaroptions.h"
#include "comm/apabcbardlg.h"
#include "comm/callerid.h"
#include "comm/dialmethod.h"
#include "comm/fontchooser.h"
#include "comm/phoneformatsdialog.h"
#include "comm/todayplugin.h"
#include "diag/resources.h"
#include "platform/devicefs.h"
#include "platform/screen.h"
#include "store/settings/settingsstore.h"
#include "ui/popupmenu.h"
#include "ui/sharedfonts.h"

namespace kontavo {

namespace {

constexpr int kChangeString = 120;
constexpr int kEditString = 132;
constexpr int kOkString = 105;
constexpr int kCancelString = 106;

QFrame* separator(QWidget* parent) {
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Plain);
    return line;
}

}  // namespace

OptionDlg::OptionDlg(OptionDlgServices services, const ListFont& font,
                     const PhoneTemplateSet& templates, QWidget* parent)
    : DialogBase(kTemplateId, true, parent),
      m_services(std::move(services)),
      m_font(font),
      m_templates(templates) {
    setWindowTitle(QStringLiteral("Options"));
}

OptionDlg::~OptionDlg() = default;

// Opening: the font preview, the language, the dial methods, the Today
// plug-in's state, the caller-ID companion (enabled only when available,
// its state recorded), the formatting switch as stored.
bool OptionDlg::onInitDialog() {
    SettingsStore& settings = *m_services.settings;
    buildControls();
    showFontPreview();
    m_language->setText(AbcBarOptions::languageLabel(settings, *m_services.locale));
    m_dialMethods = std::make_unique<DialMethodChoices>(m_services.device->isPhoneDevice(),
                                                        m_services.dialerText,
                                                        settings.get(settings::kDialupMode));
    // A stored method no longer offered gives way to the first, "None".
    setCurrentDialupMode(m_dialMethods->currentValue());
    m_dialMethod->setText(m_dialMethods->currentLabel());
    m_todayWasRegistered = m_services.today != nullptr && m_services.today->isRegistered() != 0;
    m_todayChecked = m_todayWasRegistered;
    m_today->setChecked(m_todayChecked);
    m_callerId->setEnabled(m_services.callerId != nullptr && m_services.callerId->isAvailable());
    m_formatting->setChecked(settings.get(settings::kIsActiveTemplate) != 0);
    m_templates.setActiveTemplate(m_formatting->isChecked());
    m_callerId->setChecked(m_services.callerId != nullptr && m_services.callerId->recordState());
    layOut();
    createMenuBar(0);
    return true;
}

QPushButton* OptionDlg::addButton(const QString& text, int id) {
    auto* button = new QPushButton(text, body());
    button->setObjectName(QString::number(id));
    button->setAutoDefault(false);
    return button;
}

QCheckBox* OptionDlg::addCheck(const QString& text, int id) {
    auto* box = new QCheckBox(text, body());
    box->setObjectName(QString::number(id));
    return box;
}

void OptionDlg::buildControls() {
    m_language = new QLabel(body());
    m_language->setObjectName(QString::number(kLanguageId));
    m_preview = new QLabel(body());
    m_preview->setObjectName(QString::number(kFontPreviewId));
    m_formatting = addCheck(QStringLiteral("Show formatted phone number"), kFormattingId);
    m_callerId = addCheck(QStringLiteral("Enable caller ID"), kCallerIdId);
    m_today = addCheck(QStringLiteral("Enable plugin"), kTodayId);
    m_dialMethod = addButton(QString(), kDialMethodId);
    m_dialMethod->setFlat(true);
    m_dialMethod->setStyleSheet(QStringLiteral("text-align: left; border: 1px solid gray;"));
    connect(addButton(loadString(kChangeString), kAbcChangeId), &QPushButton::clicked, this,
            &OptionDlg::onAbcChange);
    connect(addButton(loadString(kChangeString), kFontChangeId), &QPushButton::clicked, this,
            &OptionDlg::onFontChange);
    connect(addButton(loadString(kEditString), kFormatsEditId), &QPushButton::clicked, this,
            &OptionDlg::onFormatsEdit);
    connect(addButton(loadString(kOkString), kOkId), &QPushButton::clicked, this, &OptionDlg::onOk);
    connect(addButton(loadString(kCancelString), kCancelId), &QPushButton::clicked, this,
            &OptionDlg::reject);
    connect(m_dialMethod, &QPushButton::clicked, this, &OptionDlg::onDialMethod);
    connect(m_formatting, &QCheckBox::clicked, this, &OptionDlg::onFormatting);
    connect(m_today, &QCheckBox::clicked, this, [this](bool on) { m_todayChecked = on; });
}

// Sections top to bottom, each a bold title over a line; the buttons keep
// to the right edge at any width, the labels take the rest.
void OptionDlg::layOut() {
    const Screen& screen = Screen::current();
    auto* grid = new QGridLayout(body());
    grid->setContentsMargins(screen.scaleX(4), screen.scaleY(2), screen.scaleX(4),
                             screen.scaleY(2));
    grid->setHorizontalSpacing(screen.scaleX(4));
    grid->setVerticalSpacing(screen.scaleY(2));
    int row = 0;
    const auto section = [&](const QString& title) {
        auto* label = new QLabel(title, body());
        label->setFont(SharedFonts::current().bold);
        grid->addWidget(label, row++, 0, 1, 2);
        grid->addWidget(separator(body()), row++, 0, 1, 2);
    };
    const auto line = [&](QWidget* left, int buttonId) {
        grid->addWidget(left, row, 0);
        if (buttonId != 0) {
            grid->addWidget(body()->findChild<QPushButton*>(QString::number(buttonId)), row, 1);
        }
        ++row;
    };
    section(QStringLiteral("ABC bar language"));
    line(m_language, kAbcChangeId);
    section(QStringLiteral("Font"));
    line(m_preview, kFontChangeId);
    section(QStringLiteral("Phone number format"));
    // The switch takes the whole width (its text is long at 240 pixels).
    grid->addWidget(m_formatting, row++, 0, 1, 2);
    line(new QWidget(body()), kFormatsEditId);
    section(QStringLiteral("Dial method"));
    grid->addWidget(m_dialMethod, row++, 0, 1, 2);
    section(QStringLiteral("Caller ID"));
    line(m_callerId, 0);
    section(QStringLiteral("Today plugin"));
    line(m_today, 0);
    grid->setRowStretch(row++, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(body()->findChild<QPushButton*>(QString::number(kOkId)));
    buttons->addWidget(body()->findChild<QPushButton*>(QString::number(kCancelId)));
    grid->addLayout(buttons, row, 0, 1, 2);
    grid->setColumnStretch(0, 1);
    body()->setStyleSheet(QStringLiteral("QCheckBox::indicator { width: %1px; height: %1px; }")
                              .arg(screen.scaleX(13)));
    for (QWidget* child : body()->findChildren<QWidget*>()) {
        if (child != m_preview && child->font().weight() != QFont::Bold) {
            child->setFont(SharedFonts::current().normal);
        }
    }
}

// "%s %d pt", drawn in the font itself.
void OptionDlg::showFontPreview() {
    m_preview->setText(m_font.previewText(Screen::current().dpiY()));
    m_preview->setFont(m_font.font());
}

void OptionDlg::onFontChange() {
    const int dpiY = Screen::current().dpiY();
    FontChooser chooser(m_font.choice(dpiY), dpiY, this);
    if (chooser.doModal() != FontChooser::kOk) {
        return;
    }
    m_font.apply(chooser.choice(), dpiY);
    showFontPreview();
}

void OptionDlg::onAbcChange() {
    ApABCBarDlg page(*m_services.settings, *m_services.locale, this);
    if (page.doModal() != ApABCBarDlg::kOk) {
        return;
    }
    m_language->setText(AbcBarOptions::languageLabel(*m_services.settings, *m_services.locale));
    m_abcChanged = true;
}

void OptionDlg::onFormatsEdit() {
    PhoneFormatsDialog formats(*m_services.settings, this);
    if (formats.doModal() != PhoneFormatsDialog::kOk) {
        return;
    }
    m_templates.setTemplates(formats.editor().templates());
    m_templates.setIgnorePhoneFormat(formats.editor().ignoreDashes());
}

// The list opens below the field, right-aligned to it, the current method
// marked; a new choice is stored at once.
void OptionDlg::onDialMethod() {
    PopupMenu menu(this);
    QList<QAction*> actions;
    for (const DialMethodChoices::Choice& choice : m_dialMethods->choices()) {
        QAction* action = menu.addAction(choice.label);
        action->setCheckable(true);
        action->setChecked(actions.size() == m_dialMethods->currentIndex());
        actions.append(action);
    }
    menu.setFont(SharedFonts::current().normal);
    const QPoint corner = m_dialMethod->mapToGlobal(m_dialMethod->rect().bottomRight());
    QAction* chosen = menu.exec(QPoint(corner.x() - menu.sizeHint().width() + 1, corner.y() + 1));
    if (!m_dialMethods->choose(int(actions.indexOf(chosen)))) {
        return;
    }
    setCurrentDialupMode(m_dialMethods->currentValue());
    m_services.settings->set(settings::kDialupMode, m_dialMethods->currentValue());
    m_dialMethod->setText(m_dialMethods->currentLabel());
}

void OptionDlg::onFormatting(bool on) {
    m_templates.setActiveTemplate(on);
    m_services.settings->set(settings::kIsActiveTemplate, on ? 1 : 0);
}

void OptionDlg::onOk() {
    SettingsStore& settings = *m_services.settings;
    const int32_t method = m_dialMethods->currentValue();
    if (method > 0) {
        settings.set(settings::kDialupMode, method);
        setCurrentDialupMode(method);
    }
    settings.set(settings::kIsActiveTemplate, m_templates.isActiveTemplate() ? 1 : 0);
    m_todayChecked = m_today->isChecked();
    if (m_services.callerId != nullptr) {
        switch (m_services.callerId->apply(m_callerId->isChecked(), this)) {
            case CallerIdCompanion::Outcome::Started:
                m_callerId->setChecked(true);
                break;
            case CallerIdCompanion::Outcome::Stopped:
                m_callerId->setChecked(false);
                break;
            default:
                break;
        }
    }
    done(kOk);
}

void OptionDlg::reject() {
    done(kCancel);
}

}  // namespace kontavo
