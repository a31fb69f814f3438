#pragma once

#include <QDialog>

#include "ui/messageboxes.h"

class QLabel;
class QPushButton;

namespace kontavo {

// The program's message box: an icon, the text wrapped to the width of the
// program's screen (the window of its parent), and OK or Yes and No. It is
// never wider than the screen less a margin on each side and opens in the
// screen's middle. Texts use the program's standard font at the screen's
// DPI. UI thread only.
class ScreenMessageBox final : public QDialog {
    Q_OBJECT
public:
    enum class Buttons { Ok, YesNo };

    ScreenMessageBox(QWidget* parent, const QString& text, const QString& caption,
                     MessageBoxes::Icon icon, Buttons buttons);

    QLabel* textLabel() const { return m_text; }
    // The buttons, left to right.
    const QList<QPushButton*>& buttons() const { return m_buttons; }
    // The screen the box keeps to, in global coordinates (the primary
    // display's top left 240 x 320 at the current DPI without a parent).
    QRect screenRect() const;

    // The widest text a box on a screen `screenWidth` wide can show beside
    // an icon `iconWidth` wide.
    static int textWidthLimit(int screenWidth, int iconWidth);

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLabel* m_text;
    QList<QPushButton*> m_buttons;
};

}  // namespace kontavo
