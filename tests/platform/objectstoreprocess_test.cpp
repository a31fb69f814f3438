// Two real processes on one object store: the test program runs itself again
// as the child, selected by environment variables and a test filter.
#include <gtest/gtest.h>
#include <signal.h>

#include <QCoreApplication>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTest>
#include <cstdio>

#include "platform/sqlitedb.h"
#include "platform/sqliteobjectstore.h"
#include "support/tempdevice.h"

namespace kontavo {
namespace {

const char* const kModeVariable = "KONTAVO_OBJSTORE_CHILD";
const char* const kFileVariable = "KONTAVO_OBJSTORE_FILE";
const QString kContacts = QStringLiteral("Contacts Database");
const QString kLedger = QStringLiteral("Ledger");

constexpr PropTag kFirst = 0x3A06001F;
constexpr PropTag kIteration = 0x70010003;
constexpr PropTag kSlot = 0x70020002;
constexpr PropTag kText = 0x7003001F;
constexpr PropTag kBytes = 0x70040041;
constexpr PropTag kTime = 0x70050040;
constexpr PropTag kTouched = 0x70060003;

std::unique_ptr<ObjectDatabase> openOrCreate(ObjectStore& store, const QString& name) {
    DbOpenOptions options;
    options.createIfMissing = true;
    return store.open(name, options);
}

// The properties of record `slot` written in iteration `i` of the writer:
// values of every type, some long enough to live in the external part.
PropList crashRecord(int i, int slot) {
    const int seed = i * 3 + slot;
    return {PropValue::int32(kIteration, i), PropValue::int16(kSlot, int16_t(slot)),
            PropValue::string(kText, QString(seed * 7 % 400, QChar(0x0430 + seed % 32))),
            PropValue::blob(kBytes, QByteArray(seed * 131 % 2000, char(seed))),
            PropValue::fileTime(kTime, uint64_t(seed) * 1000)};
}

void print(const QString& line) {
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
}

// Child: creates, changes and deletes records, prints their Oids, exits.
void runChangesChild(SqliteObjectStore& store) {
    auto contacts = openOrCreate(store, kContacts);
    auto other = openOrCreate(store, QStringLiteral("Other"));
    const Oid a = contacts->write(0, {PropValue::string(kFirst, "a")});
    const Oid b = contacts->write(0, {PropValue::string(kFirst, "b")});
    contacts->write(a, {PropValue::string(kFirst, "a2")});
    contacts->deleteRecord(b);
    other->write(0, {PropValue::string(kFirst, "elsewhere")});
    print(QStringLiteral("%1 %2 %3").arg(contacts->oid()).arg(a).arg(b));
}

// Child: writes iterations until killed. Each iteration is one transaction:
// three records, a mark on a record of the previous iteration, and the
// ledger record holding the iteration number.
void runWriterChild(SqliteObjectStore& store) {
    auto data = openOrCreate(store, kContacts);
    auto ledgerDb = openOrCreate(store, kLedger);
    Oid ledger = 0;
    int i = 0;
    if (ledgerDb->seekFirst()) {
        const auto record = ledgerDb->read({kIteration});
        ledger = record->oid;
        i = record->props[0].toInt();
    } else {
        ledger = ledgerDb->write(0, {PropValue::int32(kIteration, 0)});
    }
    // After a restart, the first record of the last committed iteration.
    Oid previousFirst = 0;
    for (bool more = data->seekFirst(); more && previousFirst == 0; more = data->seekNext()) {
        const auto record = data->read({kIteration, kSlot});
        if (record->props[0].toInt() == i && record->props[1].toInt() == 0) {
            previousFirst = record->oid;
        }
    }
    for (++i;; ++i) {
        const bool committed = store.runBatch([&] {
            Oid first = 0;
            for (int slot = 0; slot < 3; ++slot) {
                const Oid oid = data->write(0, crashRecord(i, slot));
                first = slot == 0 ? oid : first;
            }
            const bool marked = previousFirst == 0 ||
                                data->write(previousFirst, {PropValue::int32(kTouched, i)}) != 0;
            previousFirst = first;
            return first != 0 && marked &&
                   ledgerDb->write(ledger, {PropValue::int32(kIteration, i)});
        });
        if (committed) {
            print(QStringLiteral("committed %1").arg(i));
        }
    }
}

TEST(ObjectStoreChild, Run) {
    const QString mode = qEnvironmentVariable(kModeVariable);
    if (mode.isEmpty()) {
        GTEST_SKIP() << "runs only as the child of the object store process tests";
    }
    SqliteObjectStore store(qEnvironmentVariable(kFileVariable));
    ASSERT_TRUE(store.isOpen());
    if (mode == QLatin1String("changes")) {
        runChangesChild(store);
    } else {
        runWriterChild(store);
    }
}

class ObjectStoreProcessTest : public ::testing::Test {
protected:
    QString file() const { return SqliteObjectStore::fileInRoot(m_device.root()); }

    void startChild(QProcess& child, const QString& mode) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(kModeVariable, mode);
        environment.insert(kFileVariable, file());
        child.setProcessEnvironment(environment);
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--gtest_filter=ObjectStoreChild.Run")});
        ASSERT_TRUE(child.waitForStarted(10000));
    }

