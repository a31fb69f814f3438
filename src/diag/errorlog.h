#pragma once

#include <QString>
#include <cstdint>

namespace kontavo {

class DeviceFs;
class Locale;

// The error log: one line per unrecoverable condition, appended to
// "<executable>.log" next to the program, or to "\error.log" in the device
// root when no executable path was stored or that file cannot be written.
// Lines are "yyyy.MM.dd HH:mm:ss - message[\tfile:  (line)]\r\n" in the
// locale's ANSI code page. Logging never fails visibly: a line that cannot be
// written is lost. Safe to call from any thread.

// Stores the executable's path (the handheld's module handle); called once at
// start-up. An empty path means "not stored".
void setLogModule(const QString& executablePath);
// The device root whose "\error.log" serves when no module is stored.
void setLogDevice(const DeviceFs* device);
// The locale whose ANSI code page the log uses (default: Locale::user()).
void setLogLocale(const Locale* locale);

// The file the next line goes to (host path), or empty when there is none.
QString logFilePath();

// Appends one line. `sourceFile` may be null: then the location part (tab,
// file, ": ", function, " (", line, ")") is left out. The function name is
// always passed empty by the program.
void logError(const QString& message, const char* sourceFile = nullptr,
              const char* function = "", int line = 0);

// The module handle reported in resource-loading messages.
uint32_t moduleHandle();

// Returns `pointer` when it is not null; otherwise logs "Memory not
// allocated!!!" (DebugUtils, 170) and raises the out-of-memory fatal code.
template <typename T>
T* checkAllocation(T* pointer);
[[noreturn]] void failAllocation();

template <typename T>
T* checkAllocation(T* pointer) {
    if (pointer == nullptr) {
        failAllocation();
    }
    return pointer;
}

}  // namespace kontavo
