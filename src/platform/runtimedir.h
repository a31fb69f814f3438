#pragma once

#include <QString>

namespace kontavo {

// The per-user folder for sockets, lock files and other run-time state shared
// between Kontavo's processes: "$XDG_RUNTIME_DIR/kontavo" (falling back to
// "/tmp/kontavo-<uid>" when XDG_RUNTIME_DIR is unset), created with mode 0700.
// Returns an empty string when the folder cannot be created or is not owned
// by this user with mode 0700 (nothing is then placed in it).
QString runtimeDir();
// The folder runtimeDir() uses, whether or not it can be used.
QString runtimeDirPath();

// A name safe to use as one file name component: every character outside
// [A-Za-z0-9._-] becomes '_' and an FNV-1a hash of the whole original name is
// appended when anything was replaced, so distinct names stay distinct.
QString safeFileComponent(const QString& name);

}  // namespace kontavo
