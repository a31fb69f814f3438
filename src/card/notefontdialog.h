#pragma once

#include <QTextCharFormat>

#include "ui/dialogbase.h"

class QCheckBox;
class QComboBox;
class QLabel;

namespace kontavo {

// What the "Select Font" dialog chose.
struct NoteFontChoice {
    QString face;  // empty: none chosen
    int size = 0;  // 0: none chosen (the selection had several sizes)
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikethrough = false;

    // The longest face name applied is 31 characters.
    static constexpr int kMaxFace = 31;
    // The face (when it has at most 31 characters), the size (when one is
    // chosen, sized for `zoom` percent) and the four styles go to `format` (a
    // note character format).
    void applyTo(QTextCharFormat& format, int zoom) const;
};

// "Select Font": the installed faces, the sizes as whole numbers, "Bold",
// "Italic", "Underline", "Strikethrough" and the line "Sample text" in the
// chosen font. UI thread only.
class NoteFontDialog final : public DialogBase {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 4502;

    explicit NoteFontDialog(const NoteFontChoice& start, QWidget* parent = nullptr);

    NoteFontChoice choice() const;
    static const QList<int>& sizes();

protected:
    bool onInitDialog() override;

private:
    void updateSample();

    NoteFontChoice m_start;
    QComboBox* m_face = nullptr;
    QComboBox* m_size = nullptr;
    QCheckBox* m_bold = nullptr;
    QCheckBox* m_italic = nullptr;
    QCheckBox* m_underline = nullptr;
    QCheckBox* m_strike = nullptr;
    QLabel* m_sample = nullptr;
};

}  // namespace kontavo
