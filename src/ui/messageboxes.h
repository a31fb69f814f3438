#pragma once

#include <QString>

class QWidget;

namespace kontavo {

// How the program shows its message boxes. The process-wide presenter shows
// real dialogs (ScreenMessageBox: on the program's screen, the text wrapped
// to its width); tests install one that records what would be shown.
class MessageBoxes {
public:
    enum class Icon { None, Information, Warning, Error };

    virtual ~MessageBoxes() = default;
    // Shows `text` with `caption` (an empty caption shows none) and an OK
    // button, and returns when it is closed.
    virtual void show(QWidget* parent, const QString& text, const QString& caption, Icon icon) = 0;
    // Shows `text` with Yes and No (No is the default) and returns whether
    // the answer was Yes. A presenter that cannot ask answers No.
    virtual bool askYesNo(QWidget* parent, const QString& text, const QString& caption, Icon icon);

    // The presenter in use (a real one unless another was installed).
    static MessageBoxes& current();
    // The real presenter, whatever is installed.
    static MessageBoxes& onScreen();
    // Installs `presenter` (not owned; null restores the real one).
    static void install(MessageBoxes* presenter);
};

}  // namespace kontavo
