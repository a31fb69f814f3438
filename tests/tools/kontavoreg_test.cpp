#include <gtest/gtest.h>

#include <QProcess>

#include "support/tempdevice.h"

namespace kontavo {
namespace {

struct RegRun {
    int status = -1;
    QString out;
    QString err;
};

class KontavoRegTest : public ::testing::Test {
protected:
    RegRun reg(QStringList arguments) {
        arguments.prepend(m_device.root());
        arguments.prepend(QStringLiteral("--device-root"));
        QProcess process;
        process.start(test::builtProgram(QStringLiteral("kontavo-reg")), arguments);
        process.waitForFinished(30000);
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                QString::fromLocal8Bit(process.readAllStandardOutput()),
                QString::fromLocal8Bit(process.readAllStandardError())};
    }
    test::TempDevice m_device;
};

TEST_F(KontavoRegTest, RoundTripsEveryType) {
    EXPECT_EQ(reg({"set", "HKCU\\Software\\T", "n", "--dword", "0xFFFFFFFF"}).status, 0);
    EXPECT_EQ(reg({"set", "HKCU\\Software\\T", "s", "--sz", "Grüße, Мир"}).status, 0);
    EXPECT_EQ(reg({"set", "HKLM\\Software\\T", "b", "--binary-hex", "00ff10"}).status, 0);
    EXPECT_EQ(reg({"get", "HKEY_CURRENT_USER\\software\\t", "N"}).out,
              QStringLiteral("n\tREG_DWORD\t4294967295 (0xffffffff)\n"));
    EXPECT_EQ(reg({"get", "HKCU\\Software\\T", "s"}).out, QStringLiteral("s\tREG_SZ\tGrüße, Мир\n"));
    EXPECT_EQ(reg({"get", "HKLM\\Software\\T", "b"}).out, QStringLiteral("b\tREG_BINARY\t00ff10\n"));
    // The program's own store sees the same values.
    EXPECT_EQ(m_device.registry().queryValue(Hive::CurrentUser, "Software\\T", "n")->dword(),
              0xFFFFFFFFu);
}

TEST_F(KontavoRegTest, ListsSubkeysThenValues) {
    reg({"set", "HKCU\\K\\Child", "x", "--dword", "1"});
    reg({"set", "HKCU\\K", "v", "--sz", "text"});
    EXPECT_EQ(reg({"list", "HKCU\\K"}).out, QStringLiteral("Child\\\nv\tREG_SZ\ttext\n"));
}

TEST_F(KontavoRegTest, DeletesValuesAndWholeKeys) {
    reg({"set", "HKCU\\K\\Child", "x", "--dword", "1"});
    reg({"set", "HKCU\\K", "v", "--dword", "2"});
    EXPECT_EQ(reg({"delete", "HKCU\\K", "v"}).status, 0);
    EXPECT_EQ(reg({"get", "HKCU\\K", "v"}).status, 1);
    EXPECT_EQ(reg({"delete", "HKCU\\K"}).status, 0);
    EXPECT_EQ(reg({"list", "HKCU\\K"}).status, 1);
    EXPECT_EQ(reg({"delete", "HKCU\\K"}).status, 1);
}

TEST_F(KontavoRegTest, RefusesBadArgumentsWithAMessage) {
    const QList<QStringList> bad = {
        {"frobnicate", "HKCU\\K"},
        {"get", "HKXX\\K", "v"},
        {"get", "HKCU\\K"},
        {"set", "HKCU\\K", "v"},
        {"set", "HKCU\\K", "v", "--dword", "12x"},
        {"set", "HKCU\\K", "v", "--dword", "4294967296"},
        {"set", "HKCU\\K", "v", "--binary-hex", "abc"},
        {"set", "HKCU\\K", "v", "--dword", "1", "--sz", "x"},
        {"get", "HKCU\\K", "v", "--dword", "1"},
        {"list", "HKCU\\K", "extra"},
        {"set", "HKCU\\K", "v", "--colour", "red"},
        {"get"},
    };
    for (const QStringList& arguments : bad) {
        const RegRun run = reg(arguments);
        EXPECT_EQ(run.status, 2) << arguments.join(' ').toStdString();
        EXPECT_TRUE(run.err.startsWith("kontavo-reg: ")) << run.err.toStdString();
    }
}

}  // namespace
}  // namespace kontavo
