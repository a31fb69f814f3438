#pragma once

#include <functional>

#include "card/contacteditinpropmapper.h"
#include "card/formservices.h"
#include "store/record/contactrecord.h"
#include "ui/dialogbase.h"

namespace kontavo {

class ContactForm;
class ContactTemplate;

// The contact edit window: a full-screen dialog with the edit form of one
// contact and the menu bar "Fields" / "Tools" (menu 216). It works on a copy:
// OK (Tools, or the title bar's OK) collects the form into the contact
// (collectIntoContact); a changed contact goes to the saver, and the window
// ends with Accepted once it is written. When the saver fails the window
// stays open with everything entered, so nothing typed is lost. Without a
// saver the window ends at once and isChanged() tells the caller whether to
// write editedContact(). Cancel ends with Rejected and changes nothing.
// When the edited note cannot be written, the contact keeps its old note
// and a message box says so.
//
// "Fields": the name items show or hide that name line in this form only;
// a group item scrolls to the group's block, or makes the block from the
// default template (no values) after the last block of a lower type. The
// check marks are set when the menu opens. "Edit Contact Template..." runs
// `editTemplate` (disabled while it is missing); when that returns true the
// template changed and the form is built anew from it, keeping the values
// entered so far and the picture. UI thread only.
class ContactEditDialog final : public DialogBase {
    Q_OBJECT
public:
    static constexpr int kDialogId = 216;
    static constexpr int kMenuId = 216;
    static constexpr int kCmdEditTemplate = 41147;
    static constexpr int kCmdOk = 40130;
    static constexpr int kCmdCancel = 40131;
    static constexpr int kCaptionString = 42409;  // "Edit Contact"

    // `tpl` is the program's template; it must outlive the dialog.
    ContactEditDialog(const ContactRecord& contact, const ContactTemplate& tpl,
                      FormServices services, QWidget* parent = nullptr);
    ~ContactEditDialog() override;

    void setEditTemplate(std::function<bool()> editTemplate) {
        m_editTemplate = std::move(editTemplate);
    }
    // Writes the edited contact on OK (it may set its Oid); false when it
    // could not, after telling the user why.
    using Saver = std::function<bool(ContactRecord&)>;
    void setSaver(Saver save) { m_save = std::move(save); }

    ContactForm* form() const { return m_form; }
    // After OK: the contact as edited, and whether it differs from the one
    // the dialog was opened with.
    const ContactRecord& editedContact() const { return m_result; }
    bool isChanged() const { return m_changed; }

    // The Fields menu's items and their check marks (as when it opens).
    void fieldsCommand(int id);
    void markFieldsMenu();
    // Builds the form anew from the template, keeping the values entered.
    void rebuild();

protected:
    bool onInitDialog() override;
    void onCommand(int notificationCode, int id, QObject* control) override;

private:
    void fill(const ContactRecord& contact);
    void showGroup(int type);
    void finish();
    ContactRecord collectContact();

    ContactRecord m_original;
    ContactRecord m_result;
    const ContactTemplate& m_template;
    FormServices m_services;
    FormContext m_context;
    ContactForm* m_form;
    std::function<bool()> m_editTemplate;
    Saver m_save;
    bool m_changed = false;
};

}  // namespace kontavo
