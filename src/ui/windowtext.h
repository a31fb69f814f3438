#pragma once

#include <QString>

class QWidget;

namespace kontavo {

// The text of a window of any length: what an edit field, label or button
// shows, else the window title. Empty for null.
QString windowText(const QWidget* window);

}  // namespace kontavo
