#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <memory>

#include "ui/appframe.h"

namespace kontavo {

class ContactStoreLink;
class FrameHost;
class MenuBar;

// The contacts frame as the main window uses it: an AppFrame (window class
// "CONTACTS.FRAME.CLASS") with the few requests only it can answer. The
// contact list's ContactsFrame derives from it; the main window makes it
// through a ContactsFrameFactory.
class ContactsAppFrame : public AppFrame {
    Q_OBJECT
public:
    using AppFrame::AppFrame;

    // Opens contact `oid` in the edit form ('e') or the card view ('v');
    // ignored when it is the contact already open or when it does not exist.
    virtual void openContact(char16_t letter, uint32_t oid) = 0;
    // Calls the selected contact (the Talk key).
    virtual void callSelectedContact() = 0;
    // Clears the list selection.
    virtual void clearListSelection() = 0;
    // Imports the contacts of vCard file `path` (a file handed to the
    // program), reporting the result in a message box.
    virtual void importVCards(const QString& path) = 0;
    // The menu bar was (re)built with the frame's commands enabled: the
    // frame sets its check marks and disables what it cannot do now.
    virtual void updateMenu(MenuBar& bar) { (void)bar; }
};

// Makes the contacts frame (not yet created as a window: the main window
// creates it in its client rectangle) for the open store. nullptr fails the
// start-up.
using ContactsFrameFactory =
    std::function<std::unique_ptr<ContactsAppFrame>(FrameHost& host, ContactStoreLink* store)>;

}  // namespace kontavo
