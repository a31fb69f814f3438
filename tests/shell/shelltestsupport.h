#pragma once

#include <QList>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

#include "platform/localwindowregistry.h"
#include "shell/mainwndframe.h"
#include "support/tempdevice.h"
#include "ui/contactsappframe.h"
#include "ui/contactstorelink.h"
#include "ui/messageboxes.h"
#include "ui/shellui.h"

namespace kontavo::test {

// What the program's parts did, in order, as seen by the test doubles.
struct Journal {
    QStringList events;
};

// A contacts frame double: writes down every request of the main window.
class RecordingContactsFrame final : public ContactsAppFrame {
public:
    explicit RecordingContactsFrame(Journal& journal);
    ~RecordingContactsFrame() override;

    bool handleCommand(int id, int notificationCode) override;
    void onActivate(bool active, QWidget* other) override;
    void onSettingChange(uint32_t code, uint32_t parameter) override;
    void refresh() override;
    void openContact(char16_t letter, uint32_t oid) override;
    void callSelectedContact() override;
    void clearListSelection() override;
    void importVCards(const QString& path) override;

private:
    Journal& m_journal;
};

// A contact store link double.
class RecordingStoreLink final : public ContactStoreLink {
public:
    explicit RecordingStoreLink(Journal& journal) : m_journal(journal) {}
    ~RecordingStoreLink() override;
    int32_t handleMessage(StoreMessage message, uint32_t wParam, uint32_t lParam) override;

private:
    Journal& m_journal;
};

// Message boxes written down instead of shown.
class RecordingMessageBoxes final : public MessageBoxes {
public:
    RecordingMessageBoxes() { install(this); }
    ~RecordingMessageBoxes() override { install(nullptr); }
    void show(QWidget*, const QString& text, const QString& caption, Icon) override {
        shown.append({text, caption});
    }
    QList<QPair<QString, QString>> shown;
};

// A temporary device, runtime folder, shell and the services of a main
// window, with doubles for the contact store and the contacts frame.
class MainWindowRig {
public:
    MainWindowRig();
    ~MainWindowRig();

    // Services with a store and a contacts frame double (each may be
    // dropped by the test before making the window).
    MainWndServices services();
    std::unique_ptr<MainWndFrame> makeWindow(const MainWndServices& services);
    // A window wired as the program wires it ("kontavo --device-root" this
    // device): the real contact store, contacts frame and options page.
    std::unique_ptr<MainWndFrame> makeProgramWindow();

    TempDevice device;
    // XDG_RUNTIME_DIR for programs started by the test; the windows live in
    // its "kontavo" folder, as the program's do.
    QTemporaryDir runtime;
    QString runtimeFolder;
    LocalWindowRegistry windows;
    ShellUi shell;
    RecordingMessageBoxes boxes;
    Journal journal;
    QList<int> quitCodes;
};

}  // namespace kontavo::test
