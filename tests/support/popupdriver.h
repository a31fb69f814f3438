#pragma once

#include <QString>
#include <functional>

class QAction;
class QWidget;

namespace kontavo::test {

// Runs `step` from inside the event loop of the next pop-up menu (or, with
// `dialog`, modal dialog) that opens within five seconds.
void whenOpen(bool dialog, std::function<void(QWidget*)> step);
// The item of pop-up menu `popup` whose text is `text`, or null.
QAction* menuItem(QWidget* popup, const QString& text);
// Taps the item with the pen.
void tapMenuItem(QWidget* popup, QAction* item);

}  // namespace kontavo::test
