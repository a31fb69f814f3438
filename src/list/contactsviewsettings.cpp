#include "list/contactsviewsettings.h"

#include "list/changeflagsink.h"
#include "store/settings/settingsstore.h"
#include "ui/menubar.h"

namespace kontavo {

namespace {

int abcCommand(AbcMode mode) {
    switch (mode) {
        case AbcMode::Hidden:
            return ContactsViewSettings::kCmdHideBar;
        case AbcMode::Big:
            return ContactsViewSettings::kCmdBigBar;
        case AbcMode::Small:
            break;
    }
    return ContactsViewSettings::kCmdSmallBar;
}

}  // namespace

ContactsViewSettings::ContactsViewSettings(SettingsStore& settings, ChangeFlagSink* flags)
    : m_settings(settings), m_flags(flags) {}

bool ContactsViewSettings::isViewCommand(int id) {
    return id == kCmdNameOnly || id == kCmdTwoLine || id == kCmdOneLine ||
           (id >= kCmdHideBar && id <= kCmdBigBar) || (id >= kCmdSortName && id <= kCmdSortCompany);
}

void ContactsViewSettings::load() {
    m_nameOnly = m_settings.get(settings::kNameOnly) != 0;
    m_doubleSized = m_settings.get(settings::kIsDoubleSized) != 0;
    m_abcMode = abcModeFromSetting(m_settings.get(settings::kAbcMode));
    const int sort = m_settings.get(settings::kSortType);
    m_sortType = sort >= 0 && sort <= 2 ? sort : 0;
}

ContactsViewSettings::Change ContactsViewSettings::apply(int id) {
    switch (id) {
        case kCmdNameOnly:
            m_nameOnly = !m_nameOnly;
            m_settings.set(settings::kNameOnly, m_nameOnly ? 1 : 0);
            raise(ChangeFlagSink::kNameOnlyFlag);
            return Change::NameOnly;
        case kCmdTwoLine:
        case kCmdOneLine:
            return setDoubleSized(id == kCmdTwoLine);
        case kCmdHideBar:
            return setAbcMode(AbcMode::Hidden);
        case kCmdSmallBar:
            return setAbcMode(AbcMode::Small);
        case kCmdBigBar:
            return setAbcMode(AbcMode::Big);
        case kCmdSortName:
        case kCmdSortFileAs:
        case kCmdSortCompany:
            return setSortType(id - kCmdSortName);
        default:
            return Change::None;
    }
}

ContactsViewSettings::Change ContactsViewSettings::setDoubleSized(bool on) {
    if (on == m_doubleSized) {
        return Change::None;
    }
    m_doubleSized = on;
    m_settings.set(settings::kIsDoubleSized, on ? 1 : 0);
    raise(ChangeFlagSink::kDoubleSizedFlag);
    return Change::DoubleSized;
}

ContactsViewSettings::Change ContactsViewSettings::setAbcMode(AbcMode mode) {
    if (mode == m_abcMode) {
        return Change::None;
    }
    m_abcMode = mode;
    m_settings.set(settings::kAbcMode, int(mode));
    return Change::AbcMode;
}

ContactsViewSettings::Change ContactsViewSettings::setSortType(int type) {
    if (type == m_sortType) {
        return Change::None;
    }
    m_sortType = type;
    m_settings.set(settings::kSortType, type);
    raise(ChangeFlagSink::kSortTypeFlag);
    return Change::SortType;
}

void ContactsViewSettings::markMenu(MenuBar& bar) const {
    bar.checkItem(kCmdNameOnly, m_nameOnly);
    bar.checkRadioItem(kCmdTwoLine, kCmdOneLine, m_doubleSized ? kCmdTwoLine : kCmdOneLine);
    bar.checkRadioItem(kCmdHideBar, kCmdBigBar, abcCommand(m_abcMode));
    bar.checkRadioItem(kCmdSortName, kCmdSortCompany, kCmdSortName + m_sortType);
}

void ContactsViewSettings::raise(int flag) {
    if (m_flags != nullptr) {
        m_flags->raise(flag);
    }
}

}  // namespace kontavo
