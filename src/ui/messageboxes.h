#pragma once

#include <QString>

class QWidget;

namespace kontavo {

// How the program shows its message boxes. The process-wide presenter shows
// real dialogs; tests install one that records what would be shown.
class MessageBoxes {
public:
    enum class Icon { None, Information, Warning, Error };

    virtual ~MessageBoxes() = default;
    // Shows `text` with `caption` (an empty caption shows none) and an OK
    // button, and returns when it is closed.
    virtual void show(QWidget* parent, const QString& text, const QString& caption, Icon icon) = 0;

    // The presenter in use (a real one unless another was installed).
    static MessageBoxes& current();
    // Installs `presenter` (not owned; null restores the real one).
    static void install(MessageBoxes* presenter);
};

}  // namespace kontavo
