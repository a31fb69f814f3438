#pragma once

#include "list/contactsframelayout.h"

namespace kontavo {

class ChangeFlagSink;
class MenuBar;
class SettingsStore;

// The view settings the contacts frame's View menu changes: "NameOnly",
// "IsDoubleSized", "AbcMode" and "SortType". A change is written the moment
// it is made and raises its change flag (sort type 4, name only 5, double
// size 6); choosing the value already set changes nothing. The settings
// store and the flag sink (may be null) must outlive the object. UI thread.
class ContactsViewSettings {
public:
    // Command ids of the View menu.
    static constexpr int kCmdNameOnly = 41214;
    static constexpr int kCmdTwoLine = 41264;
    static constexpr int kCmdOneLine = 41266;
    static constexpr int kCmdHideBar = 41231;
    static constexpr int kCmdSmallBar = 41232;
    static constexpr int kCmdBigBar = 41233;
    static constexpr int kCmdSortName = 41216;
    static constexpr int kCmdSortFileAs = 41217;
    static constexpr int kCmdSortCompany = 41218;

    enum class Change { None, NameOnly, DoubleSized, AbcMode, SortType };

    ContactsViewSettings(SettingsStore& settings, ChangeFlagSink* flags);

    static bool isViewCommand(int id);

    // Reads all four; an "AbcMode" or "SortType" outside 0..2 reads as 0.
    void load();
    // Carries out View command `id`; None when `id` is not one of them or
    // sets what is already set.
    Change apply(int id);
    // Sets the View menu's marks: the radio groups and the name-only check.
    void markMenu(MenuBar& bar) const;

    bool nameOnly() const { return m_nameOnly; }
    bool doubleSized() const { return m_doubleSized; }
    AbcMode abcMode() const { return m_abcMode; }
    int sortType() const { return m_sortType; }

private:
    Change setDoubleSized(bool on);
    Change setAbcMode(AbcMode mode);
    Change setSortType(int type);
    void raise(int flag);

    SettingsStore& m_settings;
    ChangeFlagSink* m_flags;
    bool m_nameOnly = false;
    bool m_doubleSized = false;
    AbcMode m_abcMode = AbcMode::Small;
    int m_sortType = 0;
};

}  // namespace kontavo
