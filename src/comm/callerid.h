#pragma once

#include <QString>
#include <QStringView>

class QWidget;

namespace kontavo {

class DeviceFs;
class Launcher;
class SettingsStore;
class WindowRegistry;

// The caller-ID companion, a program of its own ("CallerID.exe" in this
// program's folder) whose main window has the class "CALLERID_MAINCLASS".
// It runs while that window exists. The program starts it, stops it (by
// starting it again with "/SHUTDOWN") and keeps "Settings"\"CallerIDState"
// and the start-up entry "CallerID.lnk" in the Startup folder
// ("\Windows\StartUp") in step with it; the entry is a desktop entry
// (`[Desktop Entry]`, `Exec="PROGRAM"`) that an autostart folder takes as it
// stands. It is told by message 3026 when the category ringtones changed
// (CategoryRingtones posts it).
// The services must outlive the object. UI thread only.
class CallerIdCompanion {
public:
    static constexpr QStringView kWindowClass = u"CALLERID_MAINCLASS";
    static constexpr QStringView kProgramName = u"CallerID.exe";
    static constexpr QStringView kShortcutName = u"CallerID.lnk";
    static constexpr QStringView kShutdownArgument = u"/SHUTDOWN";
    // Posted to the companion's window after the ringtone file was rewritten.
    static constexpr uint32_t kRingtonesChangedMessage = 3026;
    static constexpr int kStoppedString = 41305;

    struct Services {
        WindowRegistry* windows = nullptr;
        Launcher* launcher = nullptr;
        SettingsStore* settings = nullptr;
        const DeviceFs* device = nullptr;
    };

    // What applying the option did.
    enum class Outcome { Unchanged, Started, Stopped, StartFailed, StopFailed };

    explicit CallerIdCompanion(Services services) : m_services(services) {}

    // Whether the companion's window exists.
    bool isRunning() const;
    // The companion's program: "ProgramPath" cut after its last backslash,
    // then "CallerID.exe" (a host path written with backslashes).
    QString programPath() const;
    // The program as a host path.
    QString hostProgram() const;
    // Running, or its program file exists and the device is a phone.
    bool isAvailable() const;
    // Writes "CallerIDState" 1 when the companion runs, else 0; returns it.
    bool recordState();

    // The option "Enable caller ID" as confirmed: stops a running companion
    // that was on (state 1) when `enabled` is false, starts one that was off
    // (state 0) and is not running when `enabled` is true, and does nothing
    // otherwise. A stop removes the start-up entry, writes state 0 and says
    // why a soft reset is advised; a start writes the entry and state 1.
    // Failures are said in a message box over `dialog` and change nothing.
    Outcome apply(bool enabled, QWidget* dialog);

private:
    QString shortcutPath() const;
    bool writeShortcut() const;

    Services m_services;
};

}  // namespace kontavo
