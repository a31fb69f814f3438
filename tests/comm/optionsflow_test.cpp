// What follows a confirmed options page, in order.
#include "comm/optionsflow.h"

#include <gtest/gtest.h>

#include <QStringList>

#include "platform/locale.h"

namespace kontavo {
namespace {

class RecordingTarget final : public OptionsTarget {
public:
    void applyListFont(const ListFont& font) override {
        steps << QStringLiteral("font %1").arg(font.height);
    }
    void applyLetterGroups(const LetterGroupSet& groups, bool labelsChanged) override {
        steps << QStringLiteral("groups %1 %2").arg(groups.labels().value(0)).arg(labelsChanged);
    }
    void rebuildIndexWords() override { steps << QStringLiteral("rebuild"); }
    void raiseChangeFlag(int flag) override { steps << QStringLiteral("flag %1").arg(flag); }
    void applyPhoneTemplates(const PhoneTemplateSet& templates) override {
        steps << QStringLiteral("templates %1").arg(templates.isActiveTemplate());
    }
    void refresh() override { steps << QStringLiteral("refresh"); }
    void setTodayRegistered(bool on) override { steps << QStringLiteral("today %1").arg(on); }

    QStringList steps;
};

OptionsOutcome unchanged() {
    OptionsOutcome outcome;
    outcome.fontBefore.face = QStringLiteral("Tahoma");
    outcome.fontBefore.height = -11;
    outcome.fontAfter = outcome.fontBefore;
    outcome.groupsBefore = *LetterGroupSet::parse(u"ABC/ABC DEF/DEF");
    outcome.groupsAfter = outcome.groupsBefore;
    return outcome;
}

const Locale& english() {
    static const Locale locale(QLocale(QLocale::English, QLocale::UnitedStates));
    return locale;
}

TEST(OptionsFlowTest, NothingChangedStillReplacesTheTemplatesAndRefreshes) {
    RecordingTarget target;
    applyOptions(unchanged(), target, english());
    EXPECT_EQ(target.steps, QStringList({"templates 0", "flag 2", "refresh"}));
}

TEST(OptionsFlowTest, EveryChangeInItsOrderWithItsFlag) {
    OptionsOutcome outcome = unchanged();
    outcome.fontAfter.italic = true;
    outcome.fontAfter.height = -15;
    outcome.groupsAfter = *LetterGroupSet::parse(u"АБВ/АБВ DEF/DEF");
    outcome.templates.setActiveTemplate(true);
    outcome.todayAfter = true;
    RecordingTarget target;
    applyOptions(outcome, target, english());
    EXPECT_EQ(target.steps, QStringList({"font -15", "flag 3", "groups АБВ 1", "flag 1", "rebuild",
                                         "flag 0", "templates 1", "flag 2", "refresh", "today 1"}));
}

TEST(OptionsFlowTest, NewLabelsOverTheSameLettersRebuildOnlyTheBars) {
    OptionsOutcome outcome = unchanged();
    outcome.groupsAfter = *LetterGroupSet::parse(u"abc/ABC def/DEF");
    outcome.todayBefore = true;
    RecordingTarget target;
    applyOptions(outcome, target, english());
    EXPECT_EQ(target.steps, QStringList({"groups abc 1", "flag 1", "templates 0", "flag 2",
                                         "refresh", "today 0"}));
}

}  // namespace
}  // namespace kontavo
