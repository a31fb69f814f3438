#pragma once

#include <QString>
#include <functional>

#include "platform/platformversion.h"
#include "shell/aboutbox.h"
#include "ui/contactsappframe.h"
#include "ui/contactstorelink.h"

namespace kontavo {

class DeviceFs;
class MainWndFrame;
class SettingsStore;
class ShellUi;
class WindowRegistry;

// Everything the main window is given by the program. The pointers are not
// owned and must outlive the main window; the functions are optional where
// said.
struct MainWndServices {
    const DeviceFs* device = nullptr;
    SettingsStore* settings = nullptr;
    WindowRegistry* windows = nullptr;
    ShellUi* shell = nullptr;
    // The operating system version of the emulated handheld.
    PlatformVersion platformVersion;
    // The host folder of the running program (for "ProgramPath").
    QString programFolder;
    AppInfo about;

    // Opens the contact store; without it the program runs with no store
    // (the store messages are then ignored).
    ContactStoreOpener openContactStore;
    // Makes the contacts frame; without it the client area shows only the
    // appointments frame and the contacts commands are disabled.
    ContactsFrameFactory createContactsFrame;
    // The options dialog (41207) and the template editor (41147) with what
    // follows their OK; each menu item is disabled while its function is
    // missing.
    std::function<void(MainWndFrame&)> runOptions;
    std::function<void(MainWndFrame&)> editTemplate;
    // Ends the message loop with the given code; called once when the main
    // window is destroyed.
    std::function<void(int)> quit;
    // The private folder of the program's windows, where a later start
    // leaves the vCard files it hands over (VCardHandOver).
    QString handOverFolder;
};

}  // namespace kontavo
