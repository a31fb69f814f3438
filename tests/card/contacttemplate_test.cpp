#include "card/contacttemplate.h"

#include <gtest/gtest.h>

#include "card/contacttemplatefile.h"
#include "support/tempdevice.h"

namespace kontavo {
namespace {

constexpr int kDefaultFormat = 16;

// The label texts of a group's rows.
QStringList rowLabels(const ContactTemplate& tmpl, int type) {
    const TemplateGroup& group = *tmpl.getGroup(type);
    return labelTexts(group.labels, group.selection);
}

QList<int> visibleGroups(const ContactTemplate& tmpl) {
    QList<int> types;
    for (int type = 0; type < kTemplateGroupCount; ++type) {
        if (tmpl.isGroupShown(type)) {
            types.append(type);
        }
    }
    return types;
}

TEST(ContactTemplateTest, ConstructionLoadsBuiltInLabelsAndHints) {
    const ContactTemplate tmpl(kDefaultFormat);
    EXPECT_EQ(
        tmpl.getGroup(kGroupName)->labels.texts(),
        QStringList({"Name", "Title", "First", "Middle@Mid.", "Last", "Suffix@Suf.",
                     "Job Title@Job", "Company@Comp.", "Department@Dept.", "File As@FileAs"}));
    EXPECT_EQ(tmpl.getGroup(kGroupPhone)->labels.texts(),
              QStringList({"Work", "Home", "Mobile", "Home fax", "Work fax", "Car", "Pager",
                           "Radio", "Assistant", "MMS", "Company"}));
    EXPECT_EQ(tmpl.getGroup(kGroupMsg)->labels.texts(), QStringList({"IM", "IM 2", "IM 3"}));
    EXPECT_EQ(tmpl.getGroup(kGroupMsg)->messengerTypes.texts(), QStringList({"AOL", "ICQ", "MSN"}));
    EXPECT_EQ(tmpl.getGroup(kGroupPeople)->labels.texts(),
              QStringList({"Assistant", "Children", "Spouse", "Friend"}));
    EXPECT_EQ(tmpl.getGroup(kGroupOther)->labels.texts(),
              QStringList({"Nickname", "Account", "Cust.ID", "Govt.ID"}));
    EXPECT_EQ(tmpl.getGroup(kGroupLink)->labels.texts(), QStringList({"Ringtone", "Linked file"}));
    EXPECT_EQ(tmpl.getGroup(kGroupCategory)->labels.texts(), QStringList({"Categories"}));
    QStringList hints;
    for (int type = 0; type < kTemplateGroupCount; ++type) {
        hints.append(tmpl.getGroup(type)->hint);
        EXPECT_TRUE(tmpl.getGroup(type)->selection.isEmpty());
    }
    EXPECT_EQ(hints, QStringList({"", "Phone", "e-mail", "number", "http://", "location", "",
                                  "name", "name", "Date", "file", "value"}));
    EXPECT_FALSE(tmpl.nameCollapsed());
    EXPECT_EQ(tmpl.getGroup(kGroupPhone)->labels.builtInCount(), 11);
}

TEST(ContactTemplateTest, DefaultsShowTheDefaultRows) {
    ContactTemplate tmpl(kDefaultFormat);
    tmpl.setDefaults();
    EXPECT_EQ(visibleGroups(tmpl), QList<int>({0, 1, 2, 3, 5, 6, 7, 9, 10}));
    EXPECT_EQ(rowLabels(tmpl, kGroupPhone), QStringList({"Work", "Home", "Mobile"}));
    EXPECT_EQ(rowLabels(tmpl, kGroupEMail), QStringList({"E-mail"}));
    EXPECT_EQ(rowLabels(tmpl, kGroupMsg), QStringList({"IM"}));
    EXPECT_EQ(tmpl.getGroup(kGroupMsg)->messengerSelection, QList<int>({0}));
    EXPECT_EQ(rowLabels(tmpl, kGroupAddr), QStringList({"Work"}));
    EXPECT_EQ(tmpl.getGroup(kGroupAddr)->addrFormat, QList<int>({kDefaultFormat}));
    EXPECT_EQ(rowLabels(tmpl, kGroupDate), QStringList({"Birthday"}));
    EXPECT_EQ(rowLabels(tmpl, kGroupLink), QStringList({"Ringtone"}));
    // Hidden by default: no rows, so the edit form gets no block either.
    EXPECT_TRUE(tmpl.getGroup(kGroupWeb)->selection.isEmpty());
    EXPECT_TRUE(tmpl.getGroup(kGroupOther)->selection.isEmpty());
    const QList<bool> expectedParts = {true,  true, true, true, true,
                                       false, true, true, true, false};
    for (int part = 0; part < ContactTemplate::kNamePartCount; ++part) {
        EXPECT_EQ(tmpl.getNamePart(part), expectedParts[part]) << part;
    }
}

TEST(ContactTemplateTest, SwitchingAGroupOnSeedsItsDefaultRows) {
    ContactTemplate tmpl(kDefaultFormat);
    tmpl.setDefaults();
    tmpl.setGroupShown(kGroupOther, true);
    EXPECT_EQ(rowLabels(tmpl, kGroupOther),
              QStringList({"Nickname", "Account", "Cust.ID", "Govt.ID"}));
    tmpl.setGroupShown(kGroupPeople, true);
    EXPECT_EQ(rowLabels(tmpl, kGroupPeople), QStringList({"Spouse"}));
    tmpl.setGroupShown(kGroupWeb, true);
    EXPECT_TRUE(tmpl.isGroupShown(kGroupWeb));

    tmpl.getGroup(kGroupPhone)->addRow("Car");
    tmpl.setGroupShown(kGroupPhone, false);
    EXPECT_FALSE(tmpl.isGroupShown(kGroupPhone));
    tmpl.setGroupShown(kGroupPhone, true);
    EXPECT_EQ(rowLabels(tmpl, kGroupPhone), QStringList({"Work", "Home", "Mobile", "Car"}));

    tmpl.setGroupShown(kGroupOffice, false);
    EXPECT_FALSE(tmpl.isGroupShown(kGroupOffice));
    tmpl.setGroupShown(kGroupOffice, true);
    EXPECT_TRUE(tmpl.getGroup(kGroupOffice)->selection.isEmpty());
}

TEST(ContactTemplateTest, SeedingKeepsParallelListsInStep) {
    ContactTemplate tmpl(3);
    tmpl.getGroup(kGroupMsg)->messengerSelection = {2, 1};
    tmpl.getGroup(kGroupAddr)->addrFormat = {7};
    tmpl.setGroupShown(kGroupMsg, true);
    tmpl.setGroupShown(kGroupAddr, true);
    EXPECT_EQ(tmpl.getGroup(kGroupMsg)->messengerSelection, QList<int>({0}));
    EXPECT_EQ(tmpl.getGroup(kGroupAddr)->addrFormat, QList<int>({3}));
}

TEST(ContactTemplateTest, GroupTypesOutsideTheTemplate) {
    ContactTemplate tmpl(kDefaultFormat);
    EXPECT_TRUE(tmpl.isGroupShown(kGroupName));
    EXPECT_FALSE(tmpl.isGroupShown(kGroupNotes));
    EXPECT_FALSE(tmpl.isGroupShown(-1));
    EXPECT_EQ(tmpl.getGroup(kGroupNotes), nullptr);
    EXPECT_EQ(tmpl.getGroup(-1), nullptr);
    tmpl.setGroupShown(kGroupNotes, true);
    tmpl.setGroupShown(kGroupName, false);
    EXPECT_TRUE(tmpl.isGroupShown(kGroupName));
    // A visible list group needs rows.
    EXPECT_FALSE(tmpl.isGroupShown(kGroupPhone));
    EXPECT_TRUE(tmpl.isGroupShown(kGroupOffice));
}

TEST(ContactTemplateTest, NamePartFlags) {
    ContactTemplate tmpl(kDefaultFormat);
    tmpl.setNamePart(ContactTemplate::kPartTitle, false);
    EXPECT_FALSE(tmpl.getNamePart(ContactTemplate::kPartTitle));
    tmpl.setNamePart(ContactTemplate::kPartFileAs, true);
    EXPECT_TRUE(tmpl.getNamePart(ContactTemplate::kPartFileAs));
    for (const int always : {0, 2, 3, 4, 7}) {
        tmpl.setNamePart(always, false);
        EXPECT_TRUE(tmpl.getNamePart(always)) << always;
    }
    tmpl.setNamePart(10, false);
    EXPECT_TRUE(tmpl.getNamePart(10));
    EXPECT_TRUE(tmpl.getNamePart(-1));
}

TEST(ContactTemplateTest, ResetKeepsTheNameBlock) {
    ContactTemplate tmpl(kDefaultFormat);
    tmpl.setDefaults();
    tmpl.setNameCollapsed(true);
    tmpl.setNamePart(ContactTemplate::kPartJobTitle, false);
    tmpl.getGroup(kGroupPhone)->addRow("Boat");
    tmpl.getGroup(kGroupMsg)->messengerTypes.findOrAppend("Skype");
    tmpl.setGroupShown(kGroupOffice, false);
    tmpl.reset();
    EXPECT_TRUE(tmpl.nameCollapsed());
    EXPECT_FALSE(tmpl.getNamePart(ContactTemplate::kPartJobTitle));
    EXPECT_EQ(tmpl.getGroup(kGroupPhone)->labels.size(), 11);
    EXPECT_EQ(tmpl.getGroup(kGroupMsg)->messengerTypes.size(), 3);
    EXPECT_TRUE(tmpl.getGroup(kGroupAddr)->addrFormat.isEmpty());
    EXPECT_TRUE(tmpl.getGroup(kGroupOffice)->shown);
    EXPECT_EQ(visibleGroups(tmpl), QList<int>({0, 5, 7}));
}

TEST(ContactTemplateTest, CopyFromTakesEverythingOver) {
    ContactTemplate from(kDefaultFormat);
    from.setDefaults();
    from.setNameCollapsed(true);
    from.setNamePart(ContactTemplate::kPartSuffix, true);
    from.getGroup(kGroupPhone)->addRow("Boat");
    from.getGroup(kGroupMsg)->messengerSelection = {
        from.getGroup(kGroupMsg)->messengerTypes.findOrAppend("Skype")};
    from.setGroupShown(kGroupCategory, false);

    ContactTemplate to(kDefaultFormat);
    to.getGroup(kGroupPhone)->addRow("Stale custom");
    to.copyFrom(from);
    EXPECT_TRUE(to.nameCollapsed());
    EXPECT_TRUE(to.getNamePart(ContactTemplate::kPartSuffix));
    EXPECT_EQ(rowLabels(to, kGroupPhone), QStringList({"Work", "Home", "Mobile", "Boat"}));
    EXPECT_EQ(to.getGroup(kGroupPhone)->labels.customLabels(), QStringList({"Boat"}));
    EXPECT_EQ(
        to.getGroup(kGroupMsg)->messengerTypes.at(to.getGroup(kGroupMsg)->messengerSelection[0]),
        QStringLiteral("Skype"));
    EXPECT_EQ(to.getGroup(kGroupAddr)->addrFormat, QList<int>({kDefaultFormat}));
    EXPECT_FALSE(to.isGroupShown(kGroupCategory));
    EXPECT_EQ(visibleGroups(to), visibleGroups(from));
    to.copyFrom(to);
    EXPECT_EQ(rowLabels(to, kGroupPhone), QStringList({"Work", "Home", "Mobile", "Boat"}));
}

TEST(ContactTemplateTest, LabelsCarryAShortForm) {
    EXPECT_EQ(fullLabel("Middle@Mid."), QStringLiteral("Middle"));
    EXPECT_EQ(shortLabel("Middle@Mid."), QStringLiteral("Mid."));
    EXPECT_EQ(fullLabel("Work"), QStringLiteral("Work"));
    EXPECT_EQ(shortLabel("Work"), QStringLiteral("Work"));
    EXPECT_EQ(fullLabel("@home"), QStringLiteral("@home"));
}

class ContactTemplateFileTest : public ::testing::Test {
protected:
    test::TempDevice m_device;
};

TEST_F(ContactTemplateFileTest, SavingCreatesTheFolderAndRecordsTheDocumentsFolder) {
    ContactTemplate tmpl(kDefaultFormat);
    tmpl.setDefaults();
    ASSERT_TRUE(saveContactTemplate(tmpl, m_device.fs(), m_device.settings()));
    EXPECT_TRUE(m_device.fs().fileExists("\\My Documents\\Kontavo Files\\Contact template.tpl"));
    EXPECT_EQ(m_device.settings().get(settings::kMyDocumentsFolder),
              QStringLiteral("\\My Documents"));

    ContactTemplate loaded(kDefaultFormat);
    loadContactTemplate(loaded, m_device.fs());
    EXPECT_EQ(visibleGroups(loaded), visibleGroups(tmpl));
}

TEST_F(ContactTemplateFileTest, MissingFileGivesDefaultsWithoutCreatingTheFolder) {
    ContactTemplate tmpl(kDefaultFormat);
    EXPECT_FALSE(tmpl.load(m_device.fs(), contactTemplatePath()));
    loadContactTemplate(tmpl, m_device.fs());
    EXPECT_EQ(visibleGroups(tmpl), QList<int>({0, 1, 2, 3, 5, 6, 7, 9, 10}));
    EXPECT_FALSE(m_device.fs().folderExists(programDataFolder()));
}

TEST_F(ContactTemplateFileTest, EmptyFileIsDeleted) {
    m_device.writeFile(contactTemplatePath(), QByteArray());
    ContactTemplate tmpl(kDefaultFormat);
    tmpl.setDefaults();
    tmpl.getGroup(kGroupPhone)->addRow("Boat");
    EXPECT_FALSE(tmpl.load(m_device.fs(), contactTemplatePath()));
    EXPECT_FALSE(m_device.fs().fileExists(contactTemplatePath()));
    EXPECT_EQ(rowLabels(tmpl, kGroupPhone), QStringList({"Work", "Home", "Mobile", "Boat"}));
}

}  // namespace
}  // namespace kontavo
