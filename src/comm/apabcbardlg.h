#pragma once

#include "comm/abcbaroptions.h"
#include "ui/dialogbase.h"

class QLineEdit;
class QListWidget;

namespace kontavo {

// The ABC bar options page: the letter sets by name (list 1009: "Custom",
// then the built-in sets, the one in use selected) and the letter-group text
// of the selected set (edit 1008; only the custom text can be typed). "OK"
// stores the choice (AbcBarOptions) and ends with 1; a custom text that
// yields no group is refused with "Wrong ABC bar custom string format  !"
// and the page stays open with the text selected. "Cancel" ends with 2 and
// stores nothing. UI thread only.
class ApABCBarDlg final : public DialogBase {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 171;
    static constexpr int kListId = 1009;
    static constexpr int kTextId = 1008;
    static constexpr int kTitleString = 101;
    static constexpr int kOk = 1;
    static constexpr int kCancel = 2;

    ApABCBarDlg(SettingsStore& settings, const Locale& locale, QWidget* parent = nullptr);

public slots:
    void reject() override;

protected:
    bool onInitDialog() override;

private:
    void showSet(int index);
    void onOk();

    SettingsStore& m_settings;
    AbcBarOptions m_options;
    QString m_customText;  // what was typed for the custom set
    QListWidget* m_list = nullptr;
    QLineEdit* m_text = nullptr;
};

}  // namespace kontavo
