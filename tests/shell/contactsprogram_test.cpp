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
#include "store/contacts/categoriesdbmanager.h"
#include "store/contacts/contactnotes.h"
#include "store/contacts/contactsdatabase.h"
#include "support/richcontact.h"

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

// Pixels of exactly `colour` in `area`.
int pixelsOf(const QImage& picture, QRgb colour, const QRect& area) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            count += (picture.pixel(x, y) & 0xFFFFFF) == colour ? 1 : 0;
        }
    }
    return count;
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

// Adds the rich contact, in two categories, to the store of `root`; its Oid.
Oid addRichContact(const QString& root) {
    SqliteObjectStore store(SqliteObjectStore::fileInRoot(root));
    CategoriesDBManager categories(store, Locale::user());
    ContactsDatabase db(store, Locale::user());
    if (!store.isOpen() || !categories.open() || !db.open()) {
        return 0;
    }
    const std::optional<QByteArray> mask = categories.maskAddingNames({"Business", "VIP"});
    ContactRecord rich = test::richContact(mask.value_or(QByteArray(1, '\0')));
    const std::optional<RebuiltNotes> notes = rebuildNotes(rich, Locale::user());
    if (!mask || !notes) {
        return 0;
    }
    rich.notesBlob = notes->blob;
    return db.createRecord(rich) ? rich.oid : 0;
}

TEST(ContactsProgramTest, ViewOnTheCommandLineDrawsTheFullScreenCard) {
    test::MainWindowRig rig;
    ASSERT_TRUE(seedDemoContactsIfEmpty(rig.device.fs(), 20, Locale::user()));
    const Oid rich = addRichContact(rig.device.root());
    ASSERT_NE(rich, 0u);
    for (const int dpi : {96, 192}) {
        const int scale = dpi / 96;
        const QString card = screenshotPath(QStringLiteral("card-command-line-%1dpi").arg(dpi));
        const QString main = screenshotPath(QStringLiteral("main-before-card-%1dpi").arg(dpi));
        const QStringList common = {QStringLiteral("--device-root"), rig.device.root(),
                                    QStringLiteral("--dpi"), QString::number(dpi),
                                    QStringLiteral("--screenshot")};
        ProgramRun run = runKontavo(
            rig, common + QStringList{card, QStringLiteral("v"), QString::number(rich, 16)});
        ASSERT_EQ(run.code, 0) << run.errors.toStdString();
        run = runKontavo(rig, common + QStringList{main});
        ASSERT_EQ(run.code, 0) << run.errors.toStdString();

        const QImage picture(card);
        ASSERT_EQ(picture.size(), QSize(240, 320) * scale);
        // The header's person icon at the top left, the lines' icons at the right.
        EXPECT_GT(pixelsOf(picture, 0x636363, QRect(QPoint(0, 0), QSize(24, 24) * scale)),
                  20 * scale * scale)
            << dpi << " dpi";
        EXPECT_GT(pixelsOf(picture, 0x4285C6,
                           QRect(picture.width() - 40 * scale, 0, 40 * scale, picture.height())),
                  100 * scale * scale)
            << dpi << " dpi";
        EXPECT_GT(darkLinesInList(QImage(main), scale), 10 * scale)
            << "without \"v OID\" the main screen";
        EXPECT_LT(pixelsOf(QImage(main), 0x636363, QRect(QPoint(0, 0), QSize(24, 24) * scale)),
                  20 * scale * scale);
    }
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
