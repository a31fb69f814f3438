#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace kontavo {

// Starts other programs: the handheld's CreateProcess and ShellExecuteEx.
// A program is started with an argument vector, each argument one argv
// element as given, and never through a shell, so no argument is ever
// split, expanded or read as shell syntax. ProcessLauncher is the real one;
// tests may give fakes. UI thread only.
class Launcher {
public:
    virtual ~Launcher() = default;

    // Starts `program` (a name looked up on PATH, or a path) with
    // `arguments` and returns without waiting; the process id when it
    // started, nullopt when it could not.
    virtual std::optional<qint64> start(const QString& program, const QStringList& arguments) = 0;
    // Whether the process `pid` that start() gave is still running.
    virtual bool isRunning(qint64 pid) const = 0;
};

// The desktop's opener and mail composer, for the handheld's document
// opener, browser and mail programs.
inline constexpr const char* kOpenProgram = "xdg-open";
inline constexpr const char* kMailProgram = "xdg-email";

// Opens a document, folder or URI with the desktop's opener: `xdg-open
// TARGET`. A target that is empty or begins with "-" would be read as an
// option and is refused (nullopt), as is one the opener cannot be started
// for.
std::optional<qint64> openDocument(Launcher& launcher, const QString& target);

// Starts the desktop's mail composer on a new message to `address`:
// `xdg-email ADDRESS` for a plain address (one holding "@", beginning
// neither with "-" nor with "mailto:"), else `xdg-email mailto:ADDRESS`
// with the address percent-encoded, so that no address is ever read as an
// option or as fields of a mailto URI. False when it could not be started.
bool composeMail(Launcher& launcher, const QString& address);

// The mailto URI of `address`, every character but letters, digits, "-",
// ".", "_", "~" and "@" percent-encoded as UTF-8.
QString mailtoUri(const QString& address);

}  // namespace kontavo
