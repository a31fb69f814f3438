#include "shell/devicerootcheck.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace kontavo {
namespace {

TEST(DeviceRootCheckTest, SaysWhyARootCannotHoldTheFiles) {
    QTemporaryDir place;
    const QString file = place.filePath(QStringLiteral("file"));
    ASSERT_TRUE(QFile(file).open(QIODevice::WriteOnly));
    EXPECT_EQ(deviceRootProblem(file), QStringLiteral("Not a directory"));
    EXPECT_EQ(deviceRootProblem(file + QStringLiteral("/below")),
              QStringLiteral("Not a directory"));
    // A usable folder, and a missing one that can be made, are fine.
    EXPECT_EQ(deviceRootProblem(place.path()), std::nullopt);
    const QString fresh = place.filePath(QStringLiteral("new/device"));
    EXPECT_EQ(deviceRootProblem(fresh), std::nullopt);
    EXPECT_TRUE(QDir(fresh).exists());
}

TEST(DeviceRootCheckTest, FoldersWithoutRightsAreRefused) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "the superuser has every right";
    }
    QTemporaryDir place;
    const QString locked = place.filePath(QStringLiteral("locked"));
    const QString readOnly = place.filePath(QStringLiteral("read-only"));
    QDir().mkpath(locked);
    QDir().mkpath(readOnly);
    QFile::setPermissions(locked, QFileDevice::Permissions());
    QFile::setPermissions(readOnly, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    EXPECT_EQ(deviceRootProblem(locked), QStringLiteral("Permission denied"));
    EXPECT_EQ(deviceRootProblem(readOnly), QStringLiteral("Permission denied"));
    EXPECT_EQ(deviceRootProblem(readOnly + QStringLiteral("/sub")),
              QStringLiteral("Permission denied"));
    QFile::setPermissions(locked,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QFile::setPermissions(readOnly,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

}  // namespace
}  // namespace kontavo
