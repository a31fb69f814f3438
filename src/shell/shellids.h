#pragma once

#include <QStringView>
#include <cstdint>

#include "ui/wndmessages.h"

// Window classes, messages, resources and command ids of the application
// shell.
namespace kontavo::shell {

inline constexpr QStringView kMainWindowClass = u"TW.MAIN.WND.CLASS";
inline constexpr QStringView kContactsFrameClass = u"CONTACTS.FRAME.CLASS";
inline constexpr QStringView kAppointmentsFrameClass = u"APPOINTMENTS.FRAME.CLASS";

// Opens a contact in a running instance: wParam 'e' (101) or 'v' (118),
// lParam the contact's Oid.
inline constexpr uint32_t kWmOpenContact = wm::kUser + 125;  // 1149
// Imports a vCard file in a running instance: lParam numbers the hand-over
// file that names it (VCardHandOver).
inline constexpr uint32_t kWmImportVCards = wm::kUser + 126;  // 1150
// Passed on to the contact store as it is.
inline constexpr uint32_t kWmStoreMessage = wm::kUser - 1;  // 1023

// The registered messages of the index sharing protocol, in StoreMessage order.
inline constexpr QStringView kSyncMessageNames[] = {u"PimSyncChangeToMaster",
                                                    u"PimSyncChangeToSlave", u"PimSyncSlaveReload",
                                                    u"PimSyncSlaveStop", u"PimSyncUpdateLinkType"};

// Resources.
inline constexpr int kTitleString = 101;
inline constexpr int kMainMenu = 102;
inline constexpr int kMainAccelerators = 103;
inline constexpr int kWrongPlatformString = 41287;
inline constexpr int kReindexTitleString = 42100;

// Commands the main window handles itself.
inline constexpr int kCmdClose = 1;
inline constexpr int kCmdExit = 40004;
inline constexpr int kCmdEditTemplate = 41147;
inline constexpr int kCmdOptions = 41207;
inline constexpr int kCmdAbout = 41229;

// Commands of the View menu whose marks the main window sets.
inline constexpr int kCmdTwoLineDisplay = 41264;
inline constexpr int kCmdOneLineDisplay = 41266;

// The Talk key override request: no default handling plus notification, in
// both halves (mask and value).
inline constexpr uint32_t kTalkKeyOverride = 0x30003;

}  // namespace kontavo::shell
