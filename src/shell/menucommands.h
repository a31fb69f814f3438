#pragma once

namespace kontavo {

// Who answers a command of the main menu bar.
enum class CommandOwner {
    MainWindow,     // close, exit, options, template editing, about
    ContactsFrame,  // everything about contacts and the view
    Unknown,        // not a command of the menu bar
};

// The owner of command `id` of menu 102 (or of the close command 1).
CommandOwner commandOwner(int id);

}  // namespace kontavo
