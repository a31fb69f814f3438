// A device holds one user's contacts: what the programs create in it is
// theirs alone, whatever the umask says.
#include "platform/privatefiles.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QFile>
#include <QTemporaryDir>

#include "platform/devicefs.h"
#include "platform/sqliteobjectstore.h"
#include "platform/sqliteregistry.h"
#include "support/programrun.h"

namespace kontavo {
namespace {

// Sets a permissive umask for the test's life, as a user's shell might.
class OpenUmask {
public:
    OpenUmask() : m_saved(::umask(0022)) {}
    ~OpenUmask() { ::umask(m_saved); }

private:
    mode_t m_saved;
};

TEST(PrivateFilesTest, ANewDeviceAndItsStoresAreTheUsersAlone) {
    OpenUmask umask;
    QTemporaryDir dir;
    const QString root = dir.path() + QStringLiteral("/share/kontavo/device");
    DeviceFs fs(root);
    EXPECT_EQ(test::fileMode(root), 0700u);
    EXPECT_EQ(test::fileMode(dir.path() + QStringLiteral("/share/kontavo")), 0700u);
    {
        SqliteObjectStore store(SqliteObjectStore::fileInRoot(root));
        SqliteRegistry registry(SqliteRegistry::fileInRoot(root));
        ASSERT_TRUE(store.isOpen());
        ASSERT_TRUE(registry.isOpen());
        EXPECT_EQ(test::fileMode(SqliteObjectStore::fileInRoot(root)), 0600u);
        EXPECT_EQ(test::fileMode(SqliteObjectStore::fileInRoot(root) + QStringLiteral("-wal")),
                  0600u);
        EXPECT_EQ(test::fileMode(SqliteRegistry::fileInRoot(root)), 0600u);
    }
    ASSERT_TRUE(fs.createFolder(QStringLiteral("\\My Documents\\Kontavo Files")));
    EXPECT_EQ(test::fileMode(root + QStringLiteral("/My Documents")), 0700u);
    EXPECT_EQ(test::fileMode(root + QStringLiteral("/My Documents/Kontavo Files")), 0700u);
}

TEST(PrivateFilesTest, WhatExistsKeepsItsMode) {
    OpenUmask umask;
    QTemporaryDir dir;
    ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 0755), 0);
    const QString file = dir.path() + QStringLiteral("/shared.txt");
    QFile existing(file);
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.close();
    ASSERT_TRUE(QFile::setPermissions(
        file, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther));
    EXPECT_TRUE(makePrivateFolder(dir.path()));
    EXPECT_TRUE(createPrivateFile(file));
    EXPECT_EQ(test::fileMode(dir.path()), 0755u);
    EXPECT_EQ(test::fileMode(file), 0644u);
    EXPECT_FALSE(createPrivateFile(dir.path())) << "a folder is no file";
}

}  // namespace
}  // namespace kontavo
