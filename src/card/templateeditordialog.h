#pragma once

#include "card/contacttemplate.h"
#include "card/formservices.h"
#include "ui/dialogbase.h"

class QPushButton;

namespace kontavo {

class ContactForm;

// The template editor (`TemplateEditorDialog`): a full-screen dialog
// captioned "Template" with the menu bar "Fields" (menu 217), the form in
// template mode above the buttons "OK", "Cancel" and "Default". It edits a
// copy of the template given: the form is filled from the copy and
// collected back into it before every menu action and on OK. The Fields
// menu toggles name parts (the line shows or hides at once) and groups (the
// form is filled again, and a group now shown is scrolled to); its check
// marks are set when it opens. "Default" puts the copy back to the
// defaults. The SIP is lowered while the dialog is open and raised again
// when it closes if it was up before. After OK, edited() is the new
// template; the caller takes it over. UI thread only.
class TemplateEditorDialog final : public DialogBase {
    Q_OBJECT
public:
    static constexpr int kDialogId = 217;
    static constexpr int kMenuId = 217;
    static constexpr int kCaptionString = 42407;  // "Template"
    static constexpr int kOkString = 105;
    static constexpr int kCancelString = 106;
    static constexpr int kDefaultString = 111;

    TemplateEditorDialog(const ContactTemplate& tpl, FormServices services,
                         QWidget* parent = nullptr);
    ~TemplateEditorDialog() override;

    const ContactTemplate& edited() const { return m_copy; }
    ContactForm* form() const { return m_form; }
    QPushButton* okButton() const { return m_ok; }
    QPushButton* cancelButton() const { return m_cancel; }
    QPushButton* defaultButton() const { return m_default; }

    void fieldsCommand(int id);
    void markFieldsMenu();

    void done(int result) override;

protected:
    bool onInitDialog() override;
    void onCommand(int notificationCode, int id, QObject* control) override;

private:
    void fill();
    void collect();
    void setDefaults();

    ContactTemplate m_copy;
    FormServices m_services;
    ContactForm* m_form;
    QPushButton* m_ok;
    QPushButton* m_cancel;
    QPushButton* m_default;
    bool m_sipWasUp = false;
};

}  // namespace kontavo
