#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <optional>

#include "ui/acceleratortable.h"

class QWidget;

namespace kontavo {

// The handheld shell around the program's windows: the emulated screen's
// size, the bottom menu bar's height, the soft input panel (SIP) and its
// state, key overrides of the menu bar (the Talk key) and the accelerator
// table of the main window's message loop. Making it gives Qt's standard
// controls the look of the screen (applyScreenLook).
//
// One per process (current()); it must outlive the windows that use it.
// UI thread only.
class ShellUi : public QObject {
    Q_OBJECT
public:
    // Lengths at 96 dpi; scaled by Screen::current().
    static constexpr int kScreenWidth = 240;
    static constexpr int kScreenHeight = 320;
    static constexpr int kMenuBarHeight = 26;
    static constexpr int kSipHeight = 80;

    // Override flags of overrideKey: no default handling, notify the owner.
    static constexpr uint32_t kNoDefault = 0x1;
    static constexpr uint32_t kNotify = 0x2;

    explicit ShellUi(QObject* parent = nullptr);
    ~ShellUi() override;
    ShellUi(const ShellUi&) = delete;
    ShellUi& operator=(const ShellUi&) = delete;

    // The shell of this process, or null before one is made.
    static ShellUi* current();

    QSize screenSize() const;
    int menuBarHeight() const;
    int sipHeight() const;

    bool isSipUp() const { return m_sipUp; }
    // The part of the screen the SIP leaves visible, in screen coordinates:
    // the whole screen while the SIP is down, the part above the SIP while
    // it is up.
    QRect visibleDesktop() const;
    // Where the SIP panel stands when up: just above the menu bar.
    QRect sipRect() const;
    // Forces the SIP up or down. A change sends the setting change 224 to
    // every top-level window (MessageWindow) and then emits sipChanged.
    void setSipUp(bool up);

    // The menu bar's key override for `virtualKey`, on behalf of `owner`:
    // the override flags in the bits of `request`'s low half (the mask) are
    // set to those of its high half. Returns the flags before the change.
    // While kNotify is set and the owner's window is active, a press of the
    // key reaches the owner as a hot-key message; with kNoDefault the press
    // goes nowhere else.
    uint32_t overrideKey(QWidget* owner, int virtualKey, uint32_t request);
    uint32_t keyOverride(int virtualKey) const;
    // The window the override of `virtualKey` notifies (null: none), so that
    // a window that takes the key for a while can hand it back.
    QWidget* keyOverrideOwner(int virtualKey) const;

    // Key presses in `window` (not in its dialogs) that `table` translates
    // become command messages to `window`. A null window clears the table.
    void setAccelerators(QWidget* window, const AcceleratorTable& table);

signals:
    void sipChanged(bool up);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct KeyOverride {
        QPointer<QWidget> owner;
        uint32_t flags = 0;
    };
    bool handleOverriddenKey(QWidget* target, int virtualKey, Qt::KeyboardModifiers modifiers);
    bool handleAccelerator(QWidget* target, int qtKey, Qt::KeyboardModifiers modifiers);

    bool m_sipUp = false;
    QHash<int, KeyOverride> m_overrides;
    QPointer<QWidget> m_acceleratorWindow;
    AcceleratorTable m_accelerators;
};

}  // namespace kontavo
