#pragma once

#include <functional>
#include <optional>

#include "ui/dialogbase.h"

class QLineEdit;
class QPushButton;

namespace kontavo {

// Picks a sound file ("Select a sound..."), starting from the device path
// `current`; the chosen device path, or nullopt when cancelled.
using SoundChooser = std::function<std::optional<QString>(const QString& current, QWidget* parent)>;

// The category editor (dialog 114, "Add category"): the category's name and
// its ringtone, a sound file's device path, with "Clear" and "Browse".
//
// For a new category the name is editable and selected; a name holding ","
// or ";" is refused on OK with the message box of the name rule, and the
// editor stays open. For a ringtone the name is read-only. "Browse" asks
// the sound chooser; without one it is disabled. Ends with 1 (OK) or 2.
// UI thread only.
class CategoryEditorDialog final : public DialogBase {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 114;
    static constexpr int kTitleString = 40239;  // "Add category"
    enum class Mode { NewCategory, Ringtone };

    CategoryEditorDialog(Mode mode, const QString& name, const QString& ringtone,
                         SoundChooser chooseSound, QWidget* parent = nullptr);

    QString name() const;
    QString ringtone() const;

public slots:
    void accept() override;
    void reject() override;

protected:
    bool onInitDialog() override;

private:
    void buildControls();
    QPushButton* addButton(int stringId);

    Mode m_mode;
    QString m_initialName;
    QString m_initialRingtone;
    SoundChooser m_chooseSound;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_ringtone = nullptr;
};

}  // namespace kontavo
