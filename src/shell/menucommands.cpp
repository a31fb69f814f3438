#include "shell/menucommands.h"

#include "shell/shellids.h"

namespace kontavo {

CommandOwner commandOwner(int id) {
    switch (id) {
        case shell::kCmdClose:
        case shell::kCmdExit:
        case shell::kCmdEditTemplate:
        case shell::kCmdOptions:
        case shell::kCmdAbout:
            return CommandOwner::MainWindow;
        case 41209:  // New
        case 41283:  // Edit
        case 41284:  // Duplicate
        case 41208:  // Delete
        case 41286:  // Beam...
        case 41211:  // Make Appointment...
        case 41300:  // Category List
        case 41290:  // Reindex Contacts
        case 42330:  // Import vCards...
        case 42331:  // Export vCards...
        case 41214:  // Show Only Name
        case shell::kCmdOneLineDisplay:
        case shell::kCmdTwoLineDisplay:
        case 41231:  // Hide ABC bar
        case 41232:  // Small ABC bar
        case 41233:  // Big ABC bar
        case 41216:  // Sort by name
        case 41217:  // Sort by File As
        case 41218:  // Sort by company
            return CommandOwner::ContactsFrame;
        default:
            return CommandOwner::Unknown;
    }
}

}  // namespace kontavo
