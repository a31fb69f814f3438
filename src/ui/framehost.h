#pragma once

#include <QString>
#include <optional>

class QWidget;

namespace kontavo {

class MenuBar;

// What the main window offers to the frames it hosts. UI thread only.
class FrameHost {
public:
    enum FrameIndex { kContactsFrame = 0, kAppointmentsFrame = 1 };

    virtual ~FrameHost() = default;

    // Makes frame `index` the active one: the old frame is deactivated and
    // hidden, the menu bar is rebuilt from its resource, the new frame is
    // activated and shown. Switching to the active frame does nothing.
    virtual void switchFrame(int index) = 0;
    // Clears the selection of the contact list.
    virtual void clearListSelection() = 0;
    // Disables the main window for a modal operation, or enables it again
    // (focus then returns to the last enabled popup, else to the main window).
    virtual void enableMainWindow(bool enable) = 0;
    // Marks the main window busy while a contact is shown in the modal card
    // view: activation and SIP changes then leave the SIP state alone.
    virtual void setBusy(bool busy) = 0;
    // The top of the SIP in the main window's client coordinates while the
    // SIP is up; nullopt while it is down.
    virtual std::optional<int> sipTop() const = 0;
    // The main window (for dialogs' parents and message boxes).
    virtual QWidget* mainWindow() = 0;
    // The menu bar (its View marks), or null while there is none.
    virtual MenuBar* menuBar() const = 0;

    // The progress window for long work: created with range 1..20, step 1
    // and the title "Reindex database"; closed by closeProgress. The other
    // calls do nothing while there is none.
    virtual void createProgress() = 0;
    virtual void setProgressTitle(const QString& title) = 0;
    virtual void setProgressRange(int minimum, int maximum) = 0;
    virtual void setProgressStep(int step) = 0;
    virtual void setProgressText(const QString& text) = 0;
    virtual void stepProgress() = 0;
    virtual void closeProgress() = 0;
};

}  // namespace kontavo
