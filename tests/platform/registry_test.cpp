#include <gtest/gtest.h>

#include <QProcess>
#include <QTemporaryDir>

#include "platform/sqliteregistry.h"
#include "support/tempdevice.h"

namespace kontavo {
namespace {

const QString kKey = QStringLiteral("Software\\Tarnwel\\PIM\\Settings");

TEST(RegistryTest, StoresEachTypeWithItsBytes) {
    test::TempDevice device;
    Registry& reg = device.registry();
    ASSERT_TRUE(reg.setValue(Hive::CurrentUser, kKey, "d", RegValue::fromDword(0xFFFFFFFE)));
    ASSERT_TRUE(reg.setValue(Hive::CurrentUser, kKey, "s", RegValue::fromString("Привет")));
    ASSERT_TRUE(reg.setValue(Hive::CurrentUser, kKey, "b", RegValue::fromBinary({"\0\1\2", 3})));
    ASSERT_TRUE(reg.setValue(Hive::CurrentUser, kKey, "e", RegValue::fromBinary({})));

    const auto d = reg.queryValue(Hive::CurrentUser, kKey, "D");
    ASSERT_TRUE(d.has_value());
    EXPECT_EQ(d->type, RegType::Dword);
    EXPECT_EQ(d->data, QByteArray("\xFE\xFF\xFF\xFF", 4));
    const auto s = reg.queryValue(Hive::CurrentUser, kKey, "s");
    EXPECT_EQ(s->type, RegType::Sz);
    EXPECT_EQ(s->data.size(), (6 + 1) * 2);  // UTF-16 with the terminating zero
    EXPECT_EQ(s->string().value(), QStringLiteral("Привет"));
    EXPECT_FALSE(s->dword().has_value());
    const auto b = reg.queryValue(Hive::CurrentUser, kKey, "b");
    EXPECT_EQ(b->type, RegType::Binary);
    EXPECT_EQ(b->data, QByteArray("\0\1\2", 3));
    const auto e = reg.queryValue(Hive::CurrentUser, kKey, "e");
    ASSERT_TRUE(e.has_value());
    EXPECT_TRUE(e->data.isEmpty());
}

TEST(RegistryTest, KeysAndNamesIgnoreCaseButKeepSpelling) {
    test::TempDevice device;
    Registry& reg = device.registry();
    ASSERT_TRUE(reg.setValue(Hive::CurrentUser, "Software\\MiXed", "Name", RegValue::fromDword(1)));
    ASSERT_TRUE(reg.setValue(Hive::CurrentUser, "SOFTWARE\\mixed\\", "NAME", RegValue::fromDword(2)));
    EXPECT_EQ(reg.queryValue(Hive::CurrentUser, "software\\MIXED", "name")->dword(), 2u);
    EXPECT_EQ(reg.valueNames(Hive::CurrentUser, "software\\mixed"), QStringList{"Name"});
    EXPECT_EQ(reg.enumSubkey(Hive::CurrentUser, "SOFTWARE", 0).value(), QStringLiteral("MiXed"));
}

TEST(RegistryTest, HivesAreSeparate) {
    test::TempDevice device;
    Registry& reg = device.registry();
    ASSERT_TRUE(reg.setValue(Hive::LocalMachine, "SOFTWARE\\X", "v", RegValue::fromDword(7)));
    EXPECT_FALSE(reg.keyExists(Hive::CurrentUser, "SOFTWARE\\X"));
    EXPECT_FALSE(reg.queryValue(Hive::CurrentUser, "SOFTWARE\\X", "v").has_value());
    EXPECT_EQ(reg.queryValue(Hive::LocalMachine, "software\\x", "v")->dword(), 7u);
}

TEST(RegistryTest, ReadingNeverCreatesKeys) {
    test::TempDevice device;
    Registry& reg = device.registry();
    EXPECT_FALSE(reg.queryValue(Hive::CurrentUser, "A\\B", "v").has_value());
    EXPECT_FALSE(reg.keyExists(Hive::CurrentUser, "A"));
    EXPECT_TRUE(reg.createKey(Hive::CurrentUser, "A\\B"));
    EXPECT_TRUE(reg.keyExists(Hive::CurrentUser, "A"));
    EXPECT_TRUE(reg.valueNames(Hive::CurrentUser, "A\\B").isEmpty());
}

TEST(RegistryTest, DeletesValuesAndLeafKeysOnly) {
    test::TempDevice device;
    Registry& reg = device.registry();
    ASSERT_TRUE(reg.setValue(Hive::CurrentUser, "P\\C", "v", RegValue::fromDword(1)));
    ASSERT_TRUE(reg.setValue(Hive::CurrentUser, "P", "w", RegValue::fromDword(1)));
    EXPECT_FALSE(reg.deleteValue(Hive::CurrentUser, "P", "missing"));
    EXPECT_TRUE(reg.deleteValue(Hive::CurrentUser, "P", "W"));
    EXPECT_FALSE(reg.queryValue(Hive::CurrentUser, "P", "w").has_value());
    EXPECT_FALSE(reg.deleteKey(Hive::CurrentUser, "P"));  // has a subkey
    EXPECT_TRUE(reg.deleteKey(Hive::CurrentUser, "p\\c"));
    EXPECT_FALSE(reg.queryValue(Hive::CurrentUser, "P\\C", "v").has_value());
    EXPECT_TRUE(reg.deleteKey(Hive::CurrentUser, "P"));
    EXPECT_FALSE(reg.deleteKey(Hive::CurrentUser, "P"));
}

TEST(RegistryTest, DeleteKeyTreeRemovesEverythingBelow) {
    test::TempDevice device;
    Registry& reg = device.registry();
    for (const char* key : {"T\\A\\X", "T\\A\\Y", "T\\B", "T\\B\\Z\\Deep"}) {
        ASSERT_TRUE(reg.setValue(Hive::CurrentUser, key, "v", RegValue::fromDword(1)));
    }
    ASSERT_TRUE(reg.setValue(Hive::CurrentUser, "Keep", "v", RegValue::fromDword(1)));
    EXPECT_TRUE(deleteKeyTree(reg, Hive::CurrentUser, "t"));
    EXPECT_FALSE(reg.keyExists(Hive::CurrentUser, "T"));
    EXPECT_TRUE(reg.keyExists(Hive::CurrentUser, "Keep"));
    EXPECT_FALSE(deleteKeyTree(reg, Hive::CurrentUser, "T"));
}

TEST(RegistryTest, EnumeratesSubkeysInCreationOrder) {
    test::TempDevice device;
    Registry& reg = device.registry();
    for (const char* key : {"E\\zeta", "E\\alpha", "E\\mid"}) {
        ASSERT_TRUE(reg.createKey(Hive::CurrentUser, key));
    }
    EXPECT_EQ(reg.enumSubkey(Hive::CurrentUser, "E", 0).value(), QStringLiteral("zeta"));
    EXPECT_EQ(reg.enumSubkey(Hive::CurrentUser, "E", 2).value(), QStringLiteral("mid"));
    EXPECT_FALSE(reg.enumSubkey(Hive::CurrentUser, "E", 3).has_value());
    EXPECT_FALSE(reg.enumSubkey(Hive::CurrentUser, "E", -1).has_value());
    EXPECT_FALSE(reg.enumSubkey(Hive::CurrentUser, "Missing", 0).has_value());
}

TEST(RegistryTest, RewritingAValueKeepsItsPlace) {
    test::TempDevice device;
    Registry& reg = device.registry();
    for (const char* name : {"a", "b", "c"}) {
        ASSERT_TRUE(reg.setValue(Hive::CurrentUser, "K", name, RegValue::fromDword(1)));
    }
    ASSERT_TRUE(reg.setValue(Hive::CurrentUser, "K", "A", RegValue::fromString("now text")));
    EXPECT_EQ(reg.valueNames(Hive::CurrentUser, "K"), (QStringList{"a", "b", "c"}));
    EXPECT_EQ(reg.queryValue(Hive::CurrentUser, "K", "a")->type, RegType::Sz);
}

TEST(RegistryTest, ValuesNeedAKeyBelowTheHive) {
    test::TempDevice device;
    Registry& reg = device.registry();
    EXPECT_FALSE(reg.setValue(Hive::CurrentUser, "", "v", RegValue::fromDword(1)));
    EXPECT_FALSE(reg.setValue(Hive::CurrentUser, "\\", "v", RegValue::fromDword(1)));
    EXPECT_FALSE(reg.deleteKey(Hive::CurrentUser, ""));
}

TEST(RegistryTest, ChangesAreSeenByAnotherConnection) {
    test::TempDevice device;
    SqliteRegistry other(SqliteRegistry::fileInRoot(device.root()));
    ASSERT_TRUE(other.isOpen());
    ASSERT_TRUE(device.registry().setValue(Hive::CurrentUser, "S", "v", RegValue::fromDword(5)));
    EXPECT_EQ(other.queryValue(Hive::CurrentUser, "S", "v")->dword(), 5u);
}

TEST(RegistryTest, UnopenableFileFailsEveryOperation) {
    QTemporaryDir dir;
    SqliteRegistry reg(dir.path() + QStringLiteral("/no/such/folder/registry.db"));
    EXPECT_FALSE(reg.isOpen());
    EXPECT_FALSE(reg.setValue(Hive::CurrentUser, "K", "v", RegValue::fromDword(1)));
    EXPECT_FALSE(reg.queryValue(Hive::CurrentUser, "K", "v").has_value());
    EXPECT_FALSE(reg.createKey(Hive::CurrentUser, "K"));
}

// Two processes hammer the same key: each of their own values arrives, and the
// value both write holds one writer's bytes whole, never a mix.
TEST(RegistryTest, TwoProcessesWritingTheSameKeyLoseNothing) {
    test::TempDevice device;
    const QString reg = test::builtProgram(QStringLiteral("kontavo-reg"));
    const int rounds = 25;
    const QByteArray patternA = QByteArray(2048, 'a').toHex();
    const QByteArray patternB = QByteArray(2048, 'b').toHex();
    const auto script = [&](const QString& tag, const QByteArray& pattern) {
        return QStringLiteral(
                   "for i in $(seq 0 %1); do "
                   "\"%2\" --device-root \"%3\" set 'HKCU\\Race' %4$i --dword $i || exit 1; "
                   "\"%2\" --device-root \"%3\" set 'HKCU\\Race' shared --binary-hex %5 || exit 1; "
                   "done")
            .arg(rounds - 1)
            .arg(reg, device.root(), tag, QString::fromLatin1(pattern));
    };
    QProcess first;
    QProcess second;
    first.start("bash", {"-c", script("a", patternA)});
    second.start("bash", {"-c", script("b", patternB)});
    ASSERT_TRUE(first.waitForFinished(120000));
    ASSERT_TRUE(second.waitForFinished(120000));
    ASSERT_EQ(first.exitCode(), 0) << first.readAllStandardError().toStdString();
    ASSERT_EQ(second.exitCode(), 0) << second.readAllStandardError().toStdString();

    SqliteRegistry check(SqliteRegistry::fileInRoot(device.root()));
    for (int i = 0; i < rounds; ++i) {
        EXPECT_EQ(check.queryValue(Hive::CurrentUser, "Race", QStringLiteral("a%1").arg(i))->dword(),
                  uint32_t(i));
        EXPECT_EQ(check.queryValue(Hive::CurrentUser, "Race", QStringLiteral("b%1").arg(i))->dword(),
                  uint32_t(i));
    }
    const QByteArray shared = check.queryValue(Hive::CurrentUser, "Race", "shared")->data;
    EXPECT_TRUE(shared == QByteArray(2048, 'a') || shared == QByteArray(2048, 'b'));
}

}  // namespace
}  // namespace kontavo
