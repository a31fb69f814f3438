#pragma once

#include <QString>
#include <cstdint>
#include <optional>

namespace kontavo {

// Hands the path of a vCard file to the running instance: window messages
// carry two numbers only, so the path goes into a numbered file in the
// private folder of the program's windows (mode 0700) and the message
// carries its number. The receiver takes the file (reads and deletes it).
class VCardHandOver {
public:
    // Writes `path` into a new hand-over file in `folder`; its number, or
    // nullopt when it cannot be written.
    static std::optional<uint32_t> put(const QString& folder, const QString& path);
    // The path hand-over file `number` names, the file deleted; nullopt when
    // there is none.
    static std::optional<QString> take(const QString& folder, uint32_t number);
};

}  // namespace kontavo
