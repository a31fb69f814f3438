#pragma once

#include "comm/listfont.h"
#include "ui/dialogbase.h"

class QCheckBox;
class QComboBox;
class QLabel;

namespace kontavo {

// "Select Font" (dialog 170): the face (combo box 1010, every font family
// of the screen, sorted), the size (combo box 1011, the 13 sizes; none
// selected when the current size is not among them), "Bold" (1012),
// "Italic" (1013), "Underline" (1014), "Strikethrough" (1017), and the
// sample "AaBbCcXxYyZz" (1015) drawn in the font chosen so far. "OK" ends
// with 1 and the choice (a size left unchosen keeps the size it came with),
// "Cancel" with 2. UI thread only.
class FontChooser final : public DialogBase {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 170;
    static constexpr int kTitleString = 115;
    static constexpr int kFaceId = 1010;
    static constexpr int kSizeId = 1011;
    static constexpr int kBoldId = 1012;
    static constexpr int kItalicId = 1013;
    static constexpr int kUnderlineId = 1014;
    static constexpr int kSampleId = 1015;
    static constexpr int kStrikeOutId = 1017;
    static constexpr int kOk = 1;
    static constexpr int kCancel = 2;

    FontChooser(const FontChoice& current, int dpiY, QWidget* parent = nullptr);

    // The choice as the controls show it.
    FontChoice choice() const;

public slots:
    void reject() override;

protected:
    bool onInitDialog() override;

private:
    QCheckBox* addCheck(const QString& text, int id, bool checked);
    void rebuildSample();

    FontChoice m_start;
    int m_dpiY;
    QComboBox* m_face = nullptr;
    QComboBox* m_size = nullptr;
    QCheckBox* m_bold = nullptr;
    QCheckBox* m_italic = nullptr;
    QCheckBox* m_underline = nullptr;
    QCheckBox* m_strikeOut = nullptr;
    QLabel* m_sample = nullptr;
};

}  // namespace kontavo
