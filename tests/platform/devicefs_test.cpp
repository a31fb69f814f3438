#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "platform/devicefs.h"
#include "support/tempdevice.h"

namespace kontavo {
namespace {

TEST(DeviceFsTest, MapsDevicePathsUnderTheRoot) {
    test::TempDevice device;
    EXPECT_EQ(device.fs().hostPath(QStringLiteral("\\My Documents\\x.tpl")).value(),
              device.root() + QStringLiteral("/My Documents/x.tpl"));
    EXPECT_EQ(device.fs().hostPath(QStringLiteral("Kontavo Files\\a.bmp")).value(),
              device.root() + QStringLiteral("/Kontavo Files/a.bmp"));
    EXPECT_EQ(device.fs().hostPath(QStringLiteral("\\")).value(), device.root());
    EXPECT_EQ(device.fs().hostPath(QStringLiteral("\\Temp\\\\.\\pim_index1.dat")).value(),
              device.root() + QStringLiteral("/Temp/pim_index1.dat"));
}

TEST(DeviceFsTest, MatchesExistingComponentsIgnoringCase) {
    test::TempDevice device;
    device.writeFile(QStringLiteral("\\Windows\\SMS.DLL"), "x");
    EXPECT_TRUE(device.fs().fileExists(QStringLiteral("\\windows\\sms.dll")));
    EXPECT_EQ(device.fs().hostPath(QStringLiteral("\\WINDOWS\\sms.dll\\")).value(),
              device.root() + QStringLiteral("/Windows/SMS.DLL"));
    // A missing tail keeps the spelling it was given.
    EXPECT_EQ(device.fs().hostPath(QStringLiteral("\\windows\\New Folder\\A.txt")).value(),
              device.root() + QStringLiteral("/Windows/New Folder/A.txt"));
    EXPECT_TRUE(device.fs().isPhoneDevice());
}

TEST(DeviceFsTest, IsNotAPhoneWithoutSmsLibrary) {
    test::TempDevice device;
    EXPECT_FALSE(device.fs().isPhoneDevice());
}

TEST(DeviceFsTest, RefusesPathsThatLeaveTheRoot) {
    test::TempDevice device;
    for (const QString& path :
         {QStringLiteral("\\..\\etc\\passwd"), QStringLiteral("a\\..\\..\\b"),
          QStringLiteral("/../x"), QStringLiteral(".."), QStringLiteral("a\\b\\..")}) {
        EXPECT_FALSE(device.fs().hostPath(path).has_value()) << path.toStdString();
        EXPECT_FALSE(device.fs().createFolder(path)) << path.toStdString();
        EXPECT_FALSE(device.fs().fileExists(path)) << path.toStdString();
    }
    const QString withNul = QStringLiteral("\\a") + QChar(0) + QStringLiteral("b");
    EXPECT_FALSE(device.fs().hostPath(withNul).has_value());
    // Names that merely contain dots are fine.
    EXPECT_TRUE(device.fs().hostPath(QStringLiteral("\\a..b\\...")).has_value());
}

TEST(DeviceFsTest, CreatesAndListsFolders) {
    test::TempDevice device;
    ASSERT_TRUE(device.fs().createFolder(QStringLiteral("\\My Documents\\Kontavo Files")));
    EXPECT_TRUE(device.fs().folderExists(QStringLiteral("\\my documents\\KONTAVO FILES")));
    device.writeFile(QStringLiteral("\\My Documents\\b.txt"), "hello");
    const auto entries = device.fs().listFolder(QStringLiteral("\\MY DOCUMENTS"));
    ASSERT_TRUE(entries.has_value());
    ASSERT_EQ(entries->size(), 2);
    EXPECT_EQ((*entries)[0].name, QStringLiteral("Kontavo Files"));
    EXPECT_TRUE((*entries)[0].isFolder);
    EXPECT_EQ((*entries)[1].name, QStringLiteral("b.txt"));
    EXPECT_EQ((*entries)[1].size, 5);
    EXPECT_FALSE(device.fs().listFolder(QStringLiteral("\\Nowhere")).has_value());
    EXPECT_TRUE(device.fs().removeFile(QStringLiteral("\\My Documents\\B.TXT")));
    EXPECT_FALSE(device.fs().fileExists(QStringLiteral("\\My Documents\\b.txt")));
}

TEST(DeviceFsTest, RootComesFromFlagThenEnvironmentThenXdgDataHome) {
    QTemporaryDir dir;
    qputenv("KONTAVO_ROOT", (dir.path() + QStringLiteral("/env")).toUtf8());
    EXPECT_EQ(DeviceFs::resolveRoot(dir.path() + QStringLiteral("/cli")),
              dir.path() + QStringLiteral("/cli"));
    EXPECT_EQ(DeviceFs::resolveRoot(), dir.path() + QStringLiteral("/env"));
    qunsetenv("KONTAVO_ROOT");
    qputenv("XDG_DATA_HOME", dir.path().toUtf8());
    EXPECT_EQ(DeviceFs::resolveRoot(), dir.path() + QStringLiteral("/kontavo/device"));
    qunsetenv("XDG_DATA_HOME");
    EXPECT_EQ(DeviceFs::resolveRoot(),
              QDir::homePath() + QStringLiteral("/.local/share/kontavo/device"));
}

TEST(DeviceFsTest, FindsDeviceRootArgument) {
    EXPECT_EQ(DeviceFs::rootFromArguments({"kontavo", "--device-root", "/x", "v 12"}).value(),
              QStringLiteral("/x"));
    EXPECT_EQ(DeviceFs::rootFromArguments({"kontavo", "--device-root=/y"}).value(),
              QStringLiteral("/y"));
    EXPECT_FALSE(DeviceFs::rootFromArguments({"kontavo", "--device-root"}).has_value());
}

TEST(DeviceFsTest, JoinsAndSplitsDevicePaths) {
    EXPECT_EQ(DeviceFs::join(QStringLiteral("\\Temp\\"), QStringLiteral("pim_index1.dat")),
              QStringLiteral("\\Temp\\pim_index1.dat"));
    EXPECT_EQ(DeviceFs::join(QStringLiteral("\\My Documents"), QStringLiteral("\\x")),
              QStringLiteral("\\My Documents\\x"));
    EXPECT_EQ(DeviceFs::fileName(QStringLiteral("\\Temp\\pim_index1.dat")),
              QStringLiteral("pim_index1.dat"));
    EXPECT_EQ(DeviceFs::fileName(QStringLiteral("plain")), QStringLiteral("plain"));
}

}  // namespace
}  // namespace kontavo
