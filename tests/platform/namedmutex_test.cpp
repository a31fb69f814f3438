#include "platform/namedmutex.h"

#include <gtest/gtest.h>

#include <QUuid>

namespace kontavo {
namespace {

TEST(NamedMutexTest, ObjectsOfOneNameExcludeEachOther) {
    const QString scope = QUuid::createUuid().toString();
    NamedMutex a(scope, "9694E7F0-1902-4855-AA4D-F879CF68BE6A");
    NamedMutex b(scope, "9694E7F0-1902-4855-AA4D-F879CF68BE6A");
    NamedMutex other(QUuid::createUuid().toString(), "9694E7F0-1902-4855-AA4D-F879CF68BE6A");
    ASSERT_TRUE(a.isValid() && b.isValid());
    {
        NamedMutexLocker locker(a);
        EXPECT_TRUE(locker.isLocked());
        EXPECT_FALSE(b.tryLock());
        EXPECT_TRUE(other.tryLock());  // another device's mutex
        other.unlock();
    }
    EXPECT_TRUE(b.tryLock());
    EXPECT_FALSE(a.tryLock());
    b.unlock();
}

TEST(NamedMutexTest, LongNamesStayDistinct) {
    const QString longName(300, QLatin1Char('x'));
    const QString key = namedObjectKey("scope", longName);
    EXPECT_LE(key.size(), 200);
    EXPECT_NE(key, namedObjectKey("scope", longName + "y"));
    EXPECT_NE(namedObjectKey("a", "n"), namedObjectKey("b", "n"));
}

}  // namespace
}  // namespace kontavo
