// Pictures of the main screen at both resolutions, saved in the build
// folder (screenshots/), from the real program and from a window with the
// SIP up.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QProcess>

#include "platform/screen.h"
#include "shelltestsupport.h"
#include "ui/menubar.h"
#include "ui/sippanel.h"

namespace kontavo {
namespace {

QString screenshotFolder() {
    const QString folder = QStringLiteral(KONTAVO_BIN_DIR) + QStringLiteral("/../screenshots");
    QDir().mkpath(folder);
    return QDir(folder).absolutePath();
}

struct HeadlessRun {
    int code = -1;
    QString errors;
};

// Runs kontavo as on a machine without a display.
HeadlessRun runHeadless(const test::MainWindowRig& rig, const QStringList& arguments) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
        environment.remove(QLatin1String(name));
    }
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), rig.runtime.path());
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(test::builtProgram(QStringLiteral("kontavo")),
                  QStringList{QStringLiteral("--device-root"), rig.device.root()} + arguments);
    process.waitForFinished(90000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromLocal8Bit(process.readAllStandardError())};
}

TEST(ScreenshotTest, WithoutADisplayTheProgramSaysSoUnlessAskedForAPicture) {
    test::MainWindowRig rig;
    const HeadlessRun refused = runHeadless(rig, {});
    EXPECT_NE(refused.code, 0);
    EXPECT_TRUE(refused.errors.contains(QStringLiteral("no display")))
        << refused.errors.toStdString();
    for (const int dpi : {96, 192}) {
        const QString file = screenshotFolder() + QStringLiteral("/kontavo-%1dpi.png").arg(dpi);
        QFile::remove(file);
        const HeadlessRun run = runHeadless(rig, {QStringLiteral("--dpi"), QString::number(dpi),
                                                  QStringLiteral("--screenshot"), file});
        EXPECT_EQ(run.code, 0) << run.errors.toStdString();
        const QImage picture(file);
        EXPECT_EQ(picture.size(), QSize(240, 320) * (dpi / 96)) << file.toStdString();
    }
}

TEST(ScreenshotTest, NewerPlatformEndsTheStartWithItsMessageOnStderr) {
    test::MainWindowRig rig;
    qputenv("KONTAVO_OS_VERSION", "5.2");
    const HeadlessRun run = runHeadless(
        rig, {QStringLiteral("--screenshot"), rig.runtime.filePath(QStringLiteral("x.png"))});
    qunsetenv("KONTAVO_OS_VERSION");
    EXPECT_EQ(run.code, 3);
    EXPECT_TRUE(run.errors.contains(QStringLiteral("Error: This version of software")))
        << run.errors.toStdString();
}

TEST(ScreenshotTest, MainWindowWithTheSipUpAtBothResolutions) {
    const Screen saved = Screen::current();
    for (const int dpi : {96, 192}) {
        Screen::setCurrent(Screen(dpi, dpi));
        test::MainWindowRig rig;
        MainWndServices services = rig.services();
        services.createContactsFrame = nullptr;
        MainWndFrame window(services);
        ASSERT_TRUE(window.create());
        window.show();
        window.sipPanel()->setSlideDuration(0);
        rig.shell.setSipUp(true);
        const QImage picture = window.grab().toImage();
        ASSERT_EQ(picture.size(), QSize(240, 320) * (dpi / 96));
        EXPECT_TRUE(picture.save(screenshotFolder() + QStringLiteral("/sip-%1dpi.png").arg(dpi)));
        // The keyboard sits right above the menu bar and is drawn.
        const int sipTop = window.sipPanel()->geometry().top();
        EXPECT_EQ(window.sipPanel()->geometry().bottom() + 1, window.menuBar()->geometry().top());
        EXPECT_EQ(picture.pixelColor(5, sipTop - 1), QColor(Qt::white));  // the frame
        EXPECT_NE(picture.pixelColor(5, sipTop), QColor(Qt::white));      // a key's edge
    }
    Screen::setCurrent(saved);
}

}  // namespace
}  // namespace kontavo
