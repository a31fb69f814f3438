// The program with its contact store and contacts frame: started headless
// with --screenshot on temporary devices, it draws the filled list; on a new
// default device it first fills the store with the demonstration contacts.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include "list/contactstoresession.h"
#include "platform/locale.h"
#include "platform/sqliteobjectstore.h"
#include "shelltestsupport.h"
#include "store/contacts/contactsdatabase.h"

namespace kontavo {
namespace {

struct ProgramRun {
    int code = -1;
    QString errors;
};

// Runs kontavo without a display with `environment` additions.
ProgramRun runKontavo(const test::MainWindowRig& rig, const QStringList& arguments,
                      const QList<std::pair<QString, QString>>& extra = {}) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY", "KONTAVO_ROOT"}) {
        environment.remove(QLatin1String(name));
    }
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), rig.runtime.path());
    for (const auto& [name, value] : extra) {
        environment.insert(name, value);
    }
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(test::builtProgram(QStringLiteral("kontavo")), arguments);
    process.waitForFinished(120000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromLocal8Bit(process.readAllStandardError())};
}

QString screenshotPath(const QString& name) {
    const QString folder = QStringLiteral(KONTAVO_BIN_DIR) + QStringLiteral("/../screenshots");
    QDir().mkpath(folder);
    return QDir(folder).absoluteFilePath(name + QStringLiteral(".png"));
}

// Rows of text in the list pane: picture lines (below the top row and the
// small bar, above the splitter bar) holding dark pixels.
int darkLinesInList(const QImage& picture, int scale) {
    int lines = 0;
    for (int y = 40 * scale; y < 140 * scale; ++y) {
        for (int x = 10 * scale; x < 200 * scale; ++x) {
            if (qGray(picture.pixel(x, y)) < 100) {
                ++lines;
                break;
            }
        }
    }
    return lines;
}

uint32_t contactCount(const QString& root) {
    SqliteObjectStore store(SqliteObjectStore::fileInRoot(root));
    ContactsDatabase db(store, Locale::user());
    if (!store.isOpen() || !db.open()) {
        return 0;
    }
    return db.info().value_or(DbInfo{}).recordCount;
}

TEST(ContactsProgramTest, ScreenshotsOfTheFilledMainScreenInEachView) {
    test::MainWindowRig rig;
    ASSERT_TRUE(seedDemoContactsIfEmpty(rig.device.fs(), 60, Locale::user()));
    struct View {
        const char* name;
        int doubleSized;
        int sortType;
    };
    for (const View view :
         {View{"one-line", 0, 0}, View{"two-line", 1, 0}, View{"company", 0, 2}}) {
        rig.device.settings().set(settings::kIsDoubleSized, view.doubleSized);
        rig.device.settings().set(settings::kSortType, view.sortType);
        for (const int dpi : {96, 192}) {
            const QString file =
                screenshotPath(QStringLiteral("main-%1-%2dpi").arg(view.name).arg(dpi));
            QFile::remove(file);
            const ProgramRun run = runKontavo(
                rig, {QStringLiteral("--device-root"), rig.device.root(), QStringLiteral("--dpi"),
                      QString::number(dpi), QStringLiteral("--screenshot"), file});
            ASSERT_EQ(run.code, 0) << run.errors.toStdString();
            const QImage picture(file);
            ASSERT_EQ(picture.size(), QSize(240, 320) * (dpi / 96)) << file.toStdString();
            EXPECT_GT(darkLinesInList(picture, dpi / 96), 10 * (dpi / 96))
                << view.name << " at " << dpi << " dpi shows no rows";
        }
    }
    EXPECT_EQ(contactCount(rig.device.root()), 60u) << "a given device root is never seeded";
}

TEST(ContactsProgramTest, NewDefaultDeviceGetsTheDemonstrationContactsOnce) {
    test::MainWindowRig rig;
    QTemporaryDir data;
    const QString root = data.path() + QStringLiteral("/kontavo/device");
    const QList<std::pair<QString, QString>> environment{
        {QStringLiteral("XDG_DATA_HOME"), data.path()}};
    const QString file = screenshotPath(QStringLiteral("main-new-device"));
    ProgramRun run = runKontavo(rig, {QStringLiteral("--screenshot"), file}, environment);
    ASSERT_EQ(run.code, 0) << run.errors.toStdString();
    EXPECT_EQ(contactCount(root), 200u);
    EXPECT_TRUE(QFile::exists(root + QStringLiteral("/Temp/pim_index1.dat")))
        << "the index was built over them";

    run = runKontavo(rig, {QStringLiteral("--screenshot"), file}, environment);
    ASSERT_EQ(run.code, 0) << run.errors.toStdString();
    EXPECT_EQ(contactCount(root), 200u) << "the store is seeded only when it is new";
}

TEST(ContactsProgramTest, AnUnusableObjectStoreCannotConnect) {
    test::MainWindowRig rig;
    QDir().mkpath(SqliteObjectStore::fileInRoot(rig.device.root()));  // a folder, not a file
    const ProgramRun run = runKontavo(
        rig, {QStringLiteral("--device-root"), rig.device.root(), QStringLiteral("--screenshot"),
              rig.runtime.filePath(QStringLiteral("x.png"))});
    EXPECT_EQ(run.code, 3);
    EXPECT_TRUE(run.errors.contains(QStringLiteral("Unable connect to server")))
        << run.errors.toStdString();
}

}  // namespace
}  // namespace kontavo
