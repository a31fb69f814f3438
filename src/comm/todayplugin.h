#pragma once

#include <QStringList>
#include <QStringView>

namespace kontavo {

class WindowRegistry;

// The Today plug-in: the library "KontavoToday.dll", found by the library
// search (the folders given, in order), exporting three functions without
// arguments that return an int32_t: "RegisterTodayItem",
// "UnRegisterTodayItem" and "IsTodayRegistered" (non-zero: success, or
// registered). The library is loaded for each call and unloaded after it.
// The folders and the registry must outlive the object. UI thread only.
class TodayPlugin {
public:
    static constexpr QStringView kLibraryName = u"KontavoToday.dll";
    // The Today screen's window, told to redraw after a change.
    static constexpr QStringView kTodayWindowClass = u"DesktopExplorerWindow";
    static constexpr uint32_t kSettingChange = 0x001A;
    static constexpr uint32_t kTodayItemsChanged = 0xF2;

    // `folders`: host folders searched for the library, in order.
    // `windows` may be null: nobody is told of a change.
    TodayPlugin(QStringList folders, WindowRegistry* windows)
        : m_folders(std::move(folders)), m_windows(windows) {}

    // The library found by the search, empty when there is none.
    QString libraryPath() const;
    // "IsTodayRegistered"; 0 without the library or the function.
    int32_t isRegistered() const;
    // "RegisterTodayItem" (`on`) or "UnRegisterTodayItem"; then the Today
    // screen's window, when there is one, is sent the setting change 0xF2
    // so that it redraws. 0 without the library or the function.
    int32_t setRegistered(bool on) const;

private:
    QStringList m_folders;
    WindowRegistry* m_windows;
};

}  // namespace kontavo
