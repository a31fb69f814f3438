#pragma once

#include <QStringView>
#include <cstdint>

// Every value the program keeps under its registry root, with its subkey and
// default: the one place that names them. Other code refers to these
// constants, never to the name strings.
namespace kontavo::settings {

// Subkeys below the root.
inline constexpr QStringView kSettings = u"Settings";
inline constexpr QStringView kListFont = u"ListFont";
inline constexpr QStringView kAbc = u"ABC";
inline constexpr QStringView kTemplates = u"Templates";
inline constexpr QStringView kCategories = u"Categories";
inline constexpr QStringView kRecentContacts = u"Categories\\Recent";

// Names used by every list key ("Count" plus "0", "1", ...).
inline constexpr QStringView kCount = u"Count";

struct IntValue {
    QStringView subkey;
    QStringView name;
    int32_t fallback;
};

struct StringValue {
    QStringView subkey;
    QStringView name;
    QStringView fallback;
};

struct BinaryValue {
    QStringView subkey;
    QStringView name;
};

// Settings
inline constexpr StringValue kProgramPath{kSettings, u"ProgramPath", u""};
inline constexpr StringValue kMyDocumentsFolder{kSettings, u"My Documents Folder", u""};
inline constexpr IntValue kDialupMode{kSettings, u"DialupMode", 0};
inline constexpr IntValue kSortType{kSettings, u"SortType", 0};
inline constexpr IntValue kNameOnly{kSettings, u"NameOnly", 0};
inline constexpr IntValue kIsDoubleSized{kSettings, u"IsDoubleSized", 0};
inline constexpr IntValue kAbcMode{kSettings, u"AbcMode", 0};
inline constexpr IntValue kSplitVisible{kSettings, u"SplitVisible", 1};
inline constexpr IntValue kSplitPercent{kSettings, u"SplitPercent", 500};
inline constexpr IntValue kSplitMode{kSettings, u"SplitMode", 2};
inline constexpr StringValue kCallerIdPhone{kSettings, u"CallerIDPhone", u""};
inline constexpr IntValue kCallerIdState{kSettings, u"CallerIDState", 0};
inline constexpr StringValue kLastPicPath{kSettings, u"LastPicPath", u""};
inline constexpr StringValue kLastSoundPath{kSettings, u"LastSoundPath", u""};
// The index files' busy flags ("pim_index1.dat", "pim_index2.dat") are file
// flags: SettingsStore::setFileFlag / getFileFlag, default 0.
inline constexpr int32_t kFileFlagDefault = 0;

// ListFont
inline constexpr StringValue kListFontName{kListFont, u"Name", u"Tahoma"};
// The default height depends on the screen: see defaultListFontHeight().
inline constexpr QStringView kListFontHeightName = u"Height";
inline constexpr IntValue kListFontFlags{kListFont, u"Flags", 0};
inline constexpr int32_t kFontBold = 1 << 0;
inline constexpr int32_t kFontItalic = 1 << 1;
inline constexpr int32_t kFontUnderline = 1 << 2;
inline constexpr int32_t kFontStrikeOut = 1 << 3;

// 8 points at the screen's vertical DPI: 11 pixels at 96 dpi, 21 at 192.
constexpr int32_t defaultListFontHeight(int dpiY) { return int32_t(8.0 * dpiY / 72 + 0.5); }
constexpr IntValue listFontHeight(int dpiY) {
    return {kListFont, kListFontHeightName, defaultListFontHeight(dpiY)};
}

// ABC: the letter set type; -1 (missing) or a value outside 0..4 selects the
// set by the system language.
inline constexpr IntValue kAbcType{kAbc, u"Type", -1};
inline constexpr BinaryValue kAbcCustom{kAbc, u"Custom"};

// Templates: the phone number format list is "Count" + "0".. (strings).
inline constexpr IntValue kIsActiveTemplate{kTemplates, u"IsActiveTemplate", 0};
inline constexpr IntValue kIsIgnorePhoneFormat{kTemplates, u"IsIgnorePhoneFormat", 0};

// Categories ("Count" + "0".., DWORDs): recent categories of the list filter,
// oldest first. Categories\Recent: recently used contacts, most recent first.
inline constexpr int kRecentContactsCapacity = 20;

}  // namespace kontavo::settings
