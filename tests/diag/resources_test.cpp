#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "diag/errorlog.h"
#include "diag/resources.h"
#include "diag/stringtable.h"

namespace kontavo {
namespace {

TEST(StringTableTest, ParsesIdsTabsAndEscapes) {
    const StringTable table = StringTable::parse(
        "# comment\n\n101\tKontavo\r\n7\ta\\tb\\nc\\\\d\\x\n7\tduplicate ignored\n"
        "bad line\n12 no tab\n40242\t (deleted category)\n");
    EXPECT_EQ(table.size(), 3);
    EXPECT_EQ(table.find(101).value(), QStringLiteral("Kontavo"));
    EXPECT_EQ(table.find(7).value(), QStringLiteral("a\tb\nc\\d\\x"));
    EXPECT_EQ(table.find(40242).value(), QStringLiteral(" (deleted category)"));
    EXPECT_FALSE(table.find(8).has_value());
    EXPECT_EQ(table.badLines(), 2);
}

TEST(ResourcesTest, ShippedStringTableHasTheProgramTexts) {
    EXPECT_EQ(loadString(101), QStringLiteral("Kontavo"));
    EXPECT_EQ(loadString(41151), QStringLiteral("Suffix@Suf."));
    EXPECT_EQ(loadStringStrict(41287),
              QStringLiteral("This version of software is designed to work on Pocket PC "
                             "2000-2003 device. Please install correct version."));
}

TEST(ResourcesTest, MissingStringIsLoggedAndEmpty) {
    QTemporaryDir dir;
    const QString exe = dir.path() + QStringLiteral("/Kontavo.exe");
    setLogModule(exe);
    EXPECT_TRUE(loadString(999999).isEmpty());
    EXPECT_FALSE(hasString(999999));
    QFile log(exe + QStringLiteral(".log"));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_TRUE(log.readAll().endsWith("Resource loading fail (id: 999999 hInst: 10000)\tStr:  (170)\r\n"));
    setLogModule(QString());
}

TEST(ResourcesTest, UnknownResourceIsAbsent) {
    EXPECT_FALSE(loadResource(QStringLiteral("NOPE"), 1).has_value());
    EXPECT_FALSE(hasResource(QStringLiteral("NOTE"), 999));
}

}  // namespace
}  // namespace kontavo
