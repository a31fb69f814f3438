#pragma once

#include <QDialog>

class QDialogButtonBox;
class QLabel;
class QLineEdit;

namespace kontavo {

class Screen;

// The small name dialog of "Custom...": one text field (at most 256
// characters) pre-filled with the current label and selected, OK and
// Cancel. OK is offered only for a text a label may have (not empty, not
// beginning with "[", which the template file could not keep; a note under
// the field says why). UI thread only.
class LabelNameDialog final : public QDialog {
    Q_OBJECT
public:
    LabelNameDialog(const QString& caption, const QString& text, const Screen& screen,
                    QWidget* parent);

    QString text() const;
    QLineEdit* field() const { return m_field; }
    QDialogButtonBox* buttons() const { return m_buttons; }

private:
    void textChanged(const QString& text);

    QLineEdit* m_field;
    QLabel* m_note;
    QDialogButtonBox* m_buttons;
};

}  // namespace kontavo
