#include "comm/phoneformatseditor.h"

#include <gtest/gtest.h>

#include "comm/phonetemplateset.h"
#include "comm/phonetemplatesettings.h"
#include "store/settings/settingsstore.h"
#include "support/tempdevice.h"

namespace kontavo {
namespace {

TEST(PhoneFormatsEditorTest, OpensOrderedByWeightKeepingTheStoredOrderAmongEquals) {
    const PhoneFormatsEditor editor({"###-####", "##", "(###)", "#-#", "##-##-##"}, true);
    EXPECT_EQ(editor.templates(), QStringList({"##", "#-#", "(###)", "##-##-##", "###-####"}));
    EXPECT_EQ(editor.selected(), -1);
    EXPECT_TRUE(editor.ignoreDashes());
    EXPECT_EQ(editor.example(), "Nothing to display");
}

TEST(PhoneFormatsEditorTest, SelectingShowsTheTemplateAndItsExample) {
    PhoneFormatsEditor editor({"###-###-####", "212-#-##-##-##", "800-1234567"}, false);
    editor.select(0);
    EXPECT_EQ(editor.editText(), "###-###-####");
    EXPECT_EQ(editor.example(), "123-456-7890");
    editor.select(1);
    EXPECT_EQ(editor.example(), "212-1-23-45-67");
    editor.setEditText("(###) ### ## ## ##");
    EXPECT_EQ(editor.example(), "(123) 456 78 90 12") << "the example follows the typing";
    editor.select(2);
    EXPECT_EQ(editor.example(), "Nothing to display") << "nothing to fill";
    editor.select(7);
    EXPECT_EQ(editor.selected(), -1);
    EXPECT_EQ(editor.example(), "Nothing to display");
}

TEST(PhoneFormatsEditorTest, AddTakesNewNonEmptyTextsOfAtMost259Characters) {
    PhoneFormatsEditor editor({"##"}, false);
    editor.setEditText("");
    EXPECT_FALSE(editor.add());
    editor.setEditText("##");
    EXPECT_FALSE(editor.add()) << "already listed";
    editor.setEditText("## ");
    EXPECT_TRUE(editor.add()) << "the comparison is exact";
    EXPECT_EQ(editor.selected(), 1);
    editor.setEditText(QString(300, u'#'));
    EXPECT_EQ(editor.editText().size(), 259);
    EXPECT_TRUE(editor.add());
    EXPECT_EQ(editor.templates().last().size(), 259);
    EXPECT_EQ(editor.templates().size(), 3);
}

TEST(PhoneFormatsEditorTest, DeleteSelectsTheEntryNowInItsPlace) {
    PhoneFormatsEditor editor({"#", "##", "###"}, false);
    editor.select(1);
    EXPECT_TRUE(editor.remove());
    EXPECT_EQ(editor.templates(), QStringList({"#", "###"}));
    EXPECT_EQ(editor.selected(), 1);
    EXPECT_EQ(editor.editText(), "###");
    EXPECT_TRUE(editor.remove());
    EXPECT_EQ(editor.selected(), 0) << "the new last one after the last was removed";
    EXPECT_EQ(editor.editText(), "#");
    EXPECT_TRUE(editor.remove());
    EXPECT_EQ(editor.selected(), -1);
    EXPECT_FALSE(editor.remove());
}

TEST(PhoneFormatsEditorTest, UpAndDownMoveTheSelectionNotPastTheEnds) {
    PhoneFormatsEditor editor({"#", "##", "###"}, false);
    EXPECT_FALSE(editor.moveUp());
    editor.select(0);
    EXPECT_FALSE(editor.moveUp());
    EXPECT_TRUE(editor.moveDown());
    EXPECT_TRUE(editor.moveDown());
    EXPECT_FALSE(editor.moveDown());
    EXPECT_EQ(editor.templates(), QStringList({"##", "###", "#"}));
    EXPECT_EQ(editor.selected(), 2);
    EXPECT_TRUE(editor.moveUp());
    EXPECT_EQ(editor.selected(), 1);
}

TEST(PhoneFormatsEditorTest, DefaultGivesTheDialogsOwnList) {
    PhoneFormatsEditor editor({"#"}, false);
    editor.resetToDefault();
    EXPECT_EQ(editor.templates(), PhoneTemplateSet::dialogDefaultTemplates());
    EXPECT_EQ(editor.templates()[3], "(###) ### ## ##");
    EXPECT_EQ(editor.selected(), 0);
    EXPECT_EQ(editor.editText(), "##-##-##");
}

TEST(PhoneFormatsEditorTest, SavingRewritesTheListAndTheIgnoreFlagButNotTheSwitch) {
    test::TempDevice device;
    SettingsStore& settings = device.settings();
    settings.setStringList(settings::kTemplates.toString(), {"a", "b", "c", "d", "e"});
    settings.set(settings::kIsActiveTemplate, 1);
    PhoneFormatsEditor editor = PhoneFormatsEditor::load(settings);
    EXPECT_EQ(editor.templates(), QStringList({"a", "b", "c", "d", "e"}));
    editor.select(4);
    editor.remove();
    editor.select(0);
    editor.moveDown();
    editor.setIgnoreDashes(true);
    ASSERT_TRUE(editor.save(settings));
    const PhoneTemplateSet saved = loadPhoneTemplates(settings);
    EXPECT_EQ(saved.templates(), QStringList({"b", "a", "c", "d"}));
    EXPECT_EQ(settings.getString(settings::kTemplates.toString(), "4", "none"), "none")
        << "no stale value is left";
    EXPECT_TRUE(saved.isIgnorePhoneFormat());
    EXPECT_TRUE(saved.isActiveTemplate()) << "the formatting switch is not the dialog's";
}

TEST(PhoneFormatsEditorTest, AnEmptiedListIsStoredAsCountZeroAndTheFirstRunListReturns) {
    test::TempDevice device;
    PhoneFormatsEditor editor = PhoneFormatsEditor::load(device.settings());
    while (editor.templates().size() > 0) {
        editor.select(0);
        editor.remove();
    }
    ASSERT_TRUE(editor.save(device.settings()));
    EXPECT_EQ(device.settings().getInt(settings::kTemplates.toString(), "Count", -1), 0);
    EXPECT_EQ(loadPhoneTemplates(device.settings()).templates(),
              PhoneTemplateSet::firstRunTemplates());
}

}  // namespace
}  // namespace kontavo
