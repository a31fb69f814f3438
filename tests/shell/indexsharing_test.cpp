// The program and kontavo-store sharing one device's index, as real
// processes: the program, running offscreen, keeps the index; imports and
// edits beside it write the database and leave the indexing to it; when it
// quits or is killed, a tool still running takes over. Afterwards every card
// is stored once, the index agrees with the database and the database is
// intact.
#include <gtest/gtest.h>
#include <signal.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <array>
#include <functional>

#include "platform/localwindowregistry.h"
#include "platform/sqlitedb.h"
#include "platform/sqliteobjectstore.h"
#include "shell/shellids.h"
#include "store/sync/pimsync.h"
#include "support/programrun.h"
#include "support/tempdevice.h"
#include "ui/wndmessages.h"

namespace kontavo {
namespace {

using test::linesOf;
using test::ProgramRun;

constexpr int kPatienceMs = 60000;

// `count` vCards with the last names "<prefix>0001" ... in a file of
// `folder`; first names and companies vary as in a real address book.
QString writeCards(const QTemporaryDir& folder, const QString& prefix, int count) {
    static const QStringList kGiven = {"Anna",   "Boris", "Clara", "Dmitri", "Elke",  "Fritz",
                                       "Galina", "Hans",  "Irina", "Jonas",  "Katja", "Lev"};
    static const QStringList kCompanies = {"Acme",  "Borealis", "Cumulus", "Dynamo", "Elbrus",
                                           "Fjord", "Granit",   "Helios",  "Isar",   "Jantar"};
    const QString path = folder.filePath(prefix + QStringLiteral(".vcf"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return QString();
    }
    for (int i = 1; i <= count; ++i) {
        const QString last = QStringLiteral("%1%2").arg(prefix).arg(i, 4, 10, QLatin1Char('0'));
        const QString given = kGiven[i % kGiven.size()];
        file.write(QStringLiteral("BEGIN:VCARD\r\nVERSION:3.0\r\nN:%1;%2;;;\r\nFN:%2 %1\r\n"
                                  "TEL;TYPE=CELL:+1 555 %3\r\nORG:%4\r\nEND:VCARD\r\n")
                       .arg(last, given)
                       .arg(1000000 + i)
                       .arg(kCompanies[(i / 3) % kCompanies.size()])
                       .toUtf8());
    }
    return path;
}

class IndexSharingTest : public ::testing::Test {
protected:
    IndexSharingTest() : m_savedRuntime(qgetenv("XDG_RUNTIME_DIR")), m_windows(runtimeFolder()) {
        m_environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtime.path());
        m_environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        m_environment.remove(QStringLiteral("KONTAVO_ROOT"));
    }
    ~IndexSharingTest() override {
        if (m_program.state() != QProcess::NotRunning) {
            m_program.kill();
            m_program.waitForFinished();
        }
        qputenv("XDG_RUNTIME_DIR", m_savedRuntime);
    }

    // This process meets the programs in the test's run-time folder.
    QString runtimeFolder() {
        qputenv("XDG_RUNTIME_DIR", m_runtime.path().toUtf8());
        const QString folder = m_runtime.path() + QStringLiteral("/kontavo");
        QDir().mkpath(folder);
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return folder;
    }
    ProgramRun tool(const QStringList& arguments) {
        return test::runStoreTool(m_device.root(), arguments, kPatienceMs, m_environment);
    }
    void startTool(QProcess& process, const QStringList& arguments) {
        process.setProcessEnvironment(m_environment);
        process.start(test::builtProgram(QStringLiteral("kontavo-store")),
                      QStringList{QStringLiteral("--device-root"), m_device.root()} + arguments);
        ASSERT_TRUE(process.waitForStarted());
    }
    // The windows listed in the coordination block, master first.
    QList<WindowHandle> participants() {
        PimSync sync(m_windows, m_device.root());
        return sync.open() ? sync.participants() : QList<WindowHandle>();
    }
    // Starts the program and waits until it keeps the index.
    void startProgram() {
        m_program.setProcessEnvironment(m_environment);
        m_program.start(test::builtProgram(QStringLiteral("kontavo")),
                        {QStringLiteral("--device-root"), m_device.root()});
        ASSERT_TRUE(m_program.waitForStarted());
        const QDeadlineTimer deadline(kPatienceMs);
        while (!deadline.hasExpired() && m_program.state() == QProcess::Running) {
            m_window = m_windows.findWindow(shell::kMainWindowClass.toString());
            if (m_window != 0 && participants().value(0) == m_window) {
                return;
            }
            QThread::msleep(50);
        }
        FAIL() << "the program did not become master: "
               << m_program.readAllStandardError().toStdString();
    }
    // Closes the program as Ctrl+Q would; its exit code.
    int closeProgram() {
        m_windows.postMessage(m_window, {wm::kClose, 0, 0});
        if (!m_program.waitForFinished(kPatienceMs)) {
            m_program.kill();
            m_program.waitForFinished();
            return -1;
        }
        return m_program.exitStatus() == QProcess::NormalExit ? m_program.exitCode() : -1;
    }
    // Waits until lines are printed by `process` (the Oids of an import).
    static QByteArray readAtLeast(QProcess& process, int lines) {
        QByteArray out;
        const QDeadlineTimer deadline(kPatienceMs);
        while (out.count('\n') < lines && !deadline.hasExpired() &&
               process.state() == QProcess::Running) {
            process.waitForReadyRead(50);
            out += process.readAllStandardOutput();
        }
        return out;
    }
    static ProgramRun finish(QProcess& process, QByteArray out = QByteArray()) {
        ProgramRun run;
        process.waitForFinished(kPatienceMs);  // false also when it had ended already
        run.finished = process.state() == QProcess::NotRunning;
        run.status =
            run.finished && process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        run.out = out + process.readAllStandardOutput();
        run.err = QString::fromUtf8(process.readAllStandardError());
        return run;
    }
    // The index agrees with the database and the database file is intact.
    void expectConsistent(int contacts) {
        const ProgramRun verify = tool({"verify-index", "--all"});
        EXPECT_EQ(verify.status, 0) << verify.text().toStdString() << verify.err.toStdString();
        EXPECT_TRUE(
            verify.text().startsWith(QStringLiteral("index verified: %1 contacts").arg(contacts)))
            << verify.text().toStdString();
        SqliteDb raw;
        ASSERT_TRUE(raw.open(SqliteObjectStore::fileInRoot(m_device.root())));
        SqliteStatement check(raw, "PRAGMA integrity_check");
        ASSERT_TRUE(check.step());
        EXPECT_EQ(check.columnText(0), QStringLiteral("ok"));
    }
    void endTheMasterDuringAnImport(const std::function<void()>& end);
    // How often each last name of `list` occurs.
    QHash<QString, int> namesListed() {
        QHash<QString, int> names;
        for (const QString& line : linesOf(tool({"list"}).out)) {
            ++names[line.section(QLatin1Char('\t'), 1, 1).section(QLatin1Char(','), 0, 0)];
        }
        return names;
    }

    QByteArray m_savedRuntime;
    QTemporaryDir m_runtime;
    test::TempDevice m_device;
    QTemporaryDir m_files;
    LocalWindowRegistry m_windows;
    QProcessEnvironment m_environment = QProcessEnvironment::systemEnvironment();
    QProcess m_program;
    WindowHandle m_window = 0;
};

TEST_F(IndexSharingTest, AnImportBesideTheRunningProgramIsIndexedByTheProgram) {
    ASSERT_EQ(tool({"seed", "40"}).status, 0);
    startProgram();
    const QString cards = writeCards(m_files, QStringLiteral("Beside"), 50);
    const ProgramRun imported = tool({"import", cards, "--wait"});
    ASSERT_EQ(imported.status, 0) << imported.err.toStdString();
    EXPECT_EQ(linesOf(imported.out).size(), 50);
    EXPECT_FALSE(imported.err.contains("Reindex")) << "the tool never rebuilt the index";
    EXPECT_EQ(participants(), QList<WindowHandle>{m_window}) << "the tool left the block";
    const ProgramRun found = tool({"search", "beside0042"});
    EXPECT_EQ(linesOf(found.out).size(), 1) << found.err.toStdString();
    const ProgramRun edited =
        tool({"set", linesOf(imported.out).first(), "Company=Zebulon", "--wait"});
    EXPECT_EQ(edited.status, 0) << edited.err.toStdString();
    EXPECT_EQ(linesOf(tool({"search", "zebulon"}).out).size(), 1);
    expectConsistent(90);
    EXPECT_EQ(closeProgram(), 0);
    expectConsistent(90);
}

// Changing the list's view in the running program raises its change flag in
// the block the other programs read.
TEST_F(IndexSharingTest, TheProgramRaisesTheChangeFlagsOfItsView) {
    ASSERT_EQ(tool({"seed", "10"}).status, 0);
    startProgram();
    m_windows.postMessage(m_window, {wm::kCommand, 41217, 0});  // Sort By > File As
    m_windows.postMessage(m_window, {wm::kCommand, 41214, 0});  // Show Only Name
    PimSync sync(m_windows, m_device.root());
    ASSERT_TRUE(sync.open());
    const QDeadlineTimer deadline(kPatienceMs);
    while ((sync.flag(4) != 1 || sync.flag(5) != 1) && !deadline.hasExpired()) {
        QThread::msleep(20);
    }
    EXPECT_EQ(sync.flag(4), 1) << "sort order";
    EXPECT_EQ(sync.flag(5), 1) << "name only";
    EXPECT_EQ(sync.flag(6), 0) << "the line view did not change";
    EXPECT_EQ(closeProgram(), 0);
}

// For a few seconds, two lanes of imports (each lane one import after the
// other, the lanes 0.4 s apart) and a run of edits and additions, all while
// the program runs and keeps the index.
TEST_F(IndexSharingTest, SoakImportsAndEditsBesideTheProgram) {
    constexpr int kSoakMs = 8000;
    constexpr int kCardsPerImport = 100;
    ASSERT_EQ(tool({"seed", "40", "--seed", "3"}).status, 0);
    const QStringList seeded = linesOf(tool({"list"}).out);
    startProgram();

    struct Lane {
        QProcess process;
        int rounds = 0;
        QList<ProgramRun> runs;
    };
    std::array<Lane, 2> lanes;
    QStringList prefixes;
    const auto startImport = [&](int lane) {
        const QString prefix = QStringLiteral("Lane%1x%2x").arg(lane).arg(lanes[lane].rounds++);
        prefixes.append(prefix);
        startTool(lanes[lane].process, {"import", writeCards(m_files, prefix, kCardsPerImport)});
    };
    QElapsedTimer soak;
    soak.start();
    startImport(0);
    QThread::msleep(400);
    startImport(1);
    int edits = 0;
    int added = 0;
    while (true) {
        bool running = false;
        for (size_t lane = 0; lane < lanes.size(); ++lane) {
            QProcess& process = lanes[lane].process;
            process.waitForFinished(0);  // QProcess learns of an end only when it waits
            if (process.state() != QProcess::NotRunning) {
                running = true;
            } else if (!process.arguments().isEmpty() &&
                       lanes[lane].runs.size() < lanes[lane].rounds) {
                lanes[lane].runs.append(finish(process));
                if (soak.elapsed() < kSoakMs) {
                    startImport(int(lane));
                    running = true;
                }
            }
        }
        if (!running && soak.elapsed() >= kSoakMs) {
            break;
        }
        const QString oid = seeded.at(edits % seeded.size()).section(QLatin1Char('\t'), 0, 0);
        const ProgramRun edit = tool({"set", oid, QStringLiteral("Company=Edited %1").arg(edits)});
        ASSERT_EQ(edit.status, 0) << edit.err.toStdString();
        ++edits;
        if (edits % 5 == 0) {
            const ProgramRun add =
                tool({"add", QStringLiteral("LastName=Added%1").arg(added), "FirstName=Soaker"});
            ASSERT_EQ(add.status, 0) << add.err.toStdString();
            ++added;
        }
    }
    int imported = 0;
    for (const Lane& lane : lanes) {
        for (const ProgramRun& run : lane.runs) {
            ASSERT_EQ(run.status, 0) << run.err.toStdString();
            EXPECT_EQ(linesOf(run.out).size(), kCardsPerImport);
            imported += int(linesOf(run.out).size());
        }
    }
    ASSERT_GE(prefixes.size(), 2);
    // The program takes in the last changes; reindex waits for that.
    const ProgramRun current = tool({"reindex"});
    EXPECT_EQ(current.text(), QStringLiteral("current\n")) << current.err.toStdString();
    const QHash<QString, int> names = namesListed();
    for (const QString& prefix : prefixes) {
        for (int i = 1; i <= kCardsPerImport; i += 7) {
            const QString name = QStringLiteral("%1%2").arg(prefix).arg(i, 4, 10, QLatin1Char('0'));
            EXPECT_EQ(names.value(name), 1) << name.toStdString() << " stored once";
        }
    }
    const int contacts = int(seeded.size()) + imported + added;
    expectConsistent(contacts);
    EXPECT_EQ(linesOf(tool({"search", "edited"}).out).size(), std::min(edits, 40));
    EXPECT_EQ(linesOf(tool({"search", "soaker"}).out).size(), added);
    EXPECT_EQ(closeProgram(), 0);
    expectConsistent(contacts);
}

// The program ends while an import of 1500 cards runs beside it (after 100
// are in) in the way `end` makes it; the import must take the index over,
// index the rest, and leave the index current.
void IndexSharingTest::endTheMasterDuringAnImport(const std::function<void()>& end) {
    ASSERT_EQ(tool({"seed", "50"}).status, 0);
    const QString cards = writeCards(m_files, QStringLiteral("Heir"), 1500);
    startProgram();
    QProcess import;
    startTool(import, {"import", cards});
    const QByteArray started = readAtLeast(import, 100);
    end();
    const ProgramRun imported = finish(import, started);
    ASSERT_EQ(imported.status, 0) << imported.err.toStdString();
    EXPECT_EQ(linesOf(imported.out).size(), 1500);
    EXPECT_EQ(tool({"reindex"}).text(), QStringLiteral("current\n"));
    expectConsistent(1550);
}

// Killed: the next program to join the block finds the program dead and
// makes the import master.
TEST_F(IndexSharingTest, AKilledMasterIsReplacedByTheNextInLine) {
    endTheMasterDuringAnImport([this] {
        ::kill(pid_t(m_program.processId()), SIGKILL);
        m_program.waitForFinished();
        EXPECT_TRUE(tool({"verify-index"}).finished);
    });
}

// Quitting: the program hands the index over as it leaves.
TEST_F(IndexSharingTest, TheProgramQuittingHandsTheIndexToARunningTool) {
    endTheMasterDuringAnImport([this] { EXPECT_EQ(closeProgram(), 0); });
}

// Damage the program used to stop at: a window table that is no database,
// an undecodable record, a record count of -5, a row past 32-bit Oids.
TEST_F(IndexSharingTest, TheProgramStartsDespiteDamagedFiles) {
    ASSERT_EQ(tool({"seed", "30"}).status, 0);
    const QStringList listed = linesOf(tool({"list"}).out);
    {
        SqliteDb raw;
        ASSERT_TRUE(raw.open(SqliteObjectStore::fileInRoot(m_device.root())));
        SqliteStatement damage(raw, "UPDATE records SET props=x'01FF' WHERE oid=?1");
        damage.bind(1, listed[2].section(QLatin1Char('\t'), 0, 0).toLongLong());
        ASSERT_TRUE(damage.run());
        SqliteStatement stray(raw, "UPDATE records SET oid=oid+4294967296 WHERE oid=?1");
        stray.bind(1, listed[5].section(QLatin1Char('\t'), 0, 0).toLongLong());
        ASSERT_TRUE(stray.run());
        ASSERT_TRUE(raw.exec("UPDATE databases SET record_count=-5"));
    }
    // A run-time folder of its own, whose window table nobody has open.
    QTemporaryDir runtime;
    const QString folder = runtime.path() + QStringLiteral("/kontavo");
    ASSERT_TRUE(QDir().mkpath(folder));
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QFile table(folder + QStringLiteral("/windows.db"));
    ASSERT_TRUE(table.open(QIODevice::WriteOnly));
    table.write(QByteArray(4096, '\x77'));
    table.close();
    const QString picture = m_files.filePath(QStringLiteral("damaged.png"));
    QProcess program;
    program.setProcessEnvironment(m_environment);
    program.start(test::builtProgram(QStringLiteral("kontavo")),
                  {QStringLiteral("--device-root"), m_device.root(), QStringLiteral("--screenshot"),
                   picture});
    ASSERT_TRUE(program.waitForFinished(kPatienceMs)) << "the program hangs";
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0) << program.readAllStandardError().toStdString();
    EXPECT_FALSE(QImage(picture).isNull());

    // A screenshot keeps to a window table of its own: the damaged table is
    // met by a program that runs.
    QProcessEnvironment environment = m_environment;
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    program.setProcessEnvironment(environment);
    program.start(test::builtProgram(QStringLiteral("kontavo")),
                  {QStringLiteral("--device-root"), m_device.root()});
    ASSERT_TRUE(program.waitForStarted());
    bool remade = false;
    const QDeadlineTimer deadline(kPatienceMs);
    while (!remade && !deadline.hasExpired() && program.state() == QProcess::Running) {
        QThread::msleep(50);
        ASSERT_TRUE(table.open(QIODevice::ReadOnly));
        remade = table.read(16).startsWith("SQLite format 3");
        table.close();
    }
    EXPECT_EQ(program.state(), QProcess::Running) << program.readAllStandardError().toStdString();
    EXPECT_TRUE(remade) << "the table was made anew";
    program.kill();
    program.waitForFinished();
}

}  // namespace
}  // namespace kontavo
