#pragma once

#include <QPointer>
#include <QPropertyAnimation>
#include <QWidget>
#include <optional>

#include "ui/sipkeylayout.h"

namespace kontavo {

class ShellUi;

// The soft input panel as drawn on one screen (the main window or a
// full-screen dialog): an on-screen keyboard that slides up above the menu
// bar while the shell's SIP is up and slides away when it goes down. A tap
// on a key types into the focused widget, as real key presses. The keyboard
// never takes the focus. UI thread only.
class SipPanel : public QWidget {
    Q_OBJECT
public:
    // Follows `shell`'s SIP state; `parent` is the screen it is drawn on.
    SipPanel(ShellUi& shell, QWidget* parent);

    const SipKeyLayout& layout() const { return m_layout; }
    // The centre of key `index` in this widget's coordinates.
    QPoint keyCenter(int index) const;
    // The index of the first key labelled `text` (unshifted), if any.
    std::optional<int> findKey(const QString& text) const;
    // Milliseconds of the slide (0: no animation).
    void setSlideDuration(int milliseconds);
    bool isSliding() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void follow(bool up);
    void deliver(const SipStroke& stroke);

    ShellUi& m_shell;
    SipKeyLayout m_layout;
    std::optional<int> m_pressed;
    QPropertyAnimation m_slide;
};

}  // namespace kontavo
