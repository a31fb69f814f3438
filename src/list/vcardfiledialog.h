#pragma once

#include <QDialog>
#include <optional>

#include "list/vcardfilechoice.h"

class QLineEdit;
class QListWidget;
class QPushButton;

namespace kontavo {

// Picks the vCard file to import from or export to: the vCard files of the
// documents folder in a list, the chosen name in a line the user may type
// over, OK and Cancel. It covers the program's screen (the window of its
// parent) and scales with the DPI. OK is enabled while the name stands for
// a file (VCardFileChoice). UI thread only.
class VCardFileDialog final : public QDialog {
    Q_OBJECT
public:
    VCardFileDialog(VCardFileChoice choice, const QString& caption, const QString& name,
                    QWidget* parent);

    // The chosen file after OK; nullopt otherwise.
    std::optional<QString> chosenFile() const;

    QListWidget* fileList() const { return m_files; }
    QLineEdit* nameEdit() const { return m_name; }
    QPushButton* okButton() const { return m_ok; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void updateOk();

    VCardFileChoice m_choice;
    QListWidget* m_files;
    QLineEdit* m_name;
    QPushButton* m_ok;
};

}  // namespace kontavo
