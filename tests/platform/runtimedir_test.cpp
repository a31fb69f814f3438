#include <gtest/gtest.h>

#include <sys/stat.h>

#include <QFile>
#include <QTemporaryDir>

#include "platform/runtimedir.h"

namespace kontavo {
namespace {

TEST(RuntimeDirTest, CreatesAPrivateFolderUnderXdgRuntimeDir) {
    QTemporaryDir dir;
    const QByteArray saved = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", dir.path().toUtf8());
    const QString folder = runtimeDir();
    EXPECT_EQ(folder, dir.path() + QStringLiteral("/kontavo"));
    struct stat info {};
    ASSERT_EQ(stat(QFile::encodeName(folder).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    // A folder others may write to is refused.
    chmod(QFile::encodeName(folder).constData(), 0777);
    EXPECT_TRUE(runtimeDir().isEmpty());
    qputenv("XDG_RUNTIME_DIR", saved);
}

TEST(RuntimeDirTest, SafeComponentsKeepDistinctNamesDistinct) {
    EXPECT_EQ(safeFileComponent(QStringLiteral("TW.MAIN.WND.CLASS")), QStringLiteral("TW.MAIN.WND.CLASS"));
    const QString a = safeFileComponent(QStringLiteral("a/b"));
    const QString b = safeFileComponent(QStringLiteral("a\\b"));
    EXPECT_TRUE(a.startsWith(QStringLiteral("a_b-")));
    EXPECT_NE(a, b);
    EXPECT_FALSE(safeFileComponent(QStringLiteral("..")).startsWith(QLatin1Char('.')));
    EXPECT_FALSE(safeFileComponent(QString()).isEmpty());
}

}  // namespace
}  // namespace kontavo
