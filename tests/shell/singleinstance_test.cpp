// The real program started twice: the second start hands its command line
// to the running instance and exits with 1.
#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTest>

#include "shell/shellids.h"
#include "shelltestsupport.h"

namespace kontavo {
namespace {

class SingleInstanceTest : public ::testing::Test {
protected:
    QProcessEnvironment environment() const {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_rig.runtime.path());
        return environment;
    }
    // Starts kontavo on the rig's device with `arguments`.
    void startKontavo(QProcess& process, const QStringList& arguments) const {
        process.setProcessEnvironment(environment());
        process.start(
            test::builtProgram(QStringLiteral("kontavo")),
            QStringList{QStringLiteral("--device-root"), m_rig.device.root()} + arguments);
    }
    int runKontavo(const QStringList& arguments, QString* errors = nullptr) const {
        QProcess process;
        startKontavo(process, arguments);
        if (!process.waitForFinished(90000)) {
            process.kill();
            process.waitForFinished();
            return -1;
        }
        if (errors != nullptr) {
            *errors = QString::fromLocal8Bit(process.readAllStandardError());
        }
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }

    test::MainWindowRig m_rig;
};

TEST_F(SingleInstanceTest, SecondStartHandsTheContactToTheRunningWindowAndExitsWithOne) {
    MainWndFrame window(m_rig.services());
    ASSERT_TRUE(window.create());
    window.show();
    EXPECT_EQ(runKontavo({QStringLiteral("v"), QStringLiteral("1A2B")}), 1);
    QTRY_VERIFY(m_rig.journal.events.contains(QStringLiteral("open v 1a2b")));
    EXPECT_EQ(runKontavo({QStringLiteral("E"), QStringLiteral("ff")}), 1);
    QTRY_VERIFY(m_rig.journal.events.contains(QStringLiteral("open e ff")));
}

TEST_F(SingleInstanceTest, AHandOverSaysSoOnStderr) {
    MainWndFrame window(m_rig.services());
    ASSERT_TRUE(window.create());
    QString errors;
    EXPECT_EQ(runKontavo({QStringLiteral("v"), QStringLiteral("1A2B")}, &errors), 1);
    EXPECT_TRUE(errors.contains(QStringLiteral("running already"))) << errors.toStdString();
    EXPECT_TRUE(errors.contains(QStringLiteral("v 1A2B"))) << errors.toStdString();
    EXPECT_EQ(runKontavo({}, &errors), 1);
    EXPECT_TRUE(errors.contains(QStringLiteral("brought to the front"))) << errors.toStdString();
}

// A screenshot renders by itself: beside a running instance, on the same or
// another device root, it neither hands over nor is found.
TEST_F(SingleInstanceTest, AScreenshotBesideARunningInstanceDrawsItsOwnPicture) {
    MainWndFrame window(m_rig.services());
    ASSERT_TRUE(window.create());
    test::TempDevice other;
    for (const QString& root : {m_rig.device.root(), other.root()}) {
        const QString file = m_rig.runtime.filePath(QStringLiteral("beside.png"));
        QFile::remove(file);
        QString errors;
        EXPECT_EQ(runKontavo({QStringLiteral("--device-root"), root, QStringLiteral("--screenshot"),
                              file, QStringLiteral("v"), QStringLiteral("1A2B")},
                             &errors),
                  0)
            << errors.toStdString();
        EXPECT_TRUE(QFile::exists(file)) << root.toStdString();
        EXPECT_FALSE(errors.contains(QStringLiteral("running already"))) << errors.toStdString();
    }
    QTest::qWait(50);
    for (const QString& event : m_rig.journal.events) {
        EXPECT_FALSE(event.startsWith(QStringLiteral("open"))) << event.toStdString();
    }
    EXPECT_EQ(m_rig.windows.findWindow(QStringLiteral("TW.MAIN.WND.CLASS")), window.handle());
}

// "kontavo FILE.vcf" beside a running instance: the running one imports the
// file (named by its absolute path, the hand-over file taken away).
TEST_F(SingleInstanceTest, SecondStartHandsVCardFilesToTheRunningWindow) {
    MainWndFrame window(m_rig.services());
    ASSERT_TRUE(window.create());
    const QString relative = QStringLiteral("Friends.VCF");
    QString errors;
    EXPECT_EQ(runKontavo({relative, QStringLiteral("/tmp/other file.vcard")}, &errors), 1);
    EXPECT_TRUE(errors.contains(QStringLiteral("imports"))) << errors.toStdString();
    const QString absolute = QDir::current().absoluteFilePath(relative);
    QTRY_VERIFY(m_rig.journal.events.contains(QStringLiteral("import ") + absolute));
    QTRY_VERIFY(m_rig.journal.events.contains(QStringLiteral("import /tmp/other file.vcard")));
    EXPECT_TRUE(QDir(m_rig.runtimeFolder)
                    .entryList({QStringLiteral("vcard-import-*")}, QDir::Files)
                    .isEmpty());
}

TEST_F(SingleInstanceTest, RefusedCommandLinesStillHandOverButOpenNothing) {
    MainWndFrame window(m_rig.services());
    ASSERT_TRUE(window.create());
    for (const QStringList& arguments :
         {QStringList{QStringLiteral("e")}, QStringList{QStringLiteral("e"), QStringLiteral("0")},
          QStringList{QStringLiteral("x"), QStringLiteral("1A2B")}, QStringList{}}) {
        EXPECT_EQ(runKontavo(arguments), 1) << arguments.join(' ').toStdString();
    }
    QTest::qWait(50);
    for (const QString& event : m_rig.journal.events) {
        EXPECT_FALSE(event.startsWith(QStringLiteral("open"))) << event.toStdString();
    }
}

TEST_F(SingleInstanceTest, TwoRealProgramsOnlyOneKeepsRunning) {
    QProcess first;
    startKontavo(first, {});
    QElapsedTimer timer;
    timer.start();
    WindowHandle running = 0;
    while (running == 0 && timer.elapsed() < 90000 && first.state() != QProcess::NotRunning) {
        QTest::qWait(50);
        running = m_rig.windows.findWindow(QStringLiteral("TW.MAIN.WND.CLASS"));
    }
    ASSERT_NE(running, 0u) << first.readAllStandardError().toStdString();
    EXPECT_EQ(runKontavo({QStringLiteral("v"), QStringLiteral("1A2B")}), 1);
    EXPECT_EQ(first.state(), QProcess::Running);
    // The close command ends the first program the normal way.
    ASSERT_TRUE(m_rig.windows.postMessage(running, {wm::kCommand, shell::kCmdClose, 0}));
    ASSERT_TRUE(first.waitForFinished(90000));
    EXPECT_EQ(first.exitCode(), 0);
    EXPECT_EQ(m_rig.windows.findWindow(QStringLiteral("TW.MAIN.WND.CLASS")), 0u);
    // With the first gone, a start is the running instance again: it would
    // run, so --screenshot lets it finish.
    EXPECT_EQ(runKontavo({QStringLiteral("--screenshot"),
                          m_rig.runtime.filePath(QStringLiteral("shot.png"))}),
              0);
}

}  // namespace
}  // namespace kontavo
