#include "comm/optionsflow.h"

namespace kontavo {

void applyOptions(const OptionsOutcome& outcome, OptionsTarget& target, const Locale& locale) {
    if (!(outcome.fontAfter == outcome.fontBefore)) {
        target.applyListFont(outcome.fontAfter);
        target.raiseChangeFlag(OptionsTarget::kListFontFlag);
    }
    const LetterGroupSet::Changes changes =
        LetterGroupSet::compare(outcome.groupsBefore, outcome.groupsAfter, locale);
    if (changes.labels || changes.letters) {
        target.applyLetterGroups(outcome.groupsAfter, changes.labels);
        target.raiseChangeFlag(OptionsTarget::kAbcBarFlag);
        if (changes.letters) {
            target.rebuildIndexWords();
            target.raiseChangeFlag(OptionsTarget::kIndexWordsFlag);
        }
    }
    target.applyPhoneTemplates(outcome.templates);
    target.raiseChangeFlag(OptionsTarget::kOptionsFlag);
    target.refresh();
    if (outcome.todayAfter != outcome.todayBefore) {
        target.setTodayRegistered(outcome.todayAfter);
    }
}

}  // namespace kontavo
