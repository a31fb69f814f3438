#pragma once

#include "comm/listfont.h"
#include "comm/phonetemplateset.h"
#include "store/index/lettergroupset.h"

namespace kontavo {

class Locale;

// What a confirmed options page changed.
struct OptionsOutcome {
    ListFont fontBefore;
    ListFont fontAfter;
    LetterGroupSet groupsBefore;
    LetterGroupSet groupsAfter;  // the set now stored
    PhoneTemplateSet templates;
    bool todayBefore = false;  // the plug-in's state when the page opened
    bool todayAfter = false;   // "Enable plugin" when it was confirmed
};

// The main window's side of a confirmed options page.
class OptionsTarget {
public:
    // The change flags of the coordination block the options raise
    // (docs/formats/pimsync-block.md).
    static constexpr int kIndexWordsFlag = 0;
    static constexpr int kAbcBarFlag = 1;
    static constexpr int kOptionsFlag = 2;
    static constexpr int kListFontFlag = 3;

    virtual ~OptionsTarget() = default;
    // Stores the list font and redraws the frames with it.
    virtual void applyListFont(const ListFont& font) = 0;
    // The bars and the search use `groups` (the bars rebuilt when the
    // labels changed).
    virtual void applyLetterGroups(const LetterGroupSet& groups, bool labelsChanged) = 0;
    // Rebuilds the index's words under the progress window.
    virtual void rebuildIndexWords() = 0;
    virtual void raiseChangeFlag(int flag) = 0;
    // Replaces the running phone templates.
    virtual void applyPhoneTemplates(const PhoneTemplateSet& templates) = 0;
    // Refreshes the list and the frame.
    virtual void refresh() = 0;
    virtual void setTodayRegistered(bool on) = 0;
};

// After OK, in this order: a changed list font is stored and drawn (flag
// 3); changed letter groups are applied (flag 1), and when their letters
// changed the index's words are rebuilt (flag 0); the phone templates
// replace the running ones (flag 2); the list and frame are refreshed; the
// Today plug-in is switched when its choice changed.
void applyOptions(const OptionsOutcome& outcome, OptionsTarget& target, const Locale& locale);

}  // namespace kontavo
