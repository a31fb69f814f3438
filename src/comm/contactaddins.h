#pragma once

#include <QList>
#include <QString>
#include <optional>

#include "store/record/proptag.h"

class QWidget;

namespace kontavo {

class DeviceFs;
class Registry;
class WindowRegistry;

// The Contacts add-ins (ContactAddIns): libraries registered under
// HKEY_LOCAL_MACHINE "SOFTWARE\Microsoft\PimApps\PimExtensions\Contacts\AddIns",
// one subkey each with the string values "DLL" (the library, a device path)
// and "Menu" (the text of its menu item). They are offered in the list's
// context menu and invoked on the selected contacts through their entry
// "CePimCommand"; the one whose library is "BTDialer.dll" is the dialer of
// the dial method 41237.
//
// Each add-in answers to its own command: the first to 41222, the others
// upward from there, stepping over the commands the program uses itself
// ("About..." 41229, the ABC bar items 41231-41233, the dial methods
// 41235-41237), so that every add-in's command is handled and none is taken
// for another item.
//
// The entry an add-in exports (docs/companions.md):
//   extern "C" int32_t CePimCommand(uint32_t parentWindow, int32_t itemKind,
//                                   int32_t count, const uint32_t* oids,
//                                   void* reserved);
// called with the handle of a temporary window (WindowRegistry), the item
// kind 2 (contacts), the number of Oids, the Oids and null.
//
// One table per process (current()), filled once at start-up; a plain value
// otherwise. UI thread only.
class ContactAddIns {
public:
    static constexpr int kMaxAddIns = 9;
    static constexpr int kFirstCommand = 41222;
    static constexpr int kMaxTextLength = 259;
    static constexpr int kItemKindContacts = 2;
    static constexpr int kMenuLabelString = 41208;  // "Outlook Plugin"

    // One registered add-in.
    struct Entry {
        QString menuText;
        QString library;  // device path of an existing file
        int command = 0;
        bool operator==(const Entry&) const = default;
    };

    static QString registryKey() {
        return QStringLiteral("SOFTWARE\\Microsoft\\PimApps\\PimExtensions\\Contacts\\AddIns");
    }
    // The command of add-in `index` (0-based).
    static int commandOf(int index);

    ContactAddIns() = default;

    // Reads the registered add-ins (at most nine subkeys, by index 0..8): an
    // index that cannot be enumerated, a subkey without both string values,
    // and one whose library is missing (as given, or in "\Windows\") are
    // skipped.
    static ContactAddIns load(Registry& registry, const DeviceFs& device);

    // The table of this process (empty until the program loads it).
    static const ContactAddIns& current();
    static void setCurrent(ContactAddIns addIns);

    const QList<Entry>& entries() const { return m_entries; }
    bool isEmpty() const { return m_entries.isEmpty(); }
    // The add-in answering command `command`, if any.
    std::optional<Entry> entryOf(int command) const;
    // The command of the dialer add-in ("BTDialer.dll" in its library path,
    // without regard to case), 0 when there is none.
    int dialerCommand() const { return m_dialerCommand; }
    // The dialer add-in's menu text (empty without one).
    QString dialerText() const;
    // The label of the add-ins' sub-menu: `label`, or "Outlook Plugin" when
    // it is empty.
    static QString menuLabel(const QString& label = QString());

    // Calls the add-in of `command` with `oids`: loads its library, shows a
    // temporary window at the top of `owner`'s screen as its parent (reached
    // through `windows` when given), calls "CePimCommand", then removes the
    // window and unloads the library. False when the command is no add-in's,
    // or the library or its entry is missing.
    bool invoke(QWidget* owner, int command, const QList<Oid>& oids, const DeviceFs& device,
                WindowRegistry* windows) const;

private:
    QList<Entry> m_entries;
    int m_dialerCommand = 0;
};

}  // namespace kontavo
