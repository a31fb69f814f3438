#pragma once

#include <QDialog>
#include <memory>

#include "ui/messagewindow.h"

namespace kontavo {

class MenuBar;
class ShellUi;
class SipPanel;

// The dialog base: a dialog identified by its template id, run modally
// (doModal) or modeless (createModeless), with a window procedure of its own.
// A full-screen dialog covers the emulated screen like the main window: its
// content (body()) fills the visible desktop and follows the SIP, its own
// menu bar (createMenuBar) sits at the bottom, and the SIP panel is drawn
// over it. UI thread only; the owner deletes the object.
class DialogBase : public QDialog, public MessageWindow {
    Q_OBJECT
public:
    DialogBase(int templateId, bool fullScreen, QWidget* parent = nullptr);
    ~DialogBase() override;

    int templateId() const { return m_templateId; }
    bool isFullScreen() const { return m_fullScreen; }
    // Where the dialog's controls go.
    QWidget* body() const { return m_body; }
    MenuBar* menuBar() const { return m_menuBar.get(); }

    // Runs the dialog modally; the result code it ended with.
    int doModal();
    // Shows the dialog without waiting.
    void createModeless();
    // Builds the dialog's menu bar from menu resource `menuId` (an empty bar
    // for 0), replacing any bar it had; null when the resource is missing.
    MenuBar* createMenuBar(int menuId);

    // The window procedure: activation and setting changes go to their
    // handlers (a full-screen dialog first follows the SIP on 224); command
    // messages to onCommand. Returns 0.
    int32_t windowProc(const WindowMessage& message, QObject* control) override;

protected:
    // Called once before the dialog is first shown; false cancels it.
    virtual bool onInitDialog() { return true; }
    virtual void onActivate(bool active) { Q_UNUSED(active); }
    virtual void onSettingChange(uint32_t code, uint32_t parameter);
    virtual void onCommand(int notificationCode, int id, QObject* control);

    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    bool initialise();
    // Moves the body to the visible desktop, leaving room for the menu bar
    // while the SIP is down.
    void followSip();

    int m_templateId;
    bool m_fullScreen;
    bool m_initialised = false;
    QWidget* m_body;
    std::unique_ptr<MenuBar> m_menuBar;
    SipPanel* m_sip = nullptr;
};

}  // namespace kontavo
