#include <gtest/gtest.h>

#include "platform/registry.h"
#include "store/settings/settingsstore.h"
#include "support/tempdevice.h"

namespace kontavo {
namespace {

const QString kRoot = QStringLiteral("Software\\Tarnwel\\PIM\\");

class SettingsStoreTest : public ::testing::Test {
protected:
    Registry& reg() { return m_device.registry(); }
    SettingsStore& store() { return m_device.settings(); }
    test::TempDevice m_device;
};

TEST_F(SettingsStoreTest, SubkeysLieDirectlyUnderTheRoot) {
    ASSERT_TRUE(store().setInt("Settings", "SortType", 2));
    EXPECT_EQ(reg().queryValue(Hive::CurrentUser, kRoot + "Settings", "SortType")->dword(), 2u);
    ASSERT_TRUE(store().setInt("Categories\\Recent", "Count", 0));
    EXPECT_TRUE(reg().keyExists(Hive::CurrentUser, kRoot + "Categories\\Recent"));
}

TEST_F(SettingsStoreTest, ValueOfTheWrongTypeReadsAsDefault) {
    ASSERT_TRUE(store().setString("Settings", "SortType", "2"));
    EXPECT_EQ(store().get(settings::kSortType), 0);
    ASSERT_TRUE(store().setInt("Settings", "LastPicPath", 5));
    EXPECT_EQ(store().get(settings::kLastPicPath), QStringLiteral(""));
    ASSERT_TRUE(store().setString("ABC", "Custom", "text"));
    EXPECT_TRUE(store().get(settings::kAbcCustom).isEmpty());
    // A DWORD of the wrong size is not a DWORD either.
    ASSERT_TRUE(reg().setValue(Hive::CurrentUser, kRoot + "Settings", "AbcMode",
                               RegValue{RegType::Dword, QByteArray(2, '\1')}));
    EXPECT_EQ(store().get(settings::kAbcMode), 0);
}

TEST_F(SettingsStoreTest, MissingValuesReadAsTheirDefaults) {
    EXPECT_EQ(store().get(settings::kSplitVisible), 1);
    EXPECT_EQ(store().get(settings::kSplitPercent), 500);
    EXPECT_EQ(store().get(settings::kSplitMode), 2);
    EXPECT_EQ(store().get(settings::kAbcType), -1);
    EXPECT_EQ(store().get(settings::kListFontName), QStringLiteral("Tahoma"));
    EXPECT_EQ(store().get(settings::listFontHeight(96)), 11);
    EXPECT_EQ(store().get(settings::listFontHeight(192)), 21);
    EXPECT_EQ(store().getString("Settings", "Nothing", QString()), QStringLiteral(""));
    // Reading never creates the key.
    EXPECT_FALSE(reg().keyExists(Hive::CurrentUser, kRoot + "Settings"));
}

TEST_F(SettingsStoreTest, NullNamesReadDefaultsAndFailWrites) {
    EXPECT_EQ(store().getInt(QString(), "SortType", 9), 9);
    EXPECT_EQ(store().getInt("Settings", QString(), 9), 9);
    EXPECT_FALSE(store().setInt(QString(), "SortType", 1));
    EXPECT_FALSE(store().setString("Settings", QString(), "x"));
    EXPECT_FALSE(store().setBinary(QString(), "x", "y"));
    EXPECT_FALSE(store().deleteKeyTree(QString()));
    EXPECT_EQ(store().getString(QString(), "x", "fallback"), QStringLiteral("fallback"));
}

TEST_F(SettingsStoreTest, StringsAreStoredWithTheirTerminatingZero) {
    ASSERT_TRUE(store().set(settings::kCallerIdPhone, "+49 30 1234"));
    const auto value = reg().queryValue(Hive::CurrentUser, kRoot + "Settings", "CallerIDPhone");
    EXPECT_EQ(value->data.size(), (11 + 1) * 2);
    EXPECT_EQ(store().get(settings::kCallerIdPhone), QStringLiteral("+49 30 1234"));
}

TEST_F(SettingsStoreTest, LimitedStringYieldsDefaultWhenTooLong) {
    ASSERT_TRUE(store().setString("Settings", "LastPicPath", "12345"));
    EXPECT_EQ(store().getStringLimited("Settings", "LastPicPath", 6, "def"), QStringLiteral("12345"));
    EXPECT_EQ(store().getStringLimited("Settings", "LastPicPath", 5, "def"), QStringLiteral("def"));
    EXPECT_EQ(store().getStringLimited("Settings", "LastPicPath", 4, "def"), QStringLiteral("def"));
    EXPECT_EQ(store().getStringLimited("Settings", "Missing", 100, "def"), QStringLiteral("def"));
}

TEST_F(SettingsStoreTest, BinaryValuesRoundTrip) {
    const QByteArray custom("A\0B\0C\0", 6);
    ASSERT_TRUE(store().set(settings::kAbcCustom, custom));
    EXPECT_EQ(store().get(settings::kAbcCustom), custom);
    EXPECT_TRUE(store().getBinary("ABC", "Missing").isEmpty());
}

TEST_F(SettingsStoreTest, RewritingAListLeavesNoStaleItems) {
    ASSERT_TRUE(store().setIntList("Categories\\Recent", {5, 4, 3, 2, 1}));
    ASSERT_TRUE(store().setIntList("Categories\\Recent", {7, 8, 9}));
    EXPECT_EQ(store().getIntList("Categories\\Recent"), (QList<uint32_t>{7, 8, 9}));
    EXPECT_FALSE(reg().queryValue(Hive::CurrentUser, kRoot + "Categories\\Recent", "3").has_value());
    EXPECT_FALSE(reg().queryValue(Hive::CurrentUser, kRoot + "Categories\\Recent", "4").has_value());
    EXPECT_EQ(store().getInt("Categories\\Recent", "Count", -1), 3);
}

TEST_F(SettingsStoreTest, RewritingTheParentListDeletesNestedKeysToo) {
    ASSERT_TRUE(store().setIntList("Categories\\Recent", {1, 2}));
    ASSERT_TRUE(store().setIntList("Categories", {10}));
    EXPECT_FALSE(reg().keyExists(Hive::CurrentUser, kRoot + "Categories\\Recent"));
    EXPECT_EQ(store().getIntList("Categories"), QList<uint32_t>{10});
}

TEST_F(SettingsStoreTest, StringListsRoundTripAndStopAtAGap) {
    ASSERT_TRUE(store().setStringList("Templates", {"+# (###) ###-##-##", "###-####"}));
    EXPECT_EQ(store().getStringList("Templates"), (QStringList{"+# (###) ###-##-##", "###-####"}));
    ASSERT_TRUE(store().deleteValue("Templates", "0"));
    EXPECT_TRUE(store().getStringList("Templates").isEmpty());
    EXPECT_TRUE(store().getStringList("Nothing").isEmpty());
}

TEST_F(SettingsStoreTest, DeleteKeyTreeRemovesTheSubkeyAndBelowOnly) {
    ASSERT_TRUE(store().setInt("A\\B\\C", "v", 1));
    ASSERT_TRUE(store().setInt("A\\D", "v", 1));
    ASSERT_TRUE(store().setInt("A", "v", 1));
    ASSERT_TRUE(store().setInt("Settings", "v", 1));
    EXPECT_TRUE(store().deleteKeyTree("A"));
    EXPECT_FALSE(reg().keyExists(Hive::CurrentUser, kRoot + "A"));
    EXPECT_EQ(store().getInt("Settings", "v", 0), 1);
    EXPECT_FALSE(store().deleteKeyTree("A"));
    ASSERT_TRUE(store().setInt("X\\Y\\Z", "v", 1));
    EXPECT_TRUE(store().deleteKeyTree("X\\Y"));
    EXPECT_TRUE(reg().keyExists(Hive::CurrentUser, kRoot + "X"));
    EXPECT_FALSE(reg().keyExists(Hive::CurrentUser, kRoot + "X\\Y"));
}

TEST_F(SettingsStoreTest, FileFlagIsNamedByTheLastPathComponent) {
    ASSERT_TRUE(store().setFileFlag("\\Temp\\pim_index1.dat", true));
    EXPECT_EQ(store().getInt("Settings", "pim_index1.dat", 0), 1);
    EXPECT_TRUE(store().getFileFlag("pim_index1.dat"));
    EXPECT_FALSE(store().getFileFlag("\\Temp\\pim_index2.dat"));
    ASSERT_TRUE(store().setFileFlag("pim_index1.dat", false));
    EXPECT_FALSE(store().getFileFlag("\\Other\\pim_index1.dat"));
    EXPECT_EQ(store().getInt("Settings", "pim_index1.dat", 7), 0);
}

}  // namespace
}  // namespace kontavo
