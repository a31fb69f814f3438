#include "card/contacteditdialog.h"

#include <QMenu>
#include <QVBoxLayout>

#include "card/addressformattable.h"
#include "card/collectintocontact.h"
#include "card/contactform.h"
#include "card/contacttemplate.h"
#include "card/fieldsmenu.h"
#include "diag/resources.h"
#include "ui/menubar.h"
#include "ui/messageboxes.h"
#include "ui/shellui.h"

namespace kontavo {

namespace {

constexpr const char* kNoteKeptText =
    "The note could not be saved. The note as it was before is kept.";

}  // namespace

ContactEditDialog::ContactEditDialog(const ContactRecord& contact, const ContactTemplate& tpl,
                                     FormServices services, QWidget* parent)
    : DialogBase(kDialogId, true, parent),
      m_original(contact),
      m_result(contact),
      m_template(tpl),
      m_services(std::move(services)),
      m_form(new ContactForm(m_services, false, body())) {
    setWindowTitle(loadString(kCaptionString));
    auto* layout = new QVBoxLayout(body());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_form);
    if (ShellUi::current() == nullptr) {
        resize(m_services.screen.scaleX(ShellUi::kScreenWidth),
               m_services.screen.scaleY(ShellUi::kScreenHeight));
    }
    fill(contact);
}

ContactEditDialog::~ContactEditDialog() = default;

void ContactEditDialog::fill(const ContactRecord& contact) {
    m_form->removeAll();
    m_form->setNeedsLayout(true);
    for (const FormEntry& entry :
         ContactEditInPropMapper(m_services.context).build(contact, m_template)) {
        m_form->addBlock(entry);
    }
    m_form->setNeedsLayout(false);
}

bool ContactEditDialog::onInitDialog() {
    if (MenuBar* bar = createMenuBar(kMenuId)) {
        bar->enableItem(kCmdEditTemplate, bool(m_editTemplate));
        if (QMenu* fields = bar->popupOf(0)) {
            connect(fields, &QMenu::aboutToShow, this, &ContactEditDialog::markFieldsMenu);
        }
    }
    // A new contact starts with editing in the first block.
    if (m_original.oid == 0) {
        m_form->scrollTo(0);
    }
    return true;
}

void ContactEditDialog::markFieldsMenu() {
    MenuBar* bar = menuBar();
    if (bar == nullptr) {
        return;
    }
    const QList<FormEntry>& blocks = m_form->blocks();
    const int name = m_form->findBlock(kGroupName);
    for (const int part : fieldsmenu::kNameParts) {
        bar->checkItem(fieldsmenu::itemOfNamePart(part),
                       name >= 0 && !blocks[name].name.hidden[size_t(part)]);
    }
    for (int type = kGroupPhone; type < kTemplateGroupCount; ++type) {
        bar->checkItem(fieldsmenu::itemOfGroup(type), m_form->findBlock(type) >= 0);
    }
}

void ContactEditDialog::fieldsCommand(int id) {
    if (const std::optional<int> part = fieldsmenu::namePartOf(id)) {
        const int name = m_form->findBlock(kGroupName);
        if (name >= 0) {
            m_form->setNameLineHidden(*part, !m_form->blocks()[name].name.hidden[size_t(*part)]);
        }
    } else if (const std::optional<int> type = fieldsmenu::groupOf(id)) {
        showGroup(*type);
    }
}

// An existing block is scrolled to; a missing one comes from the default
// template, after the last block of a lower type.
void ContactEditDialog::showGroup(int type) {
    int block = m_form->findBlock(type);
    if (block < 0) {
        ContactTemplate defaults(m_services.context.addressFormats->defaultIndex());
        defaults.setDefaults();
        defaults.setGroupShown(type, true);
        FormEntry entry = ContactEditInPropMapper(m_services.context).emptyBlock(defaults, type);
        if (entry.rows.isEmpty()) {
            entry.rows.append(FormRow());
        }
        const QList<FormEntry>& blocks = m_form->collect();
        int position = 0;
        for (qsizetype i = 0; i < blocks.size(); ++i) {
            if (blocks[i].type < type) {
                position = int(i) + 1;
            }
        }
        m_form->addBlock(entry, position);
        block = position;
    }
    m_form->scrollTo(block);
}

// The contact as the form holds it; an edited note that cannot be written
// leaves the note as it was, and the user is told.
ContactRecord ContactEditDialog::collectContact() {
    ContactRecord contact = collectIntoContact(m_form->collect(), m_original);
    if (m_form->noteKept()) {
        MessageBoxes::current().show(this, QString::fromLatin1(kNoteKeptText), windowTitle(),
                                     MessageBoxes::Icon::Warning);
    }
    return contact;
}

void ContactEditDialog::rebuild() {
    fill(collectContact());
}

void ContactEditDialog::finish() {
    ContactRecord edited = collectContact();
    const bool changed = !edited.sameContent(m_original);
    if (changed && m_save && !m_save(edited)) {
        return;
    }
    m_result = std::move(edited);
    m_changed = changed;
    accept();
}

void ContactEditDialog::onCommand(int, int id, QObject*) {
    switch (id) {
        case kCmdOk:
        case 1:  // OK in the title bar
            finish();
            return;
        case kCmdCancel:
            reject();
            return;
        case kCmdEditTemplate:
            if (m_editTemplate && m_editTemplate()) {
                rebuild();
            }
            return;
        default:
            fieldsCommand(id);
    }
}

}  // namespace kontavo
