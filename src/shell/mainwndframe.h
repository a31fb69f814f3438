#pragma once

#include <QWidget>
#include <array>
#include <memory>
#include <optional>

#include "platform/windowregistry.h"
#include "shell/mainwndservices.h"
#include "ui/framehost.h"
#include "ui/messagewindow.h"

namespace kontavo {

class AppointmentsFrame;
class MenuBar;
class PimSync;
class ProgressWnd;
class SipPanel;

// The program's one top-level window (window class "TW.MAIN.WND.CLASS"):
// the emulated screen with the menu bar from menu 102 at the bottom, the
// frames in the client area above it and the SIP panel over them. It handles
// the program-wide commands (close, exit, options, template, about), passes
// every other command to the active frame, and owns the program's reactions
// to the SIP, the Talk key, screen changes and the messages of other
// programs (WM_OPEN_CONTACT, the index sharing messages, 1023). It joins the
// coordination of the programs sharing the index when it is created
// (registered before the contact store opens, master once it is up) and
// leaves it after the contact store has closed.
//
// One per process at a time (instance()). Made by the program, then create();
// destroyed by the close command, Exit or closing the window, which shuts
// everything down in order and calls the quit function. UI thread only.
class MainWndFrame final : public QWidget, public MessageWindow, public FrameHost {
    Q_OBJECT
public:
    explicit MainWndFrame(MainWndServices services);
    ~MainWndFrame() override;
    MainWndFrame(const MainWndFrame&) = delete;
    MainWndFrame& operator=(const MainWndFrame&) = delete;

    // The main window of this process, or null.
    static MainWndFrame* instance();

    // Creates the window and everything in it, in order; false when any step
    // fails, after destroying what was created (the object then stays
    // destroyed).
    bool create();
    // Shuts down in order and calls the quit function with 0. Idempotent.
    void destroyMainWindow();
    bool isCreated() const { return m_created; }

    // The handle other programs reach this window by (0 before create()).
    WindowHandle handle() const;
    int32_t windowProc(const WindowMessage& message, QObject* control) override;

    MenuBar* menuBar() const override { return m_menuBar.get(); }
    QRect clientRect() const { return m_clientRect; }
    AppFrame* activeFrame() const { return m_activeFrame; }
    ContactsAppFrame* contactsFrame() const { return m_contactsFrame.get(); }
    // The open contact store (null without one).
    ContactStoreLink* store() const { return m_store.get(); }
    AppFrame* appointmentsFrame() const;
    SipPanel* sipPanel() const { return m_sipPanel; }
    ProgressWnd* progress() const { return m_progress.get(); }
    // The coordination with the other programs sharing the index (null
    // before create()); its own master when the block could not be opened.
    PimSync* sharing() const { return m_sync.get(); }
    bool isWindowActive() const { return m_windowActive; }
    bool isBusy() const { return m_busy; }
    bool sipWasUp() const { return m_sipWasUp; }
    bool hasTalkKey() const { return m_talkKeyTaken; }
    const MainWndServices& services() const { return m_services; }

    // FrameHost
    void switchFrame(int index) override;
    void clearListSelection() override;
    void enableMainWindow(bool enable) override;
    void setBusy(bool busy) override { m_busy = busy; }
    std::optional<int> sipTop() const override;
    QWidget* mainWindow() override { return this; }
    void createProgress() override;
    void setProgressRange(int minimum, int maximum) override;
    void setProgressStep(int step) override;
    void setProgressText(const QString& text) override;
    void setProgressTitle(const QString& title) override;
    void stepProgress() override;
    void closeProgress() override;

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Creation steps.
    void loadSharedResources();
    void writeProgramPath();
    bool createWindowAndMenuBar();
    bool checkPlatformVersion();
    void registerMessages();
    void joinSharing();
    void leaveSharing();
    void chooseDialupMode();
    bool openContactStore();
    void applyDoubleSized();
    void recordCallerIdState();
    bool createFrames();
    void rebuildMenuBar();
    void updateMenuAvailability();

    // Window procedure cases.
    int32_t handleStoreMessage(const WindowMessage& message);
    void onActivate(bool active, QWidget* other);
    void onSettingChange(uint32_t code, uint32_t parameter);
    bool onMainCommand(int id);
    void onCommand(uint32_t wParam);
    void onOpenContact(uint32_t letter, uint32_t oid);
    // WM 1150: imports the vCard file hand-over file `number` names.
    void onImportVCards(uint32_t number);
    void onReceive(const WindowMessage& message, bool sent, int32_t* result);
    void refreshSipState(uint32_t parameter);
    void takeTalkKey();
    void giveTalkKeyBack();
    void showAbout();
    AppFrame* frameAt(int index) const;

    MainWndServices m_services;
    bool m_created = false;
    bool m_destroyed = false;
    std::unique_ptr<WindowEndpoint> m_endpoint;
    std::unique_ptr<PimSync> m_sync;
    std::unique_ptr<MenuBar> m_menuBar;
    SipPanel* m_sipPanel = nullptr;
    QRect m_clientRect;
    AppFrame* m_activeFrame = nullptr;
    std::unique_ptr<ContactStoreLink> m_store;
    std::unique_ptr<ContactsAppFrame> m_contactsFrame;
    std::unique_ptr<AppointmentsFrame> m_appointmentsFrame;
    std::array<uint32_t, 5> m_syncMessages{};
    bool m_doubleSized = false;
    bool m_windowActive = false;
    bool m_busy = false;
    bool m_sipWasUp = false;
    // The SIP-was-up flag when the window was last deactivated.
    std::optional<bool> m_sipAtDeactivation;
    int m_sipBottom = 0;
    bool m_talkKeyTaken = false;
    uint16_t m_talkKeyState = 0;
    std::unique_ptr<ProgressWnd> m_progress;
};

}  // namespace kontavo
