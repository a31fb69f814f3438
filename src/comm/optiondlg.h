#pragma once

#include <memory>

#include "comm/dialmethodchoices.h"
#include "comm/listfont.h"
#include "comm/phonetemplateset.h"
#include "ui/dialogbase.h"

class QCheckBox;
class QLabel;
class QPushButton;

namespace kontavo {

class CallerIdCompanion;
class DeviceFs;
class Locale;
class SettingsStore;
class TodayPlugin;

// What the options page works with. The pointers are not owned and must
// outlive the dialog.
struct OptionDlgServices {
    SettingsStore* settings = nullptr;
    const DeviceFs* device = nullptr;
    const Locale* locale = nullptr;
    CallerIdCompanion* callerId = nullptr;
    const TodayPlugin* today = nullptr;
    // The dialer add-in's menu text; empty when none is registered.
    QString dialerText;
};

// The options page (OptionDlg, dialog 175), full-screen: the ABC bar
// language ("Language: ..." 1008, "Change" 106), the list font (preview
// 1005 drawn in the font, "Change" 105), phone number formatting ("Show
// formatted phone number" 1030, "Edit" 41264), the dial method (the flat
// field 41289 opening its list), "Enable caller ID" (1032) and "Enable
// plugin" (1033), then "OK" (1) and "Cancel" (2).
//
// It works on copies of the list font and the phone templates, which the
// caller reads back after OK. Written at once, whatever ends the page: a
// new dial method ("DialupMode"), the formatting switch ("IsActiveTemplate"),
// and what the ABC bar page stores; "CallerIDState" is brought in step with
// the companion as the page opens. OK writes the dial method (when above 0)
// and the switch again, keeps the Today choice and applies the caller-ID
// choice to the companion. UI thread only.
class OptionDlg final : public DialogBase {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 175;
    static constexpr int kLanguageId = 1008;
    static constexpr int kFontPreviewId = 1005;
    static constexpr int kFormattingId = 1030;
    static constexpr int kCallerIdId = 1032;
    static constexpr int kTodayId = 1033;
    static constexpr int kFontChangeId = 105;
    static constexpr int kAbcChangeId = 106;
    static constexpr int kFormatsEditId = 41264;
    static constexpr int kDialMethodId = 41289;
    static constexpr int kOkId = 1;
    static constexpr int kCancelId = 2;
    static constexpr int kOk = 1;
    static constexpr int kCancel = 2;

    OptionDlg(OptionDlgServices services, const ListFont& font, const PhoneTemplateSet& templates,
              QWidget* parent = nullptr);
    ~OptionDlg() override;

    // The copies, as edited.
    const ListFont& font() const { return m_font; }
    const PhoneTemplateSet& templates() const { return m_templates; }
    bool abcChanged() const { return m_abcChanged; }
    bool todayWasRegistered() const { return m_todayWasRegistered; }
    bool todayChecked() const { return m_todayChecked; }
    const DialMethodChoices& dialMethods() const { return *m_dialMethods; }

public slots:
    void reject() override;

protected:
    bool onInitDialog() override;

private:
    QPushButton* addButton(const QString& text, int id);
    QCheckBox* addCheck(const QString& text, int id);
    void buildControls();
    void layOut();
    void showFontPreview();
    void onFontChange();
    void onAbcChange();
    void onFormatsEdit();
    void onDialMethod();
    void onFormatting(bool on);
    void onOk();

    OptionDlgServices m_services;
    ListFont m_font;
    PhoneTemplateSet m_templates;
    std::unique_ptr<DialMethodChoices> m_dialMethods;
    bool m_abcChanged = false;
    bool m_todayWasRegistered = false;
    bool m_todayChecked = false;
    QLabel* m_language = nullptr;
    QLabel* m_preview = nullptr;
    QCheckBox* m_formatting = nullptr;
    QCheckBox* m_callerId = nullptr;
    QCheckBox* m_today = nullptr;
    QPushButton* m_dialMethod = nullptr;
};

}  // namespace kontavo
