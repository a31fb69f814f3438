#pragma once

#include <QLineEdit>

namespace kontavo {

class SearchEdit;

// The edit control inside SearchEdit; it hands focus, clicks and keys to the
// field's rules before (or instead of) editing.
class SearchLineEdit : public QLineEdit {
public:
    SearchLineEdit(SearchEdit& field, QWidget* parent);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    SearchEdit& m_field;
};

}  // namespace kontavo