    // Reads the child's output until it reports iteration `target`.
    static int waitForIteration(QProcess& child, int target) {
        int last = 0;
        QByteArray pending;
        while (last < target && child.waitForReadyRead(30000)) {
            pending += child.readAllStandardOutput();
            qsizetype end = 0;
            while ((end = pending.indexOf('\n')) >= 0) {
                const QByteArray line = pending.left(end);
                pending.remove(0, end + 1);
                if (line.startsWith("committed ")) {
                    last = line.mid(10).toInt();
                }
            }
        }
        return last;
    }

    void expectIntactAfterCrash(int reported);

    test::TempDevice m_device;
};

TEST_F(ObjectStoreProcessTest, ChangesOfAnotherProcessAreDeliveredWhileListening) {
    SqliteObjectStore store(file());
    QList<DbNotification> heard;
    DbOpenOptions options;
    options.createIfMissing = true;
    options.notify = [&](const DbNotification& e) { heard.append(e); };
    auto contacts = store.open(kContacts, options);
    ASSERT_NE(contacts, nullptr);

    QProcess child;
    startChild(child, QStringLiteral("changes"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return heard.size() >= 4; }, 20000));
    // The event loop above may already have seen the child end.
    ASSERT_TRUE(child.state() == QProcess::NotRunning || child.waitForFinished(20000));
    const QStringList oids = QString::fromLatin1(child.readAllStandardOutput())
                                 .split(QLatin1Char('\n'))
                                 .filter(QRegularExpression("^\\d+ \\d+ \\d+$"))
                                 .value(0)
                                 .split(QLatin1Char(' '));
    ASSERT_EQ(oids.size(), 3);
    const Oid db = oids[0].toUInt();
    const Oid a = oids[1].toUInt();
    const Oid b = oids[2].toUInt();
    EXPECT_EQ(db, contacts->oid());
    QTest::qWait(300);  // nothing more arrives, not even the other database's change
    EXPECT_EQ(heard, (QList<DbNotification>{{DbNotifyType::Created, db, a},
                                            {DbNotifyType::Created, db, b},
                                            {DbNotifyType::Changed, db, a},
                                            {DbNotifyType::RecordDeleted, db, b}}));
}

void ObjectStoreProcessTest::expectIntactAfterCrash(int reported) {
    SqliteDb raw;
    ASSERT_TRUE(raw.open(file()));
    SqliteStatement check(raw, "PRAGMA integrity_check");
    ASSERT_TRUE(check.step());
    EXPECT_EQ(check.columnText(0), QStringLiteral("ok"));

    SqliteObjectStore store(file());
    auto ledgerDb = store.open(kLedger, {});
    ASSERT_TRUE(ledgerDb != nullptr && ledgerDb->seekFirst());
    const int last = ledgerDb->read({kIteration})->props[0].toInt();
    EXPECT_GE(last, reported);  // nothing that was reported committed is lost

    auto data = store.open(kContacts, {});
    QList<int> slotsSeen(last + 1, 0);
    for (bool more = data->seekFirst(); more; more = data->seekNext()) {
        const auto record = data->readAll();
        ASSERT_TRUE(record.has_value()) << int(data->lastError());
        const int i = record->props[0].toInt();  // kIteration has the lowest tag
        ASSERT_TRUE(i >= 1 && i <= last) << "a record of an uncommitted iteration " << i;
        const int slot = record->props[1].toInt();
        PropList expected = crashRecord(i, slot);
        if (slot == 0 && i < last) {
            expected.append(PropValue::int32(kTouched, i + 1));
        }
        EXPECT_EQ(record->props, expected) << "iteration " << i << " slot " << slot;
        slotsSeen[i] |= 1 << slot;
    }
    for (int i = 1; i <= last; ++i) {
        ASSERT_EQ(slotsSeen[i], 7) << "iteration " << i << " is incomplete";
    }
    EXPECT_EQ(data->info()->recordCount, uint32_t(3 * last));
    SqliteStatement created(raw, "SELECT COUNT(*) FROM changes WHERE kind=1025 AND db=?1");
    created.bind(1, int64_t(data->oid()));
    ASSERT_TRUE(created.step());
    EXPECT_EQ(created.columnInt(0), 3 * last);
}

TEST_F(ObjectStoreProcessTest, KilledWriterLeavesEveryCommittedRecordAndNothingTorn) {
    int target = 0;
    for (int round = 0; round < 3; ++round) {
        QProcess child;
        startChild(child, QStringLiteral("writer"));
        target += 40;
        const int reported = waitForIteration(child, target);
        ASSERT_GE(reported, target) << "the writer stopped early";
        QTest::qSleep(int(QRandomGenerator::global()->bounded(20)));
        ::kill(pid_t(child.processId()), SIGKILL);
        ASSERT_TRUE(child.waitForFinished(10000));
        ASSERT_EQ(child.exitStatus(), QProcess::CrashExit);
        expectIntactAfterCrash(reported);
        if (HasFatalFailure()) {
            return;
        }
        target = std::max(target, reported);
    }
}

}  // namespace
}  // namespace kontavo
