#include "list/searchlineedit.h"

#include <QKeyEvent>

#include "list/searchedit.h"

namespace kontavo {

SearchLineEdit::SearchLineEdit(SearchEdit& field, QWidget* parent)
    : QLineEdit(parent), m_field(field) {
    setFrame(false);
    setContextMenuPolicy(Qt::NoContextMenu);
    setAcceptDrops(false);
}

void SearchLineEdit::keyPressEvent(QKeyEvent* event) {
    if (!m_field.fieldKey(*event)) {
        QLineEdit::keyPressEvent(event);
    }
}

void SearchLineEdit::mousePressEvent(QMouseEvent* event) {
    m_field.fieldTapped();
    QLineEdit::mousePressEvent(event);
    m_field.afterFieldTap();
}

void SearchLineEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    m_field.fieldFocusChanged(true);
}

void SearchLineEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    m_field.fieldFocusChanged(false);
}

}  // namespace kontavo
