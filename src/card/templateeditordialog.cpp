#include "card/templateeditordialog.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

#include "card/addressformattable.h"
#include "card/collectintocontact.h"
#include "card/contacteditinpropmapper.h"
#include "card/contactform.h"
#include "card/fieldsmenu.h"
#include "diag/resources.h"
#include "ui/menubar.h"
#include "ui/shellui.h"

namespace kontavo {

namespace {

// The light grey line between the form and the buttons.
QFrame* rule(QWidget* parent) {
    auto* line = new QFrame(parent);
    line->setFixedHeight(1);
    line->setAutoFillBackground(true);
    QPalette palette = line->palette();
    palette.setColor(QPalette::Window, QColor(224, 224, 224));
    line->setPalette(palette);
    return line;
}

}  // namespace

TemplateEditorDialog::TemplateEditorDialog(const ContactTemplate& tpl, FormServices services,
                                           QWidget* parent)
    : DialogBase(kDialogId, true, parent),
      m_copy(services.context.addressFormats->defaultIndex()),
      m_services(std::move(services)),
      m_form(new ContactForm(m_services, true, body())),
      m_ok(new QPushButton(loadString(kOkString), body())),
      m_cancel(new QPushButton(loadString(kCancelString), body())),
      m_default(new QPushButton(loadString(kDefaultString), body())) {
    m_copy.copyFrom(tpl);
    setWindowTitle(loadString(kCaptionString));
    auto* layout = new QVBoxLayout(body());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_form, 1);
    layout->addWidget(rule(body()));
    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(2, 2, 2, 2);
    for (QPushButton* button : {m_ok, m_cancel, m_default}) {
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    layout->addLayout(buttons);
    if (ShellUi::current() == nullptr) {
        resize(m_services.screen.scaleX(ShellUi::kScreenWidth),
               m_services.screen.scaleY(ShellUi::kScreenHeight));
    }
    connect(m_ok, &QPushButton::clicked, this, [this] {
        collect();
        accept();
    });
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_default, &QPushButton::clicked, this, &TemplateEditorDialog::setDefaults);
    fill();
}

TemplateEditorDialog::~TemplateEditorDialog() = default;

bool TemplateEditorDialog::onInitDialog() {
    if (MenuBar* bar = createMenuBar(kMenuId)) {
        if (QMenu* fields = bar->popupOf(0)) {
            connect(fields, &QMenu::aboutToShow, this, &TemplateEditorDialog::markFieldsMenu);
        }
    }
    if (ShellUi* shell = ShellUi::current()) {
        m_sipWasUp = shell->isSipUp();
        shell->setSipUp(false);
    }
    return true;
}

void TemplateEditorDialog::done(int result) {
    if (ShellUi* shell = ShellUi::current(); shell != nullptr && m_sipWasUp) {
        shell->setSipUp(true);
    }
    m_sipWasUp = false;
    DialogBase::done(result);
}

void TemplateEditorDialog::fill() {
    m_form->removeAll();
    m_form->setNeedsLayout(true);
    for (const FormEntry& entry :
         ContactEditInPropMapper(m_services.context).buildTemplate(m_copy)) {
        m_form->addBlock(entry);
    }
    m_form->setNeedsLayout(false);
}

void TemplateEditorDialog::collect() {
    collectIntoTemplate(m_form->collect(), m_copy);
}

void TemplateEditorDialog::setDefaults() {
    m_copy.setDefaults();
    fill();
}

void TemplateEditorDialog::markFieldsMenu() {
    MenuBar* bar = menuBar();
    if (bar == nullptr) {
        return;
    }
    collect();
    for (const int part : fieldsmenu::kNameParts) {
        bar->checkItem(fieldsmenu::itemOfNamePart(part), m_copy.getNamePart(part));
    }
    for (int type = kGroupPhone; type < kTemplateGroupCount; ++type) {
        bar->checkItem(fieldsmenu::itemOfGroup(type), m_copy.isGroupShown(type));
    }
}

void TemplateEditorDialog::fieldsCommand(int id) {
    collect();
    if (const std::optional<int> part = fieldsmenu::namePartOf(id)) {
        const bool shown = !m_copy.getNamePart(*part);
        m_copy.setNamePart(*part, shown);
        m_form->setNameLineHidden(*part, !shown);
    } else if (const std::optional<int> type = fieldsmenu::groupOf(id)) {
        m_copy.setGroupShown(*type, !m_copy.isGroupShown(*type));
        fill();
        if (m_copy.isGroupShown(*type)) {
            m_form->scrollTo(m_form->findBlock(*type));
        }
    }
}

void TemplateEditorDialog::onCommand(int, int id, QObject*) {
    fieldsCommand(id);
}

}  // namespace kontavo
