// The program with its contact store and contacts frame: started headless
// with --screenshot on temporary devices, it draws the filled list; the
// demonstration contacts go only to the demonstration device; start-up
// failures say what failed.
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
#include "store/pictures/contactpicturefiles.h"
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
// small bar, above the splitter bar) holding pixels darker than `gray`.
int inkedLinesInList(const QImage& picture, int scale, int gray) {
    int lines = 0;
    for (int y = 40 * scale; y < 140 * scale; ++y) {
        for (int x = 10 * scale; x < 200 * scale; ++x) {
            if (qGray(picture.pixel(x, y)) < gray) {
                ++lines;
                break;
            }
        }
    }
    return lines;
}

int darkLinesInList(const QImage& picture, int scale) {
    return inkedLinesInList(picture, scale, 100);
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

// Adds a contact whose picture is one colour (`colour`, 0xRRGGBB) to the
// store of `rig`, its picture file written as the store writes it; its Oid.
Oid addContactWithPicture(test::MainWindowRig& rig, QRgb colour) {
    const QString root = rig.device.root();
    SqliteObjectStore store(SqliteObjectStore::fileInRoot(root));
    ContactsDatabase db(store, Locale::user());
    if (!store.isOpen() || !db.open()) {
        return 0;
    }
    ContactRecord contact;
    contact.setField(ContactField::FirstName, QStringLiteral("Aaron"));
    contact.setField(ContactField::LastName, QStringLiteral("Aalto"));
    contact.setField(ContactField::FileAs, QStringLiteral("Aalto, Aaron"));
    contact.setField(ContactField::MobilePhone, QStringLiteral("+358 40 123 4567"));
    QByteArray row;
    for (int x = 0; x < 80; ++x) {
        row.append(char(qBlue(colour))).append(char(qGreen(colour))).append(char(qRed(colour)));
    }
    contact.picture = PictureBitmap::create(80, 80, row.repeated(80));
    ContactPictureFiles pictures(rig.device.fs());
    if (contact.picture == nullptr || !pictures.save(contact, true)) {
        return 0;
    }
    const std::optional<RebuiltNotes> notes = rebuildNotes(contact, Locale::user());
    if (!notes) {
        return 0;
    }
    contact.notesBlob = notes->blob;
    return db.createRecord(contact) ? contact.oid : 0;
}

// The picture shows in the list's two-line rows, on the card and in the
// edit form.
TEST(ContactsProgramTest, AContactsPictureShowsInTheListTheCardAndTheForm) {
    test::MainWindowRig rig;
    ASSERT_TRUE(seedDemoContactsIfEmpty(rig.device.fs(), 3, Locale::user()));
    constexpr QRgb kColour = 0xC828A0;
    const Oid oid = addContactWithPicture(rig, kColour);
    ASSERT_NE(oid, 0u);
    rig.device.settings().set(settings::kIsDoubleSized, 1);
    struct Shot {
        const char* name;
        QStringList arguments;
        int least;  // pixels of the picture's colour at 96 dpi
    };
    const QString hex = QString::number(oid, 16);
    for (const Shot& shot : {Shot{"list", {}, 100}, Shot{"card", {"v", hex}, 1500},
                             Shot{"form", {"e", hex}, 1500}}) {
        for (const int dpi : {96, 192}) {
            const int scale = dpi / 96;
            const QString file =
                screenshotPath(QStringLiteral("picture-%1-%2dpi").arg(shot.name).arg(dpi));
            QFile::remove(file);
            const ProgramRun run = runKontavo(
                rig, QStringList{QStringLiteral("--device-root"), rig.device.root(),
                                 QStringLiteral("--dpi"), QString::number(dpi),
                                 QStringLiteral("--screenshot"), file} +
                         shot.arguments);
            ASSERT_EQ(run.code, 0) << run.errors.toStdString();
            const QImage picture(file);
            ASSERT_EQ(picture.size(), QSize(240, 320) * scale);
            EXPECT_GT(pixelsOf(picture, kColour, picture.rect()), shot.least * scale * scale)
                << shot.name << " at " << dpi << " dpi";
        }
    }
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

// "e OID" draws the edit window of that contact: its labels in their dark
// blue down the left.
TEST(ContactsProgramTest, EditOnTheCommandLineDrawsTheEditForm) {
    test::MainWindowRig rig;
    ASSERT_TRUE(seedDemoContactsIfEmpty(rig.device.fs(), 5, Locale::user()));
    const Oid rich = addRichContact(rig.device.root());
    ASSERT_NE(rich, 0u);
    for (const int dpi : {96, 192}) {
        const int scale = dpi / 96;
        const QString file = screenshotPath(QStringLiteral("edit-command-line-%1dpi").arg(dpi));
        QFile::remove(file);
        const ProgramRun run = runKontavo(
            rig, {QStringLiteral("--device-root"), rig.device.root(), QStringLiteral("--dpi"),
                  QString::number(dpi), QStringLiteral("--screenshot"), file, QStringLiteral("e"),
                  QString::number(rich, 16)});
        ASSERT_EQ(run.code, 0) << run.errors.toStdString();
        const QImage picture(file);
        ASSERT_EQ(picture.size(), QSize(240, 320) * scale);
        EXPECT_GT(pixelsOf(picture, 0x000080, QRect(0, 0, 120 * scale, 280 * scale)),
                  20 * scale * scale)
            << dpi << " dpi";
    }
    EXPECT_EQ(contactCount(rig.device.root()), 6u) << "drawing the form writes nothing";
}

// The user's own store is never filled with fictional contacts: a new one
// starts empty (the list says how to add contacts); --demo keeps its own
// device root, filled once.
TEST(ContactsProgramTest, DemonstrationContactsLiveOnlyInTheDemonstrationDevice) {
    test::MainWindowRig rig;
    QTemporaryDir data;
    const QString userRoot = data.path() + QStringLiteral("/kontavo/device");
    const QString demoRoot = data.path() + QStringLiteral("/kontavo/demo");
    const QList<std::pair<QString, QString>> environment{
        {QStringLiteral("XDG_DATA_HOME"), data.path()}};
    for (const int dpi : {96, 192}) {
        const QString file = screenshotPath(QStringLiteral("main-new-device-%1").arg(dpi));
        const ProgramRun run = runKontavo(
            rig,
            {QStringLiteral("--dpi"), QString::number(dpi), QStringLiteral("--screenshot"), file},
            environment);
        ASSERT_EQ(run.code, 0) << run.errors.toStdString();
        EXPECT_EQ(contactCount(userRoot), 0u);
        EXPECT_GT(inkedLinesInList(QImage(file), dpi / 96, 200), 0) << "the empty list's hint";
    }
    EXPECT_FALSE(QFile::exists(SqliteObjectStore::fileInRoot(demoRoot)));

    for (int start = 0; start < 2; ++start) {
        const QString file = screenshotPath(QStringLiteral("main-demo"));
        const ProgramRun run = runKontavo(
            rig, {QStringLiteral("--demo"), QStringLiteral("--screenshot"), file}, environment);
        ASSERT_EQ(run.code, 0) << run.errors.toStdString();
        EXPECT_EQ(contactCount(demoRoot), 200u) << "filled only while it has no contacts";
        EXPECT_GT(darkLinesInList(QImage(file), 1), 10);
    }
    EXPECT_TRUE(QFile::exists(demoRoot + QStringLiteral("/Temp/pim_index1.dat")))
        << "the index was built over them";
    EXPECT_EQ(contactCount(userRoot), 0u);
}

// Start-up failures say which file failed and why, on stderr, without
// source file names.
TEST(ContactsProgramTest, StartupErrorsNameThePathAndTheReason) {
    test::MainWindowRig rig;
    QTemporaryDir place;
    const QString file = place.filePath(QStringLiteral("not-a-folder"));
    QFile(file).open(QIODevice::WriteOnly);
    const QString damaged = place.filePath(QStringLiteral("damaged"));
    QDir().mkpath(damaged);
    QFile registry(damaged + QStringLiteral("/registry.db"));
    ASSERT_TRUE(registry.open(QIODevice::WriteOnly));
    registry.write(QByteArray(4096, 'x'));
    registry.close();
    const QString damagedStore = place.filePath(QStringLiteral("damaged-store"));
    QDir().mkpath(damagedStore);
    QFile store(SqliteObjectStore::fileInRoot(damagedStore));
    ASSERT_TRUE(store.open(QIODevice::WriteOnly));
    store.write(QByteArray(4096, 'x'));
    store.close();
    const QString storeFolder = place.filePath(QStringLiteral("store-folder"));
    QDir().mkpath(SqliteObjectStore::fileInRoot(storeFolder));  // a folder, not a file
    const struct {
        QString root;
        int code;
        QStringList says;
    } cases[] = {
        {file, 2, {file, QStringLiteral("Not a directory")}},
        {file + QStringLiteral("/below"), 2, {file, QStringLiteral("Not a directory")}},
        {damaged,
         2,
         {damaged + QStringLiteral("/registry.db"), QStringLiteral("file is not a database")}},
        {damagedStore,
         3,
         {QStringLiteral("Unable connect to server"), SqliteObjectStore::fileInRoot(damagedStore),
          QStringLiteral("file is not a database")}},
        {storeFolder,
         3,
         {QStringLiteral("Unable connect to server"), SqliteObjectStore::fileInRoot(storeFolder)}},
    };
    for (const auto& c : cases) {
        const ProgramRun run = runKontavo(
            rig, {QStringLiteral("--device-root"), c.root, QStringLiteral("--screenshot"),
                  place.filePath(QStringLiteral("x.png"))});
        EXPECT_EQ(run.code, c.code) << c.root.toStdString();
        for (const QString& words : c.says) {
            EXPECT_TRUE(run.errors.contains(words))
                << words.toStdString() << " in: " << run.errors.toStdString();
        }
        EXPECT_FALSE(run.errors.contains(QStringLiteral(".cpp"))) << run.errors.toStdString();
    }
}

TEST(ContactsProgramTest, HelpAndVersionAnswerWithoutADisplay) {
    test::MainWindowRig rig;
    QProcess process;
    for (const QString& option : {QStringLiteral("--help"), QStringLiteral("--version")}) {
        process.start(test::builtProgram(QStringLiteral("kontavo")), {option});
        ASSERT_TRUE(process.waitForFinished(30000));
        EXPECT_EQ(process.exitCode(), 0) << option.toStdString();
        const QString out = QString::fromLocal8Bit(process.readAllStandardOutput());
        EXPECT_TRUE(out.startsWith(option == QStringLiteral("--help")
                                       ? QStringLiteral("usage: kontavo")
                                       : QStringLiteral("kontavo ")))
            << out.toStdString();
    }
}

}  // namespace
}  // namespace kontavo
