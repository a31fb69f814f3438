#include "comm/phonetemplatesettings.h"

#include <gtest/gtest.h>

#include "support/tempdevice.h"

namespace kontavo {
namespace {

const QString kKey = QStringLiteral("Templates");

class PhoneTemplateSettingsTest : public ::testing::Test {
protected:
    SettingsStore& store() { return m_device.settings(); }
    QString stored(const QString& name) { return store().getString(kKey, name, "<missing>"); }
    int storedInt(const QString& name) { return store().getInt(kKey, name, -1); }

    test::TempDevice m_device;
};

TEST_F(PhoneTemplateSettingsTest, FirstRunInstallsAndWritesTheList) {
    const PhoneTemplateSet set = loadPhoneTemplates(store());
    EXPECT_EQ(set.templates(), PhoneTemplateSet::firstRunTemplates());
    EXPECT_FALSE(set.isActiveTemplate());
    EXPECT_EQ(storedInt("Count"), 6);
    EXPECT_EQ(stored("0"), QStringLiteral("##-##-##"));
    EXPECT_EQ(stored("5"), QStringLiteral("212-#-##-##-##"));
    EXPECT_EQ(storedInt("IsActiveTemplate"), 0);
}

TEST_F(PhoneTemplateSettingsTest, FirstRunKeepsTheIgnoreFlag) {
    store().setInt(kKey, "IsIgnorePhoneFormat", 1);
    store().setInt(kKey, "IsActiveTemplate", 1);
    const PhoneTemplateSet set = loadPhoneTemplates(store());
    EXPECT_TRUE(set.isIgnorePhoneFormat());
    EXPECT_FALSE(set.isActiveTemplate());
    EXPECT_EQ(storedInt("IsIgnorePhoneFormat"), 1);
}

TEST_F(PhoneTemplateSettingsTest, EmptyAndOverlongValuesTakeNoPlace) {
    store().setInt(kKey, "Count", 5);
    store().setString(kKey, "0", "##");
    store().setString(kKey, "1", "");
    store().setString(kKey, "2", QString(260, u'#'));
    store().setString(kKey, "3", QString(259, u'#'));
    store().setString(kKey, "4", "###");
    store().setInt(kKey, "IsActiveTemplate", 1);
    const PhoneTemplateSet set = loadPhoneTemplates(store());
    EXPECT_EQ(set.templates(), QStringList({"##", QString(259, u'#'), "###"}));
    EXPECT_EQ(set.weights(), QList<int>({2, 259, 3}));
    EXPECT_TRUE(set.isActiveTemplate());
    EXPECT_FALSE(set.isIgnorePhoneFormat());
}

TEST_F(PhoneTemplateSettingsTest, DamagedCountDoesNotStallTheStart) {
    store().setInt(kKey, "Count", 0x7FFFFFFF);
    store().setString(kKey, "0", "##");
    EXPECT_EQ(loadPhoneTemplates(store()).templates(), QStringList({"##"}));
}

TEST_F(PhoneTemplateSettingsTest, SavingRewritesTheListAndKeepsTheSwitch) {
    store().setInt(kKey, "IsActiveTemplate", 1);
    ASSERT_TRUE(savePhoneTemplates(store(), {"a#", "b#", "c#", "d#", "e#"}, false));
    ASSERT_TRUE(savePhoneTemplates(store(), {"###", "##-##"}, true));
    EXPECT_EQ(storedInt("Count"), 2);
    EXPECT_EQ(stored("0"), QStringLiteral("###"));
    EXPECT_EQ(stored("1"), QStringLiteral("##-##"));
    EXPECT_EQ(stored("2"), QStringLiteral("<missing>"));
    EXPECT_EQ(stored("4"), QStringLiteral("<missing>"));
    EXPECT_EQ(storedInt("IsIgnorePhoneFormat"), 1);
    EXPECT_EQ(storedInt("IsActiveTemplate"), 1);
    const PhoneTemplateSet set = loadPhoneTemplates(store());
    EXPECT_EQ(set.templates(), QStringList({"###", "##-##"}));
    EXPECT_TRUE(set.isActiveTemplate());
    EXPECT_TRUE(set.isIgnorePhoneFormat());
}

TEST_F(PhoneTemplateSettingsTest, EmptiedListReturnsToTheFirstRunList) {
    ASSERT_TRUE(savePhoneTemplates(store(), {}, false));
    EXPECT_EQ(storedInt("Count"), 0);
    EXPECT_EQ(loadPhoneTemplates(store()).templates(), PhoneTemplateSet::firstRunTemplates());
    EXPECT_EQ(storedInt("Count"), 6);
}

}  // namespace
}  // namespace kontavo
