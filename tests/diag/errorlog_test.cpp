#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "diag/errorlog.h"
#include "diag/fatal.h"
#include "platform/locale.h"
#include "support/tempdevice.h"

namespace kontavo {
namespace {

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class ErrorLogTest : public ::testing::Test {
protected:
    void SetUp() override {
        setLogLocale(&m_locale);
        setLogDevice(&m_device.fs());
        setLogModule(QString());
    }
    void TearDown() override {
        setLogModule(QString());
        setLogDevice(nullptr);
        setLogLocale(nullptr);
    }
    QString exePath() const { return m_dir.path() + QStringLiteral("/Kontavo.exe"); }

    Locale m_locale{QLocale(QStringLiteral("ru_RU"))};
    test::TempDevice m_device;
    QTemporaryDir m_dir;
};

const QRegularExpression kStamp(QStringLiteral("^\\d{4}\\.\\d{2}\\.\\d{2} \\d{2}:\\d{2}:\\d{2} - "));

TEST_F(ErrorLogTest, ReportBeforeModuleIsStoredGoesToDeviceErrorLog) {
    logError(QStringLiteral("early"));
    const QByteArray bytes = readAll(m_device.host(QStringLiteral("\\error.log")));
    ASSERT_EQ(bytes.size(), 22 + 5 + 2);
    EXPECT_TRUE(kStamp.match(QString::fromLatin1(bytes)).hasMatch());
    EXPECT_TRUE(bytes.endsWith("early\r\n"));
}

TEST_F(ErrorLogTest, LocatedLineHasTabFileEmptyFunctionAndLine) {
    setLogModule(exePath());
    logError(QStringLiteral("Unable perform db operation!!!"), "ContactManager", "", 820);
    const QByteArray bytes = readAll(exePath() + QStringLiteral(".log"));
    EXPECT_EQ(bytes.mid(22), QByteArray("Unable perform db operation!!!\tContactManager:  (820)\r\n"));
    EXPECT_FALSE(QFile::exists(m_device.host(QStringLiteral("\\error.log"))));
}

TEST_F(ErrorLogTest, LinesAreAppendedNeverTruncated) {
    setLogModule(exePath());
    {
        QFile file(exePath() + QStringLiteral(".log"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("old line\r\n");
    }
    logError(QStringLiteral("one"));
    logError(QStringLiteral("two"), "Str", "", 24);
    const QList<QByteArray> lines = readAll(exePath() + QStringLiteral(".log")).split('\n');
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[0], QByteArray("old line\r"));
    EXPECT_EQ(lines[1].mid(22), QByteArray("one\r"));
    EXPECT_EQ(lines[2].mid(22), QByteArray("two\tStr:  (24)\r"));
    EXPECT_TRUE(lines[3].isEmpty());
}

TEST_F(ErrorLogTest, WritesTheCodePageWithReplacementCharacters) {
    setLogModule(exePath());
    logError(QStringLiteral("Сбой ü 日"));
    const QByteArray bytes = readAll(exePath() + QStringLiteral(".log"));
    EXPECT_EQ(bytes.mid(22), QByteArray("\xD1\xE1\xEE\xE9 ? ?\r\n"));
}

TEST_F(ErrorLogTest, UnwritableExecutableFolderFallsBackToDeviceLog) {
    setLogModule(QStringLiteral("/proc/no-such-folder/Kontavo.exe"));
    EXPECT_EQ(logFilePath(), m_device.host(QStringLiteral("\\error.log")));
    logError(QStringLiteral("fallback"));
    EXPECT_TRUE(readAll(m_device.host(QStringLiteral("\\error.log"))).endsWith("fallback\r\n"));
}

TEST_F(ErrorLogTest, NoPlaceToWriteLosesTheLineQuietly) {
    setLogDevice(nullptr);
    EXPECT_TRUE(logFilePath().isEmpty());
    logError(QStringLiteral("lost"));  // must simply return
}

TEST_F(ErrorLogTest, FailedAllocationLogsAndRaisesOutOfMemory) {
    setLogModule(exePath());
    int* nothing = nullptr;
    try {
        checkAllocation(nothing);
        FAIL() << "no fatal error raised";
    } catch (const FatalError& error) {
        EXPECT_EQ(error.code(), 0xEFFFFFFFu);
    }
    EXPECT_TRUE(readAll(exePath() + QStringLiteral(".log"))
                    .endsWith("Memory not allocated!!!\tDebugUtils:  (170)\r\n"));
    int value = 3;
    EXPECT_EQ(checkAllocation(&value), &value);
}

}  // namespace
}  // namespace kontavo
