#pragma once

#include <QString>
#include <QStringList>

namespace kontavo {

class DeviceFs;
class MainWndFrame;

// "Options...": runs the options page over the main window on copies of its
// settings and, after OK, applies what changed (applyOptions): the list font,
// the ABC bar letter groups with the index's words, the phone templates, the
// change flags for the other programs, the Today plug-in. The caller-ID
// companion is started or stopped by the page itself.
void runOptionsPage(MainWndFrame& window);

// The folders the Today plug-in library is looked for in: the program's
// folder, then the device's "\Windows".
QStringList librarySearchFolders(const QString& programFolder, const DeviceFs& device);

}  // namespace kontavo
