#include "ui/windowtext.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace kontavo {

QString windowText(const QWidget* window) {
    if (window == nullptr) {
        return QString();
    }
    if (const auto* edit = qobject_cast<const QLineEdit*>(window)) {
        return edit->text();
    }
    if (const auto* edit = qobject_cast<const QPlainTextEdit*>(window)) {
        return edit->toPlainText();
    }
    if (const auto* edit = qobject_cast<const QTextEdit*>(window)) {
        return edit->toPlainText();
    }
    if (const auto* label = qobject_cast<const QLabel*>(window)) {
        return label->text();
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(window)) {
        return button->text();
    }
    return window->windowTitle();
}

}  // namespace kontavo
