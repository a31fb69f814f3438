#include "platform/windowtable.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "platform/sqlitedb.h"

namespace kontavo {
namespace {

TEST(WindowTableTest, HandlesAreEvenDistinctAndFoundByClassOldestFirst) {
    QTemporaryDir dir;
    WindowTable table(dir.path());
    ASSERT_TRUE(table.isOpen());
    const auto first = table.addWindow(QStringLiteral("TW.MAIN.WND.CLASS"), 100);
    const auto other = table.addWindow(QStringLiteral("CALLERID_MAINCLASS"), 101);
    const auto second = table.addWindow(QStringLiteral("TW.MAIN.WND.CLASS"), 102);
    ASSERT_TRUE(first && other && second);
    for (WindowHandle handle : {*first, *other, *second}) {
        EXPECT_NE(handle, 0u);
        EXPECT_EQ(handle & 1, 0u);
    }
    EXPECT_NE(*first, *second);
    const QList<WindowRow> rows = table.windowsOfClass(QStringLiteral("tw.main.wnd.class"));
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0].handle, *first);
    EXPECT_EQ(rows[0].pid, 100);
    EXPECT_EQ(rows[1].handle, *second);
    EXPECT_TRUE(table.removeWindow(*first));
    EXPECT_FALSE(table.window(*first));
    EXPECT_EQ(table.window(*second)->pid, 102);
}

TEST(WindowTableTest, MessageNumbersAreSharedAndCaseBlind) {
    QTemporaryDir dir;
    WindowTable one(dir.path());
    WindowTable two(dir.path());
    const uint32_t master = one.registerMessage(QStringLiteral("PimSyncChangeToMaster"));
    const uint32_t slave = two.registerMessage(QStringLiteral("PimSyncChangeToSlave"));
    EXPECT_EQ(master, 0xC000u);
    EXPECT_EQ(slave, 0xC001u);
    EXPECT_EQ(two.registerMessage(QStringLiteral("pimsyncchangetomaster")), master);
    EXPECT_EQ(one.registerMessage(QStringLiteral("PimSyncChangeToSlave")), slave);
}

TEST(WindowTableTest, RegistrationFailsWhenAllNumbersAreTaken) {
    QTemporaryDir dir;
    WindowTable table(dir.path());
    ASSERT_NE(table.registerMessage(QStringLiteral("first")), 0u);
    // Occupy the last number directly; the next name has nowhere to go.
    SqliteDb db;
    ASSERT_TRUE(db.open(dir.path() + QStringLiteral("/windows.db")));
    ASSERT_TRUE(db.exec("INSERT INTO messages(name, id) VALUES('last', 65535)"));
    EXPECT_EQ(table.registerMessage(QStringLiteral("one too many")), 0u);
    EXPECT_EQ(table.registerMessage(QStringLiteral("first")), 0xC000u);
}

// The table lives only while programs use it: garbage in its place, or a
// file damaged inside, is replaced by a new table rather than keeping every
// program from starting.
TEST(WindowTableTest, ADamagedTableIsMadeAnew) {
    QTemporaryDir dir;
    const QString file = dir.path() + QStringLiteral("/windows.db");
    {
        QFile garbage(file);
        ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
        garbage.write(QByteArray(8192, 'x'));
    }
    WindowTable table(dir.path());
    ASSERT_TRUE(table.isOpen());
    EXPECT_TRUE(table.addWindow(QStringLiteral("TW.MAIN.WND.CLASS"), 100).has_value());
    EXPECT_EQ(table.registerMessage(QStringLiteral("PimSyncSlaveStop")), 0xC000u);
}

TEST(WindowTableTest, ATableDamagedInsideIsMadeAnew) {
    QTemporaryDir dir;
    const QString file = dir.path() + QStringLiteral("/windows.db");
    {
        WindowTable first(dir.path());
        for (int i = 0; i < 200; ++i) {
            first.registerMessage(QStringLiteral("message %1").arg(i));
        }
    }
    {
        SqliteDb db;
        ASSERT_TRUE(db.open(file));
        ASSERT_TRUE(db.exec("PRAGMA wal_checkpoint(TRUNCATE)"));
    }
    QFile damage(file);
    ASSERT_TRUE(damage.open(QIODevice::ReadWrite));
    ASSERT_GT(damage.size(), 4096);
    damage.seek(4096);  // the second page onwards
    damage.write(QByteArray(int(damage.size() - 4096), char(0x5A)));
    damage.close();
    WindowTable table(dir.path());
    ASSERT_TRUE(table.isOpen());
    EXPECT_EQ(table.registerMessage(QStringLiteral("PimSyncSlaveStop")), 0xC000u);
}

TEST(WindowTableTest, UnusableFolderLeavesTheTableClosed) {
    WindowTable table(QStringLiteral("/nonexistent/folder/for/kontavo"));
    EXPECT_FALSE(table.isOpen());
    EXPECT_FALSE(table.addWindow(QStringLiteral("X"), 1));
    EXPECT_EQ(table.registerMessage(QStringLiteral("X")), 0u);
}

}  // namespace
}  // namespace kontavo
