#pragma once

#include "comm/phoneformatseditor.h"
#include "ui/dialogbase.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace kontavo {

class SettingsStore;

// The "Phone number formats" dialog (dialog 250), full-screen: the template
// list (control 1032) with "Up" and "Down" beside it, the edit field (1033)
// with "Add", the example line ("Example:" 1037 and 1036), the check box
// "Ignore existing "-" symbols" (1043), and "Delete", "Default", "OK" and
// "Cancel" at the bottom. It edits a PhoneFormatsEditor; "OK" saves it and ends with 1,
// "Cancel" ends with 2 and writes nothing.
//
// The options page opens it ("Edit"); the formatting switch is the page's.
// UI thread only.
class PhoneFormatsDialog final : public DialogBase {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 250;
    static constexpr int kTitleString = 41264;
    static constexpr int kListId = 1032;
    static constexpr int kEditId = 1033;
    static constexpr int kExampleId = 1036;
    static constexpr int kExampleLabelId = 1037;
    static constexpr int kIgnoreId = 1043;

    // The results the dialog ends with.
    static constexpr int kOk = 1;
    static constexpr int kCancel = 2;

    PhoneFormatsDialog(SettingsStore& settings, QWidget* parent = nullptr);

    const PhoneFormatsEditor& editor() const { return m_editor; }

public slots:
    // "Cancel" and Esc.
    void reject() override;

protected:
    bool onInitDialog() override;

private:
    void buildControls();
    void connectControls();
    QPushButton* addButton(int stringId, void (PhoneFormatsDialog::*slot)());
    void refreshList();
    void refreshExample();
    void onAdd();
    void onDelete();
    void onUp();
    void onDown();
    void onDefault();
    void onOk();

    SettingsStore& m_settings;
    PhoneFormatsEditor m_editor;
    QListWidget* m_list = nullptr;
    QLineEdit* m_edit = nullptr;
    QLabel* m_example = nullptr;
    QCheckBox* m_ignore = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_delete = nullptr;
    QPushButton* m_up = nullptr;
    QPushButton* m_down = nullptr;
    QPushButton* m_default = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
};

}  // namespace kontavo
