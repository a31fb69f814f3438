#pragma once

#include <QString>

namespace kontavo {

// A device holds one user's contacts: every folder and file the programs
// create in it is private to that user (folders 0700, files 0600), whatever
// the process's umask. Folders and files that exist already keep their mode.

// Creates `folder` and every missing parent with mode 0700; true when the
// folder exists afterwards.
bool makePrivateFolder(const QString& folder);

// Creates `path` as an empty file with mode 0600 when nothing is there yet
// (its folder must exist); true when a file exists afterwards.
bool createPrivateFile(const QString& path);

}  // namespace kontavo
