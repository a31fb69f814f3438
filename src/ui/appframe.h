#pragma once

#include <QRect>
#include <QString>
#include <QWidget>

#include "ui/messagewindow.h"

namespace kontavo {

// The frame window base: a child window that fills the main window's client
// area and receives, from the main window, whatever it does not handle
// itself. The contacts frame and the appointments frame derive from it.
//
// Its window procedure turns the creation into onCreate, showing and hiding
// into onShow / onHide, and a command message into onCommand; the main window
// calls the other operations directly. The object never deletes itself: its
// owner deletes it (after destroyWindow or instead of it). UI thread only.
class AppFrame : public QWidget, public MessageWindow {
    Q_OBJECT
public:
    explicit AppFrame(QString windowClass);
    ~AppFrame() override;

    const QString& windowClass() const { return m_windowClass; }
    bool isCreated() const { return m_created; }

    // 1. The window procedure: commands go to onCommand; everything else
    // gets the default answer 0.
    int32_t windowProc(const WindowMessage& message, QObject* control) override;
    // 3. Creates the window hidden as a child of `parent` in `rect` and runs
    // onCreate; when that fails the window is destroyed again and false is
    // returned.
    bool create(QWidget* parent, const QRect& rect);
    // Destroys the window (the object stays until its owner deletes it).
    void destroyWindow();

    // 4. Creation of the frame's content; false makes the creation fail.
    virtual bool onCreate() { return true; }
    // 5. A command from one of the frame's child controls.
    virtual void onCommand(int notificationCode, int id, QObject* control);
    // 6, 7. The window was shown / hidden.
    virtual void onShow() {}
    virtual void onHide() {}
    // 8. Moves and resizes the window.
    virtual void moveFrame(const QRect& rect);
    // 9. A menu command passed down by the main window; true when handled.
    virtual bool handleCommand(int id, int notificationCode);
    // 10, 11. Shows or hides the window.
    virtual void showFrame();
    virtual void hideFrame();
    // 12. The main window became active (or inactive); `other` is the window
    // on the other side of the change, when known.
    virtual void onActivate(bool active, QWidget* other);
    // 13. A setting changed (the SIP moved: 224; the screen: 0x3002).
    virtual void onSettingChange(uint32_t code, uint32_t parameter);
    // 14. Relayout after the options changed.
    virtual void refresh() {}

protected:
    bool event(QEvent* event) override;

private:
    QString m_windowClass;
    bool m_created = false;
    bool m_shown = false;
};

}  // namespace kontavo
