#pragma once

#include <QString>
#include <optional>

namespace kontavo {

// Why the device root `root` cannot hold the program's files: the system's
// words for what went wrong ("Not a directory", "Permission denied",
// "Read-only file system"), or nullopt when the root is a folder this user
// can read, write and enter. A missing root counts as a problem only when it
// cannot be created (the reason is then that of its nearest existing parent).
std::optional<QString> deviceRootProblem(const QString& root);

}  // namespace kontavo
